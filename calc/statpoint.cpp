#include "calc/statpoint.h"

#include "calc/round_up.h"

namespace kelmora {
namespace {

// The lowest initial count that reaches `dividend` shown units.
Int32 LowestCount(Float32 dividend, Int16 StatC, Float32 StatM, Int16 Level) {
  const Float32 q = DivFloat32(dividend, StatM);
  // Exact: a power of two, carried in double where no single could hold it.
  const Float64 b = static_cast<Float64>(q) * STAT_POINT_SCALE;
  const Int16 c1 = AddInt16(StatC, 1);
  const Int16 cl = AddInt16(StatC, Level);
  const Float64 ratio = DivFloat64(c1, cl);
  const Float64 p = ratio * b;
  return RoundUpToMultiple(RoundToInt32(p), c1);
}

}  // namespace

Int32 MinStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level) {
  return LowestCount(StatVal, StatC, StatM, Level);
}

Int32 MaxStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level) {
  const Int16 next = AddInt16(StatVal, 1);
  return SubInt32(LowestCount(next, StatC, StatM, Level), 1);
}

}  // namespace kelmora
