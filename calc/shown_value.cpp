#include "calc/shown_value.h"

#include <limits>
#include <string>
#include <string_view>

#include "calc/statpoint.h"

namespace kelmora {
namespace {

[[noreturn]] void Fail(ErrorKind kind, Step step, std::string detail) {
  RunTimeError error(kind, std::move(detail));
  error.setStep(step);
  throw error;
}

Int16 CheckedSum(Int16 StatC, Int16 addend, Step step) {
  try {
    return AddInt16(StatC, addend);
  } catch (RunTimeError& error) {
    error.setStep(step);
    throw;
  }
}

}  // namespace

Int16 ShownValue(Int32 Count, Int16 StatC, Float32 StatM, Int16 Level) {
  const Int16 c1 = CheckedSum(StatC, 1, Step::CPlusOne);
  const Int16 cl = CheckedSum(StatC, Level, Step::CPlusLevel);
  // MinStatpoint does not fall as v rises when these hold: v / StatM, rounded
  // to single, rises with v for StatM > 0, and so does its exact scaling by
  // 2^14; a positive ratio (StatC + 1) / (StatC + Level) keeps p and its
  // rounding to a whole number rising; and the round-up leaves every r <= 0 as
  // it is and lifts every r > 0 to the next multiple of StatC + 1 > 0, which
  // keeps the order. So the ranges R(v) follow each other without gap or
  // overlap, and one bisection finds the one that holds the count.
  if (!(StatM > 0))
    Fail(ErrorKind::InvalidOperation, Step::MultiplierNotPositive, "the multiplier is not above 0");
  if (c1 <= 0)
    Fail(ErrorKind::InvalidOperation, Step::CPlusOneNotPositive, "StatC + 1 is not above 0");
  if (cl <= 0)
    Fail(ErrorKind::InvalidOperation, Step::CPlusLevelNotPositive, "StatC + Level is not above 0");

  // Whether R(v) starts at or below the count. Only a count past the Int32
  // range makes MinStatpoint fail here, above every count for v > 0 and below
  // every count for v < 0 (v = 0 always gives 0).
  const auto starts_at_or_below = [&](int v) {
    try {
      return MinStatpoint(static_cast<Int16>(v), StatC, StatM, Level) <= Count;
    } catch (const RunTimeError&) {
      return v < 0;
    }
  };
  const auto beyond = [&](std::string_view where) {
    Fail(ErrorKind::Overflow, Step::CountBeyondShownValues,
         std::to_string(Count) + " stat points are " + std::string(where));
  };
  int low = std::numeric_limits<Int16>::min();
  if (!starts_at_or_below(low))
    beyond("below every shown value");
  // starts_at_or_below(low) holds, and would fail at high.
  int high = std::numeric_limits<Int16>::max() + 1;
  while (high - low > 1) {
    const int middle = low + (high - low) / 2;
    if (starts_at_or_below(middle))
      low = middle;
    else
      high = middle;
  }
  if (low == std::numeric_limits<Int16>::max())
    beyond("above shown value 32766");
  return static_cast<Int16>(low);
}

}  // namespace kelmora
