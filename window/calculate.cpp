#include "window/calculate.h"

#include <array>
#include <cstddef>
#include <tuple>
#include <utility>

#include "calc/statpoint.h"
#include "window/step_wording.h"

namespace kelmora {
namespace {

// Runs `step` for the field named `place`, stamping that place on any error.
template <typename Step>
auto At(std::string_view place, Step&& step) {
  try {
    return step();
  } catch (RunTimeError& error) {
    error.setPlace(std::string(place));
    throw;
  }
}

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

// Runs one range end for the result field `place`. An error gets that place,
// and its detail is said again in the player's terms where the step is known.
template <typename RangeEnd>
Int32 Compute(std::string_view place, const StatFacts& facts, RangeEnd&& range_end) {
  try {
    return range_end();
  } catch (const RunTimeError& error) {
    RunTimeError said(error.kind(),
                      PlayersWords(error.step(), error.kind(), facts).value_or(error.detail()));
    said.setStep(error.step());
    said.setPlace(std::string(place));
    throw said;
  }
}

std::size_t IndexOf(StatKind stat) {
  return static_cast<std::size_t>(stat);
}

}  // namespace

void btn_calc_Click(CalculatorForm& form) {
  std::array<StatInputs, kStatKinds.size()> inputs{};
  std::array<Float32, kStatKinds.size()> percents{};
  for (const StatKind stat : kStatKinds) {
    StatInputs& in = inputs[IndexOf(stat)];
    in.StatVal = ReadInt16(form, FieldName(stat, FieldRole::StatValue));
    in.StatC = ReadInt16(form, FieldName(stat, FieldRole::CValue));
    std::tie(percents[IndexOf(stat)], in.StatM) =
        ReadMultiplier(form, FieldName(stat, FieldRole::Multiplier));
  }
  const Int16 level = ReadInt16(form, kLevelField);

  std::array<StatRange, kStatKinds.size()> ranges{};
  for (const StatKind stat : kStatKinds) {
    const StatInputs& in = inputs[IndexOf(stat)];
    const StatFacts facts{in.StatVal, in.StatC, percents[IndexOf(stat)], level};
    StatRange& range = ranges[IndexOf(stat)];
    range.Min = Compute(FieldName(stat, FieldRole::Minimum), facts,
                        [&] { return MinStatpoint(in.StatVal, in.StatC, in.StatM, level); });
    range.Max = Compute(FieldName(stat, FieldRole::Maximum), facts,
                        [&] { return MaxStatpoint(in.StatVal, in.StatC, in.StatM, level); });
  }

  // Format everything before the first write, so that nothing can fail halfway.
  std::array<std::pair<std::string_view, std::string>, 2 * kStatKinds.size()> writes;
  for (const StatKind stat : kStatKinds) {
    const StatRange& range = ranges[IndexOf(stat)];
    writes[2 * IndexOf(stat)] = {FieldName(stat, FieldRole::Minimum), FormatInt32(range.Min)};
    writes[2 * IndexOf(stat) + 1] = {FieldName(stat, FieldRole::Maximum), FormatInt32(range.Max)};
  }
  for (auto& [field, text] : writes)
    form.setText(field, std::move(text));
}

std::string DescribeError(const RunTimeError& error) {
  std::string message(KindWording(error.kind()));
  const Field* field = FindField(error.place());
  if (field != nullptr) {
    message += " \xE2\x80\x94 ";  // em dash
    message += field->label;
  }
  if (!error.detail().empty()) {
    message += field != nullptr ? ": " : " \xE2\x80\x94 ";
    message += error.detail();
  }
  return message;
}

std::string_view FieldToFix(const RunTimeError& error) {
  const Field* field = FindField(error.place());
  if (field == nullptr)
    return {};
  if (IsInput(field->role))
    return field->name;
  return FieldName(*field->stat,
                   RoleToFix(error.step(), error.kind()).value_or(FieldRole::StatValue));
}

}  // namespace kelmora
