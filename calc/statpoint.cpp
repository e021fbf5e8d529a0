#include "calc/statpoint.h"

#include "calc/round_up.h"

namespace kelmora {
namespace {

// Runs one step of the range calculation, recording on any error which step
// it was. The check itself, and so the kind and the failure order, stay as
// they are.
template <typename Check>
auto AtStep(Step step, Check&& check) {
  try {
    return check();
  } catch (RunTimeError& error) {
    error.setStep(step);
    throw;
  }
}

// The lowest initial count that reaches `dividend` shown units.
Int32 LowestCount(Float32 dividend, Int16 StatC, Float32 StatM, Int16 Level) {
  const Float32 q = AtStep(Step::Quotient, [&] { return DivFloat32(dividend, StatM); });
  // Exact: a power of two, carried in double where no single could hold it.
  const Float64 b = static_cast<Float64>(q) * STAT_POINT_SCALE;
  const Int16 c1 = AtStep(Step::CPlusOne, [&] { return AddInt16(StatC, 1); });
  const Int16 cl = AtStep(Step::CPlusLevel, [&] { return AddInt16(StatC, Level); });
  const Float64 ratio = AtStep(Step::Ratio, [&] { return DivFloat64(c1, cl); });
  const Float64 p = ratio * b;
  const Int32 r = AtStep(Step::RoundToInt32, [&] { return RoundToInt32(p); });
  return RoundUpToMultiple(r, c1);
}

}  // namespace

Int32 MinStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level) {
  return LowestCount(StatVal, StatC, StatM, Level);
}

Int32 MaxStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level) {
  const Int16 next = AtStep(Step::StatValPlusOne, [&] { return AddInt16(StatVal, 1); });
  const Int32 lowest = LowestCount(next, StatC, StatM, Level);
  return AtStep(Step::MinusOne, [&] { return SubInt32(lowest, 1); });
}

}  // namespace kelmora
