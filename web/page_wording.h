// The page's own words beyond the window's design: the Levels section, its
// tables and buttons, and what the page says while a table is still empty.
#pragma once

#include <string_view>

namespace kelmora {

struct PageWording {
  std::string_view description;  // the page's summary, for search engines and link previews
  std::string_view levels;
  std::string_view at_other_levels;
  std::string_view at_other_levels_note;
  std::string_view level_column;
  std::string_view own_level_mark;
  std::string_view new_level_label;
  std::string_view add_level;
  std::string_view remove_level;
  std::string_view more_sightings;
  std::string_view more_sightings_note;
  std::string_view sighting;
  std::string_view window_sighting;
  std::string_view level_box;
  std::string_view add_sighting;
  std::string_view remove_sighting;
  std::string_view narrowed;
  std::string_view narrowed_note;
  std::string_view table_for;
};

inline constexpr PageWording kPageWording = {
    "Kelmora works out, to the last digit, the range of initial stat points behind a game "
    "character's shown HP, MP, PA and MA: from the shown values, C-values, multipliers and level. "
    "It shows the stats at other levels and narrows the ranges from several sightings.",
    "Levels",
    "At other levels",
    "Press Calculate! to see the shown values these ranges give at other levels.",
    "Level",
    "your level",
    "Level to add",
    "Add level",
    "Remove level",
    "More sightings",
    "Seen the same character at other levels? Add each sighting's level and shown values; "
    "Calculate! then narrows every stat's initial range to the counts that fit them all.",
    "Sighting",
    "Sighting 1: the window",
    "Level",
    "Add sighting",
    "Remove sighting",
    "Narrowed initial ranges",
    "Press Calculate! to narrow the ranges.",
    "Shown values for ",
};

}  // namespace kelmora
