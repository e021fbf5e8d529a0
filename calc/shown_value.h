// The range calculation run the other way: the value a count of initial stat
// points shows at a level.
#pragma once

#include "calc/checked.h"

namespace kelmora {

// The shown value v whose range [MinStatpoint(v, …), MaxStatpoint(v, …)]
// holds Count: the largest v with MinStatpoint(v, StatC, StatM, Level) <=
// Count, found by bisection over the Int16 values with MinStatpoint itself,
// so that it agrees with the range calculation by construction. A
// MinStatpoint that fails for some v (its count past the Int32 range) lies
// beyond every count on v's side of zero.
// Throws RunTimeError, in this order: Overflow at Step::CPlusOne or
// Step::CPlusLevel where StatC + 1 or StatC + Level leaves the Int16 range (the
// rules fail there for every v); InvalidOperation at
// Step::MultiplierNotPositive, CPlusOneNotPositive or CPlusLevelNotPositive
// where StatM, StatC + 1 or StatC + Level is not above 0; Overflow at
// Step::CountBeyondShownValues for a count below the range of -32768 or above
// the range of 32766 (32767 has no maximum).
Int16 ShownValue(Int32 Count, Int16 StatC, Float32 StatM, Int16 Level);

}  // namespace kelmora
