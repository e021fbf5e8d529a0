#include "window/step_wording.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kelmora {
namespace {

constexpr auto kOverflow = ErrorKind::Overflow;
constexpr auto kDivZero = ErrorKind::DivisionByZero;
constexpr auto kInvalid = ErrorKind::InvalidOperation;

// {value}, {c}, {level}, {multiplier} and {count} stand for the stat's inputs. The
// multiplier is the usual culprit when a count leaves its range; the level is
// shared by all four stats and usually right, so a C-value step fixes the C-value.
struct StepWording {
  Step step;
  ErrorKind kind;
  FieldRole fix;
  std::string_view words;
};

constexpr std::array<StepWording, 17> kStepWordings = {{
    {Step::StatValPlusOne, kOverflow, FieldRole::StatValue,
     "stat value {value} plus 1 is outside -32768\xE2\x80\xA6"
     "32767"},
    {Step::Quotient, kDivZero, FieldRole::Multiplier, "the multiplier is {multiplier} %"},
    {Step::Quotient, kInvalid, FieldRole::Multiplier,
     "stat value {value} over a multiplier of {multiplier} % has no defined result"},
    {Step::Quotient, kOverflow, FieldRole::Multiplier,
     "stat value {value} over a multiplier of {multiplier} % is beyond the single-precision range"},
    {Step::CPlusOne, kOverflow, FieldRole::CValue,
     "C-value {c} plus 1 is outside -32768\xE2\x80\xA6"
     "32767"},
    {Step::CPlusLevel, kOverflow, FieldRole::CValue,
     "C-value {c} plus level {level} is outside -32768\xE2\x80\xA6"
     "32767"},
    {Step::Ratio, kDivZero, FieldRole::CValue, "C-value {c} plus level {level} is 0"},
    {Step::Ratio, kInvalid, FieldRole::CValue,
     "C-value {c} plus 1 and C-value {c} plus level {level} are both 0"},
    {Step::RoundToInt32, kOverflow, FieldRole::Multiplier,
     "the stat points for stat value {value} at a multiplier of {multiplier} % are outside "
     "-2147483648\xE2\x80\xA6"
     "2147483647"},
    {Step::Remainder, kDivZero, FieldRole::CValue, "C-value {c} plus 1 is 0"},
    {Step::Remainder, kOverflow, FieldRole::CValue,
     "-2147483648 stat points cannot be rounded to a multiple of C-value {c} plus 1"},
    {Step::RoundUp, kOverflow, FieldRole::Multiplier,
     "the stat points for stat value {value} at a multiplier of {multiplier} %, rounded up to a "
     "multiple of C-value {c} plus 1, pass 2147483647"},
    {Step::MinusOne, kOverflow, FieldRole::Multiplier,
     "the stat points for stat value {value} at a multiplier of {multiplier} %, less 1, fall "
     "below -2147483648"},
    // Showing a count at another level needs shown values that rise with the count.
    {Step::MultiplierNotPositive, kInvalid, FieldRole::Multiplier,
     "shown values rise with the stat points only for a multiplier above 0 %, not {multiplier} %"},
    {Step::CPlusOneNotPositive, kInvalid, FieldRole::CValue,
     "shown values rise with the stat points only where C-value plus 1 is above 0, and C-value "
     "{c} plus 1 is not"},
    {Step::CPlusLevelNotPositive, kInvalid, FieldRole::CValue,
     "shown values rise with the stat points only where C-value plus level is above 0, and "
     "C-value {c} plus level {level} is not"},
    {Step::CountBeyondShownValues, kOverflow, FieldRole::Level,
     "{count} stat points lie beyond every shown value from -32768 to 32766 at level {level}"},
}};

const StepWording* Find(Step step, ErrorKind kind) {
  const auto it =
      std::find_if(kStepWordings.begin(), kStepWordings.end(),
                   [&](const StepWording& w) { return w.step == step && w.kind == kind; });
  return it == kStepWordings.end() ? nullptr : &*it;
}

// A step whose kind the table does not list still has a box to fix: the one
// its other kinds name.
const StepWording* FindStep(Step step) {
  const auto it = std::find_if(kStepWordings.begin(), kStepWordings.end(),
                               [&](const StepWording& w) { return w.step == step; });
  return it == kStepWordings.end() ? nullptr : &*it;
}

std::string Fill(std::string_view words, const StatFacts& facts) {
  const std::array<std::pair<std::string_view, std::string>, 5> values = {{
      {"{value}", std::to_string(facts.StatVal)},
      {"{c}", std::to_string(facts.StatC)},
      {"{level}", std::to_string(facts.Level)},
      {"{multiplier}", FormatFloat32(facts.percent)},
      {"{count}", std::to_string(facts.count)},
  }};
  std::string text;
  while (!words.empty()) {
    const auto open = words.find('{');
    text += words.substr(0, open);
    if (open == std::string_view::npos)
      break;
    words.remove_prefix(open);
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const auto& value) { return words.starts_with(value.first); });
    if (it == values.end()) {
      text += '{';
      words.remove_prefix(1);
      continue;
    }
    text += it->second;
    words.remove_prefix(it->first.size());
  }
  return text;
}

}  // namespace

std::optional<FieldRole> RoleToFix(Step step, ErrorKind kind) {
  const StepWording* wording = Find(step, kind);
  if (wording == nullptr)
    wording = FindStep(step);
  if (wording == nullptr)
    return std::nullopt;
  return wording->fix;
}

std::optional<std::string> PlayersWords(Step step, ErrorKind kind, const StatFacts& facts) {
  const StepWording* wording = Find(step, kind);
  if (wording == nullptr)
    return std::nullopt;
  return Fill(wording->words, facts);
}

}  // namespace kelmora
