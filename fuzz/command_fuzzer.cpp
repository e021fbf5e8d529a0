// Fuzzes the Calculate command on an in-memory form. The input is split at
// '\n' into the 13 input texts (missing ones stay at their defaults).
// Oracles: a success writes exactly FormatInt32 of MinStatpoint/MaxStatpoint
// on the inputs read independently, and each range shows its own value again
// at its own level (ShownValue, and the Levels projection); a failure writes
// nothing and changes no input, names a field as its place, and describing it
// never throws.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/shown_value.h"
#include "calc/statpoint.h"
#include "window/calculate.h"
#include "window/fields.h"
#include "window/levels.h"

namespace {

using namespace kelmora;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

std::map<std::string_view, std::string> Snapshot(const CalculatorForm& form) {
  std::map<std::string_view, std::string> texts;
  for (const Field& field : kFields)
    texts.emplace(field.name, form.text(field.name));
  return texts;
}

// The results the rules give for the form's inputs, or none if any step fails.
std::map<std::string_view, std::string> Expected(const CalculatorForm& form) {
  std::map<std::string_view, std::string> results;
  const Int16 level = ParseInt16(form.text(kLevelField));
  for (const StatKind stat : kStatKinds) {
    const Int16 value = ParseInt16(form.text(FieldName(stat, FieldRole::StatValue)));
    const Int16 c = ParseInt16(form.text(FieldName(stat, FieldRole::CValue)));
    const Float32 m =
        DivFloat32(ParseFloat32(form.text(FieldName(stat, FieldRole::Multiplier))), 100.0f);
    results[FieldName(stat, FieldRole::Minimum)] = FormatInt32(MinStatpoint(value, c, m, level));
    results[FieldName(stat, FieldRole::Maximum)] = FormatInt32(MaxStatpoint(value, c, m, level));
  }
  return results;
}

// Every count of a non-empty range shows the value it came from, wherever
// shown values rise with the count; and projecting to the window's own level
// says the same.
void CheckRoundTrip(const CalculatorForm& form) {
  const CalculatorInputs inputs = ReadInputs(form);
  const std::array<StatRange, 4> ranges = CalculateRanges(inputs);
  std::optional<Projection> projection;
  try {
    const std::string own_level[] = {form.text(kLevelField)};
    projection = Project(form, own_level);
  } catch (const RunTimeError&) {
  }
  bool every_stat_shown = true;
  for (const StatKind stat : kStatKinds) {
    const StatInputs& in = inputs.stats[StatIndex(stat)];
    const StatRange& range = ranges[StatIndex(stat)];
    const bool rising = in.StatM > 0 && in.StatC + 1 > 0 && in.StatC + inputs.level > 0;
    if (!rising || range.Min > range.Max) {
      every_stat_shown = false;
      continue;
    }
    if (ShownValue(range.Min, in.StatC, in.StatM, inputs.level) != in.StatVal ||
        ShownValue(range.Max, in.StatC, in.StatM, inputs.level) != in.StatVal)
      Fail("a range does not show its own value again");
    if (projection && (projection->levels[0].shown[StatIndex(stat)].Min != in.StatVal ||
                       projection->levels[0].shown[StatIndex(stat)].Max != in.StatVal))
      Fail("the projection to the own level differs");
  }
  if (every_stat_shown && !projection)
    Fail("the projection to the own level failed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  MemoryForm form;
  std::size_t start = 0;
  for (const Field& field : kFields) {
    if (!IsInput(field.role) || start > input.size())
      continue;
    const std::size_t end = std::min(input.find('\n', start), input.size());
    form.setText(field.name, std::string(input.substr(start, end - start)));
    start = end + 1;
  }
  const auto before = Snapshot(form);

  bool expected_ok = true;
  std::map<std::string_view, std::string> expected;
  try {
    expected = Expected(form);
  } catch (const RunTimeError&) {
    expected_ok = false;
  }

  try {
    btn_calc_Click(form);
  } catch (const RunTimeError& error) {
    if (expected_ok)
      Fail("the command failed where the rules succeed");
    if (Snapshot(form) != before)
      Fail("a failed click changed a field");
    if (FindField(error.place()) == nullptr)
      Fail("the error's place is not a field");
    try {
      if (DescribeError(error).empty())
        Fail("an empty message");
      if (FindField(FieldToFix(error)) == nullptr)
        Fail("no box to fix");
    } catch (const std::exception&) {
      Fail("describing the error threw");
    }
    return 0;
  }
  if (!expected_ok)
    Fail("the command succeeded where the rules fail");
  for (const Field& field : kFields) {
    const std::string text = form.text(field.name);
    if (IsInput(field.role) ? text != before.at(field.name) : text != expected.at(field.name))
      Fail("a field differs from what the rules give");
  }
  CheckRoundTrip(form);
  return 0;
}
