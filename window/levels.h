// A Calculate's ranges shown at other levels, and one character's ranges
// narrowed from several sightings. Both run the Calculate command's reading
// and calculation first, with its errors; their own errors name a level to
// show or a sighting's box (see places.h).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "window/calculate.h"

namespace kelmora {

// The levels the Levels table always shows, besides the window's own.
inline constexpr std::array<Int16, 11> kTableLevels = {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 99};

// The shown values a range of counts spans at some level.
struct ShownRange {
  Int16 Min;
  Int16 Max;
};

struct LevelRow {
  Int16 level;
  std::array<ShownRange, 4> shown;  // HP, MP, PA, MA
};

struct Projection {
  CalculatorInputs inputs;
  std::array<StatRange, 4> ranges;
  std::vector<LevelRow> levels;
};

// The form's inputs and ranges, as the Calculate command gives them; then, for
// each level text in order (read as txt_level is, failing at
// LevelTextPlace(n)), each stat's range shown there: [ShownValue(Min),
// ShownValue(Max)], HP to MA, minimum before maximum. A range end that has no
// shown value there fails with ShownValue's error, said in the player's terms,
// at the place "levels[n]@level/" + the result field.
Projection Project(const CalculatorForm& form, std::span<const std::string> level_texts);

// The Levels table: the form's inputs and ranges, then one row for each of
// kTableLevels, the window's own level and the `extra` levels (read in order
// as level texts 1, 2, …), in ascending order, each level once. A row whose
// ranges have no shown values there carries its error instead.
struct TableRow {
  Int16 level;
  bool own = false;    // the window's level
  bool extra = false;  // one of the extra levels
  std::optional<LevelRow> shown;
  std::optional<RunTimeError> error;
};
struct LevelTable {
  CalculatorInputs inputs;
  std::array<StatRange, 4> ranges;
  std::vector<TableRow> rows;
};
LevelTable MakeLevelTable(const CalculatorForm& form, std::span<const std::string> extra);

// A further sighting of the character: its level and the four shown values
// (HP, MP, PA, MA), as typed.
struct Sighting {
  std::string level;
  std::array<std::string, 4> values;
};

struct SightingRanges {
  Int16 level;
  std::array<Int16, 4> values;
  std::array<StatRange, 4> ranges;
};

// One stat's narrowed range, or the two sightings (numbered from 1, the
// window's first) whose ranges do not meet; the same sighting twice when its
// own range is empty.
struct Narrowed {
  std::optional<StatRange> range;
  std::size_t first = 0;
  std::size_t second = 0;
};

struct Narrowing {
  std::vector<SightingRanges> sightings;  // the window's first
  std::array<Narrowed, 4> stats;
};

// The window's sighting from the form, then each further one read in order
// (level, then HP to MA; failing at SightingPlace(n, field)) and its ranges
// with the window's C-values and multipliers (failing as Calculate's do, at
// the sighting's result fields); then per stat the intersection of all.
Narrowing Narrow(const CalculatorForm& form, std::span<const Sighting> more);

// The texts the page shows: a range of counts "621423 … 622700", shown values
// "487 … 499" (one number when both ends agree), the inputs a table is for,
// and why a stat could not be narrowed.
std::string FormatRange(const StatRange& range);
std::string FormatShown(const ShownRange& shown);
std::string DescribeInputs(const CalculatorInputs& inputs);
std::string DescribeConflict(const Narrowing& narrowing, StatKind stat);

}  // namespace kelmora
