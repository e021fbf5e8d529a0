#include "window/calculate.h"

#include <array>
#include <cstddef>
#include <tuple>
#include <utility>

#include "calc/statpoint.h"
#include "window/placed.h"
#include "window/places.h"

namespace kelmora {
namespace {

Int16 ReadInt16(const CalculatorForm& form, std::string_view field) {
  return At(field, [&] { return ParseInt16(form.text(field)); });
}

// The multiplier field holds a percentage: returns it, and StatM.
std::pair<Float32, Float32> ReadMultiplier(const CalculatorForm& form, std::string_view field) {
  return At(field, [&] {
    const Float32 percent = ParseFloat32(form.text(field));
    return std::pair{percent, DivFloat32(percent, 100.0f)};
  });
}

}  // namespace

CalculatorInputs ReadInputs(const CalculatorForm& form) {
  CalculatorInputs inputs{};
  for (const StatKind stat : kStatKinds) {
    StatInputs& in = inputs.stats[StatIndex(stat)];
    in.StatVal = ReadInt16(form, FieldName(stat, FieldRole::StatValue));
    in.StatC = ReadInt16(form, FieldName(stat, FieldRole::CValue));
    std::tie(inputs.percents[StatIndex(stat)], in.StatM) =
        ReadMultiplier(form, FieldName(stat, FieldRole::Multiplier));
  }
  inputs.level = ReadInt16(form, kLevelField);
  return inputs;
}

StatRange StatRangeAt(const StatInputs& in, Float32 percent, Int16 level,
                      std::string_view min_place, std::string_view max_place) {
  const StatFacts facts{in.StatVal, in.StatC, percent, level};
  return {
      SaidAt(min_place, facts, [&] { return MinStatpoint(in.StatVal, in.StatC, in.StatM, level); }),
      SaidAt(max_place, facts,
             [&] { return MaxStatpoint(in.StatVal, in.StatC, in.StatM, level); })};
}

std::array<StatRange, 4> CalculateRanges(const CalculatorInputs& inputs) {
  std::array<StatRange, kStatKinds.size()> ranges{};
  for (const StatKind stat : kStatKinds) {
    ranges[StatIndex(stat)] =
        StatRangeAt(inputs.stats[StatIndex(stat)], inputs.percents[StatIndex(stat)], inputs.level,
                    FieldName(stat, FieldRole::Minimum), FieldName(stat, FieldRole::Maximum));
  }
  return ranges;
}

void btn_calc_Click(CalculatorForm& form) {
  const std::array<StatRange, 4> ranges = CalculateRanges(ReadInputs(form));

  // Format everything before the first write, so that nothing can fail halfway.
  std::array<std::pair<std::string_view, std::string>, 2 * kStatKinds.size()> writes;
  for (const StatKind stat : kStatKinds) {
    const StatRange& range = ranges[StatIndex(stat)];
    writes[2 * StatIndex(stat)] = {FieldName(stat, FieldRole::Minimum), FormatInt32(range.Min)};
    writes[2 * StatIndex(stat) + 1] = {FieldName(stat, FieldRole::Maximum), FormatInt32(range.Max)};
  }
  for (auto& [field, text] : writes)
    form.setText(field, std::move(text));
}

std::string DescribeError(const RunTimeError& error) {
  std::string message(KindWording(error.kind()));
  const auto place = ParsePlace(error.place());
  const std::string label = place ? PlaceLabel(*place) : std::string();
  if (!label.empty())
    message += " \xE2\x80\x94 " + label;  // em dash
  if (!error.detail().empty()) {
    message += !label.empty() ? ": " : " \xE2\x80\x94 ";
    message += error.detail();
  }
  return message;
}

std::string FieldToFix(const RunTimeError& error) {
  const auto place = ParsePlace(error.place());
  if (!place)
    return {};
  if (place->field == nullptr || IsInput(place->field->role))
    return BoxToFix(*place, place->field ? place->field->role : FieldRole::Level);
  return BoxToFix(*place, RoleToFix(error.step(), error.kind()).value_or(FieldRole::StatValue));
}

}  // namespace kelmora
