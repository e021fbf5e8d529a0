#include "web/answers.h"

#include <vector>

#include "web/json_text.h"
#include "web/page_wording.h"
#include "window/calculate.h"
#include "window/control_layout.h"
#include "window/credits.h"
#include "window/fields.h"
#include "window/placed.h"
#include "window/places.h"

namespace kelmora {
namespace {

// [a, b, …] of items already written as JSON.
std::string Array(const std::vector<std::string>& items) {
  std::string json = "[";
  for (std::size_t i = 0; i < items.size(); ++i)
    json += (i == 0 ? "" : ",") + items[i];
  return json + "]";
}

std::string Number(long long n) {
  return JsonString(std::to_string(n));
}

// [min, max] of a range of counts or of shown values.
template <typename Range>
std::string RangeArray(const Range& range) {
  return Array({Number(range.Min), Number(range.Max)});
}

// The 8 range ends in the order of the result fields.
std::string RangesJson(const std::array<StatRange, 4>& ranges) {
  std::vector<std::string> ends;
  for (const StatRange& range : ranges) {
    ends.push_back(Number(range.Min));
    ends.push_back(Number(range.Max));
  }
  return Array(ends);
}

std::string ShownJson(const LevelRow& row) {
  std::vector<std::string> shown;
  std::vector<std::string> display;
  for (const ShownRange& range : row.shown) {
    shown.push_back(RangeArray(range));
    display.push_back(JsonString(FormatShown(range)));
  }
  return "\"shown\":" + Array(shown) + ",\"display\":" + Array(display);
}

std::string ErrorObject(const RunTimeError& error) {
  return "{\"kind\":" + JsonString(KindName(error.kind())) +
         ",\"place\":" + JsonString(error.place()) +
         ",\"message\":" + JsonString(DescribeError(error)) +
         ",\"fieldToFix\":" + JsonString(FieldToFix(error)) + "}";
}

std::string ErrorJson(const RunTimeError& error) {
  return "{\"error\":" + ErrorObject(error) + "}";
}

// Runs `answer`, or answers with the error it raised.
template <typename Answer>
std::string Answering(Answer&& answer) {
  try {
    return answer();
  } catch (const RunTimeError& error) {
    return ErrorJson(error);
  }
}

std::string_view ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox:
      return "groupBox";
    case ControlKind::Label:
      return "label";
    case ControlKind::InputBox:
      return "inputBox";
    case ControlKind::ResultBox:
      return "resultBox";
    case ControlKind::Button:
      return "button";
  }
  return "unknown";
}

std::string_view RoleName(FieldRole role) {
  switch (role) {
    case FieldRole::StatValue:
      return "value";
    case FieldRole::CValue:
      return "c";
    case FieldRole::Multiplier:
      return "multiplier";
    case FieldRole::Level:
      return "level";
    case FieldRole::Minimum:
      return "min";
    case FieldRole::Maximum:
      return "max";
  }
  return "unknown";
}

std::string WordingJson() {
  const PageWording& w = kPageWording;
  const std::pair<std::string_view, std::string_view> entries[] = {
      {"description", w.description},
      {"levels", w.levels},
      {"atOtherLevels", w.at_other_levels},
      {"atOtherLevelsNote", w.at_other_levels_note},
      {"levelColumn", w.level_column},
      {"ownLevelMark", w.own_level_mark},
      {"newLevelLabel", w.new_level_label},
      {"newLevelBox", kNewLevelBox},
      {"addLevel", w.add_level},
      {"removeLevel", w.remove_level},
      {"moreSightings", w.more_sightings},
      {"moreSightingsNote", w.more_sightings_note},
      {"sighting", w.sighting},
      {"windowSighting", w.window_sighting},
      {"levelBox", w.level_box},
      {"addSighting", w.add_sighting},
      {"removeSighting", w.remove_sighting},
      {"narrowed", w.narrowed},
      {"narrowedNote", w.narrowed_note},
  };
  std::string json = "{";
  for (const auto& [key, text] : entries)
    json += (json.size() == 1 ? "\"" : ",\"") + std::string(key) + "\":" + JsonString(text);
  std::vector<std::string> levels;
  for (const Int16 level : kTableLevels)
    levels.push_back(Number(level));
  std::vector<std::string> stats;
  for (const StatKind stat : kStatKinds)
    stats.push_back(JsonString(StatName(stat)));
  return json + ",\"tableLevels\":" + Array(levels) + ",\"stats\":" + Array(stats) + "}";
}

}  // namespace

std::string DesignJson() {
  std::vector<std::string> controls;
  for (const Control& c : kControls) {
    const Field* field = FindField(c.name);
    const std::string caption =
        c.name == "Label9" ? CreditsNotice(KELMORA_VERSION, "WebAssembly") : std::string(c.text);
    std::string json =
        "{\"name\":" + JsonString(c.name) + ",\"kind\":" + JsonString(ControlKindName(c.kind)) +
        ",\"caption\":" + JsonString(caption) +
        ",\"left\":" + std::to_string(TwipsToPixels(c.left)) +
        ",\"top\":" + std::to_string(TwipsToPixels(c.top)) +
        ",\"width\":" + std::to_string(TwipsToPixels(c.width)) +
        ",\"height\":" + std::to_string(TwipsToPixels(c.height)) +
        ",\"focus\":" + std::to_string(c.focus) + ",\"bold\":" + (c.bold ? "true" : "false") +
        ",\"maxLength\":" + std::to_string(c.max_length) +
        ",\"wraps\":" + (c.wraps ? "true" : "false");
    if (field != nullptr) {
      json += ",\"label\":" + JsonString(field->label) +
              ",\"defaultText\":" + JsonString(field->default_text) +
              ",\"input\":" + (IsInput(field->role) ? "true" : "false") +
              ",\"role\":" + JsonString(RoleName(field->role));
      if (field->stat)
        json += ",\"stat\":" + std::to_string(StatIndex(*field->stat));
    }
    controls.push_back(json + "}");
  }
  return "{\"caption\":" + JsonString(kWindowCaption) +
         ",\"width\":" + std::to_string(TwipsToPixels(kClientWidthTwips)) +
         ",\"height\":" + std::to_string(TwipsToPixels(kClientHeightTwips)) +
         ",\"controls\":" + Array(controls) + ",\"wording\":" + WordingJson() + "}";
}

std::string CalculateJson(CalculatorForm& form) {
  return Answering([&] {
    btn_calc_Click(form);
    std::vector<std::string> results;
    for (const Field& field : kFields) {
      if (!IsInput(field.role))
        results.push_back(JsonString(form.text(field.name)));
    }
    return "{\"results\":" + Array(results) + "}";
  });
}

std::string ProjectJson(const CalculatorForm& form, std::span<const std::string> levels) {
  return Answering([&] {
    const Projection projection = Project(form, levels);
    std::vector<std::string> rows;
    for (const LevelRow& row : projection.levels)
      rows.push_back("{\"level\":" + Number(row.level) + "," + ShownJson(row) + "}");
    return "{\"ranges\":" + RangesJson(projection.ranges) + ",\"levels\":" + Array(rows) + "}";
  });
}

std::string LevelTableJson(const CalculatorForm& form, std::span<const std::string> extra) {
  return Answering([&] {
    const LevelTable table = MakeLevelTable(form, extra);
    std::vector<std::string> rows;
    for (const TableRow& row : table.rows) {
      std::string json = "{\"level\":" + Number(row.level) +
                         ",\"own\":" + (row.own ? "true" : "false") +
                         ",\"extra\":" + (row.extra ? "true" : "false") + ",";
      json += row.shown ? ShownJson(*row.shown) : "\"error\":" + ErrorObject(*row.error);
      rows.push_back(json + "}");
    }
    return "{\"caption\":" +
           JsonString(std::string(kPageWording.table_for) + DescribeInputs(table.inputs)) +
           ",\"ranges\":" + RangesJson(table.ranges) + ",\"rows\":" + Array(rows) + "}";
  });
}

std::string NarrowJson(const CalculatorForm& form, std::span<const Sighting> sightings) {
  return Answering([&] {
    const Narrowing narrowing = Narrow(form, sightings);
    std::vector<std::string> rows;
    for (const SightingRanges& sighting : narrowing.sightings) {
      std::vector<std::string> values;
      std::vector<std::string> ranges;
      std::vector<std::string> display;
      for (std::size_t i = 0; i < 4; ++i) {
        values.push_back(Number(sighting.values[i]));
        ranges.push_back(RangeArray(sighting.ranges[i]));
        display.push_back(JsonString(FormatRange(sighting.ranges[i])));
      }
      rows.push_back("{\"level\":" + Number(sighting.level) + ",\"values\":" + Array(values) +
                     ",\"ranges\":" + Array(ranges) + ",\"display\":" + Array(display) + "}");
    }
    std::vector<std::string> narrowed;
    for (const StatKind stat : kStatKinds) {
      const Narrowed& n = narrowing.stats[StatIndex(stat)];
      if (n.range) {
        narrowed.push_back("{\"range\":" + RangeArray(*n.range) +
                           ",\"display\":" + JsonString(FormatRange(*n.range)) + "}");
      } else {
        narrowed.push_back("{\"conflict\":[" + std::to_string(n.first) + "," +
                           std::to_string(n.second) +
                           "],\"message\":" + JsonString(DescribeConflict(narrowing, stat)) + "}");
      }
    }
    return "{\"ranges\":" + RangesJson(narrowing.sightings[0].ranges) +
           ",\"sightings\":" + Array(rows) + ",\"narrowed\":" + Array(narrowed) + "}";
  });
}

std::string ReadLevelJson(std::string_view text) {
  return Answering([&] {
    const Int16 level = At(LevelTextPlace(1), [&] { return ParseInt16(text); });
    return "{\"level\":" + Number(level) + "}";
  });
}

}  // namespace kelmora
