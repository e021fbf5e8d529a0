#include "calc/statpoint.h"

#include "calc/round_up.h"

namespace kelmora {
namespace {

// Records on an error the step that raised it, unless a deeper one already did.
[[noreturn]] void Rethrow(RunTimeError& error, Step step) {
  if (error.step() == Step::None)
    error.setStep(step);
  throw;
}

// The lowest initial count that reaches `dividend` shown units. `step` names
// the check under way, so that a failure can say which it was; the checks
// themselves, and so the kinds and the failure order, are the rules'.
Int32 LowestCount(Float32 dividend, Int16 StatC, Float32 StatM, Int16 Level) {
  Step step = Step::Quotient;
  try {
    const Float32 q = DivFloat32(dividend, StatM);
    // Exact: a power of two, carried in double where no single could hold it.
    const Float64 b = static_cast<Float64>(q) * STAT_POINT_SCALE;
    step = Step::CPlusOne;
    const Int16 c1 = AddInt16(StatC, 1);
    step = Step::CPlusLevel;
    const Int16 cl = AddInt16(StatC, Level);
    step = Step::Ratio;
    const Float64 ratio = DivFloat64(c1, cl);
    const Float64 p = ratio * b;
    step = Step::RoundToInt32;
    const Int32 r = RoundToInt32(p);
    step = Step::Remainder;  // RoundUpToMultiple names its own step for passing the top
    return RoundUpToMultiple(r, c1);
  } catch (RunTimeError& error) {
    Rethrow(error, step);
  }
}

}  // namespace

Int32 MinStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level) {
  return LowestCount(StatVal, StatC, StatM, Level);
}

Int32 MaxStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level) {
  Int16 next = 0;
  try {
    next = AddInt16(StatVal, 1);
  } catch (RunTimeError& error) {
    Rethrow(error, Step::StatValPlusOne);
  }
  const Int32 lowest = LowestCount(next, StatC, StatM, Level);
  try {
    return SubInt32(lowest, 1);
  } catch (RunTimeError& error) {
    Rethrow(error, Step::MinusOne);
  }
}

}  // namespace kelmora
