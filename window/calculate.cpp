#include "window/calculate.h"

#include <array>
#include <cstddef>
#include <utility>

#include "calc/statpoint.h"

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

// The multiplier field holds a percentage.
Float32 ReadMultiplier(const CalculatorForm& form, std::string_view field) {
  return At(field, [&] { return DivFloat32(ParseFloat32(form.text(field)), 100.0f); });
}

std::size_t IndexOf(StatKind stat) {
  return static_cast<std::size_t>(stat);
}

}  // namespace

void btn_calc_Click(CalculatorForm& form) {
  std::array<StatInputs, kStatKinds.size()> inputs{};
  for (const StatKind stat : kStatKinds) {
    StatInputs& in = inputs[IndexOf(stat)];
    in.StatVal = ReadInt16(form, FieldName(stat, FieldRole::StatValue));
    in.StatC = ReadInt16(form, FieldName(stat, FieldRole::CValue));
    in.StatM = ReadMultiplier(form, FieldName(stat, FieldRole::Multiplier));
  }
  const Int16 level = ReadInt16(form, kLevelField);

  std::array<StatRange, kStatKinds.size()> ranges{};
  for (const StatKind stat : kStatKinds) {
    const StatInputs& in = inputs[IndexOf(stat)];
    StatRange& range = ranges[IndexOf(stat)];
    range.Min = At(FieldName(stat, FieldRole::Minimum),
                   [&] { return MinStatpoint(in.StatVal, in.StatC, in.StatM, level); });
    range.Max = At(FieldName(stat, FieldRole::Maximum),
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
    if (!IsInput(field->role))
      message += "calculating the ";
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
  return FieldName(*field->stat, FieldRole::StatValue);
}

}  // namespace kelmora
