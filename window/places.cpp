#include "window/places.h"

#include <charconv>

namespace kelmora {
namespace {

constexpr std::string_view kLevels = "levels[";
constexpr std::string_view kSightings = "sightings[";

// Reads a whole number from the front of `text`, consuming it.
template <typename Number>
std::optional<Number> TakeNumber(std::string_view& text) {
  Number number{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end == text.data())
    return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return number;
}

bool Take(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix))
    return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

std::string PlaceName(const Place& place) {
  std::string name;
  if (place.level_text) {
    name.append(kLevels).append(std::to_string(*place.level_text)).append("]");
    if (place.level)
      name.append("@").append(std::to_string(*place.level));
  } else if (place.sighting) {
    name.append(kSightings).append(std::to_string(*place.sighting)).append("]");
  }
  if (place.field != nullptr) {
    if (!name.empty())
      name.append("/");
    name.append(place.field->name);
  }
  return name;
}

std::optional<Place> ParsePlace(std::string_view name) {
  Place place;
  if (Take(name, kLevels)) {
    place.level_text = TakeNumber<std::size_t>(name);
    if (!place.level_text || !Take(name, "]"))
      return std::nullopt;
    if (Take(name, "@")) {
      place.level = TakeNumber<Int16>(name);
      if (!place.level || !Take(name, "/"))
        return std::nullopt;
    } else if (name.empty()) {
      return place;
    } else {
      return std::nullopt;
    }
  } else if (Take(name, kSightings)) {
    place.sighting = TakeNumber<std::size_t>(name);
    if (!place.sighting || !Take(name, "]/"))
      return std::nullopt;
  }
  place.field = FindField(name);
  if (place.field == nullptr)
    return std::nullopt;
  return place;
}

std::string PlaceLabel(const Place& place) {
  if (place.level_text && place.field == nullptr)
    return "Level to show";
  if (place.field == nullptr)
    return {};
  if (place.level_text) {
    const bool minimum = place.field->role == FieldRole::Minimum;
    return std::string(StatName(*place.field->stat)) + (minimum ? " minimum" : " maximum") +
           " at level " + std::to_string(place.level.value_or(0));
  }
  if (place.sighting) {
    return "Sighting " + std::to_string(*place.sighting) + " " +
           (place.field->stat ? std::string(place.field->label) : "level");
  }
  return std::string(place.field->label);
}

std::string BoxToFix(const Place& place, FieldRole role) {
  if (place.level_text && (place.field == nullptr || role == FieldRole::Level))
    return std::string(kNewLevelBox);
  if (place.field == nullptr)
    return {};
  const bool in_sighting =
      place.sighting && (role == FieldRole::StatValue || role == FieldRole::Level);
  std::string_view field = role == FieldRole::Level ? kLevelField : place.field->name;
  if (place.field->stat && role != FieldRole::Level)
    field = FieldName(*place.field->stat, role);
  return in_sighting ? SightingPlace(*place.sighting, field) : std::string(field);
}

}  // namespace kelmora
