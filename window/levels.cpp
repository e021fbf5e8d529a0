#include "window/levels.h"

#include <algorithm>

#include "calc/shown_value.h"
#include "window/placed.h"
#include "window/places.h"

namespace kelmora {
namespace {

constexpr std::string_view kEllipsis = " \xE2\x80\xA6 ";  // " … "

Int16 ReadLevelOrValue(const std::string& text, const std::string& place) {
  return At(place, [&] { return ParseInt16(text); });
}

// The n-th level to show: every stat's range as shown values at `level`.
LevelRow ShowAt(const CalculatorInputs& inputs, const std::array<StatRange, 4>& ranges,
                std::size_t n, Int16 level) {
  LevelRow row{level, {}};
  for (const StatKind stat : kStatKinds) {
    const std::size_t i = StatIndex(stat);
    const StatInputs& in = inputs.stats[i];
    const auto shown = [&](FieldRole end, Int32 count) {
      try {
        return ShownValue(count, in.StatC, in.StatM, level);
      } catch (const RunTimeError& error) {
        // The place is named only when it is needed: this runs 8 times a level.
        Place place;
        place.field = FindField(FieldName(stat, end));
        place.level_text = n;
        place.level = level;
        ThrowSaid(error, PlaceName(place),
                  StatFacts{in.StatVal, in.StatC, inputs.percents[i], level, count});
      }
    };
    row.shown[i].Min = shown(FieldRole::Minimum, ranges[i].Min);
    row.shown[i].Max = shown(FieldRole::Maximum, ranges[i].Max);
  }
  return row;
}

std::vector<Int16> ReadLevels(std::span<const std::string> texts) {
  std::vector<Int16> levels;
  for (std::size_t n = 1; n <= texts.size(); ++n)
    levels.push_back(ReadLevelOrValue(texts[n - 1], LevelTextPlace(n)));
  return levels;
}

}  // namespace

Projection Project(const CalculatorForm& form, std::span<const std::string> level_texts) {
  Projection projection{ReadInputs(form), {}, {}};
  const std::vector<Int16> levels = ReadLevels(level_texts);
  projection.ranges = CalculateRanges(projection.inputs);
  for (std::size_t n = 1; n <= levels.size(); ++n)
    projection.levels.push_back(ShowAt(projection.inputs, projection.ranges, n, levels[n - 1]));
  return projection;
}

LevelTable MakeLevelTable(const CalculatorForm& form, std::span<const std::string> extra) {
  LevelTable table{ReadInputs(form), {}, {}};
  const std::vector<Int16> extra_levels = ReadLevels(extra);
  table.ranges = CalculateRanges(table.inputs);

  std::vector<Int16> levels(kTableLevels.begin(), kTableLevels.end());
  levels.push_back(table.inputs.level);
  levels.insert(levels.end(), extra_levels.begin(), extra_levels.end());
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  for (const Int16 level : levels) {
    TableRow row{};
    row.level = level;
    row.own = level == table.inputs.level;
    row.extra = std::find(extra_levels.begin(), extra_levels.end(), level) != extra_levels.end();
    try {
      row.shown = ShowAt(table.inputs, table.ranges, 1, level);
    } catch (const RunTimeError& error) {
      row.error = error;
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

Narrowing Narrow(const CalculatorForm& form, std::span<const Sighting> more) {
  const CalculatorInputs inputs = ReadInputs(form);
  // Every box read before anything is computed, as the Calculate command does.
  std::vector<SightingRanges> sightings(1 + more.size());
  for (std::size_t n = 2; n <= sightings.size(); ++n) {
    const Sighting& typed = more[n - 2];
    sightings[n - 1].level = ReadLevelOrValue(typed.level, SightingPlace(n, kLevelField));
    for (const StatKind stat : kStatKinds) {
      sightings[n - 1].values[StatIndex(stat)] = ReadLevelOrValue(
          typed.values[StatIndex(stat)], SightingPlace(n, FieldName(stat, FieldRole::StatValue)));
    }
  }

  sightings[0].level = inputs.level;
  for (const StatKind stat : kStatKinds)
    sightings[0].values[StatIndex(stat)] = inputs.stats[StatIndex(stat)].StatVal;
  sightings[0].ranges = CalculateRanges(inputs);
  for (std::size_t n = 2; n <= sightings.size(); ++n) {
    SightingRanges& sighting = sightings[n - 1];
    for (const StatKind stat : kStatKinds) {
      const std::size_t i = StatIndex(stat);
      StatInputs in = inputs.stats[i];
      in.StatVal = sighting.values[i];
      sighting.ranges[i] = StatRangeAt(in, inputs.percents[i], sighting.level,
                                       SightingPlace(n, FieldName(stat, FieldRole::Minimum)),
                                       SightingPlace(n, FieldName(stat, FieldRole::Maximum)));
    }
  }

  Narrowing narrowing{std::move(sightings), {}};
  for (const StatKind stat : kStatKinds) {
    const std::size_t i = StatIndex(stat);
    // The latest start and the earliest end: when they cross, those two
    // sightings alone already disagree.
    std::size_t latest_start = 0;
    std::size_t earliest_end = 0;
    for (std::size_t n = 1; n < narrowing.sightings.size(); ++n) {
      if (narrowing.sightings[n].ranges[i].Min > narrowing.sightings[latest_start].ranges[i].Min)
        latest_start = n;
      if (narrowing.sightings[n].ranges[i].Max < narrowing.sightings[earliest_end].ranges[i].Max)
        earliest_end = n;
    }
    const Int32 low = narrowing.sightings[latest_start].ranges[i].Min;
    const Int32 high = narrowing.sightings[earliest_end].ranges[i].Max;
    Narrowed& narrowed = narrowing.stats[i];
    if (low <= high) {
      narrowed.range = StatRange{low, high};
    } else {
      narrowed.first = std::min(latest_start, earliest_end) + 1;
      narrowed.second = std::max(latest_start, earliest_end) + 1;
    }
  }
  return narrowing;
}

std::string FormatRange(const StatRange& range) {
  return FormatInt32(range.Min) + std::string(kEllipsis) + FormatInt32(range.Max);
}

std::string FormatShown(const ShownRange& shown) {
  std::string text = std::to_string(shown.Min);
  if (shown.Max != shown.Min)
    text += std::string(kEllipsis) + std::to_string(shown.Max);
  return text;
}

std::string DescribeInputs(const CalculatorInputs& inputs) {
  std::string text;
  for (const StatKind stat : kStatKinds) {
    const std::size_t i = StatIndex(stat);
    text += std::string(text.empty() ? "" : "; ") + std::string(StatName(stat)) + " " +
            std::to_string(inputs.stats[i].StatVal) + ", C-value " +
            std::to_string(inputs.stats[i].StatC) + ", " + FormatFloat32(inputs.percents[i]) + " %";
  }
  return text + "; level " + std::to_string(inputs.level);
}

std::string DescribeConflict(const Narrowing& narrowing, StatKind stat) {
  const Narrowed& narrowed = narrowing.stats[StatIndex(stat)];
  if (narrowed.range)
    return {};
  const auto seen = [&](std::size_t n) {
    const SightingRanges& sighting = narrowing.sightings[n - 1];
    return std::string(StatName(stat)) + " " + std::to_string(sighting.values[StatIndex(stat)]) +
           " at level " + std::to_string(sighting.level);
  };
  if (narrowed.first == narrowed.second) {
    return "No count of stat points shows " + seen(narrowed.first) + " (sighting " +
           std::to_string(narrowed.first) + ") with this C-value and multiplier.";
  }
  const auto needs = [&](std::size_t n) {
    return seen(n) + " needs " + FormatRange(narrowing.sightings[n - 1].ranges[StatIndex(stat)]) +
           " stat points";
  };
  return "The sightings " + std::to_string(narrowed.first) + " and " +
         std::to_string(narrowed.second) + " disagree on " + std::string(StatName(stat)) + ": " +
         needs(narrowed.first) + ", " + needs(narrowed.second) +
         ". These sightings do not fit one C-value and multiplier.";
}

}  // namespace kelmora
