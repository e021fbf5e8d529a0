// The range of initial stat points behind a shown stat value.
#pragma once

#include "calc/checked.h"

namespace kelmora {

// Stat points per shown unit at multiplier 1.0.
inline constexpr Int32 STAT_POINT_SCALE = 16384;

// The lowest initial stat-point count that ends at StatVal, for C-value StatC,
// multiplier StatM (a fraction: 108 % arrives as the single nearest 1.08) and
// Level. Throws RunTimeError at the first failed check, in the order:
// DivisionByZero / InvalidOperation / Overflow for StatVal / StatM;
// Overflow for StatC + 1 and for StatC + Level; DivisionByZero /
// InvalidOperation when StatC + Level is 0; Overflow when the scaled count
// leaves the Int32 range; DivisionByZero when StatC + 1 is 0; Overflow when
// rounding up to a multiple of StatC + 1 passes the Int32 range.
Int32 MinStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level);

// The highest initial count: one below the lowest count that reaches
// StatVal + 1. Overflow first when StatVal is 32767, and last when the count
// before subtracting 1 is -2147483648; otherwise as MinStatpoint.
Int32 MaxStatpoint(Int16 StatVal, Int16 StatC, Float32 StatM, Int16 Level);

}  // namespace kelmora
