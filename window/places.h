// Where an error arose. Besides the window's own 21 fields ("txt_hpc"), a
// place can be a level to show in the Levels table ("levels[2]"), a range end
// shown at such a level ("levels[2]@50/txt_hplo"), or a box of a further
// sighting of the character ("sightings[3]/txt_level"; the window's boxes are
// sighting 1). A page names its boxes by the same texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calc/checked.h"
#include "window/fields.h"

namespace kelmora {

struct Place {
  const Field* field = nullptr;           // the window's field, or the sighting's box
  std::optional<std::size_t> level_text;  // the nth level to show, from 1
  std::optional<Int16> level;             // the level a range end was shown at
  std::optional<std::size_t> sighting;    // the nth sighting, from 2
};

// The text of a place, and back; none for a text that names no place.
std::string PlaceName(const Place& place);
std::optional<Place> ParsePlace(std::string_view name);

inline std::string LevelTextPlace(std::size_t n) {
  Place place;
  place.level_text = n;
  return PlaceName(place);
}
inline std::string SightingPlace(std::size_t sighting, std::string_view field) {
  Place place;
  place.field = FindField(field);
  place.sighting = sighting;
  return PlaceName(place);
}

// What a player calls the place: "HP C-value", "Level to show",
// "HP minimum at level 50", "Sighting 3 level". Empty when unknown.
std::string PlaceLabel(const Place& place);

// The box to fix after a failure at `place` whose step calls for `role` (a
// failed reading calls for the box read): a box of the window, of the
// sighting, or the box for a new level to show.
std::string BoxToFix(const Place& place, FieldRole role);

// The box where a player types a level to add to the Levels table.
inline constexpr std::string_view kNewLevelBox = "txt_newlevel";

}  // namespace kelmora
