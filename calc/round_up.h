// Rounding a stat-point count up to a multiple of StatC + 1.
#pragma once

#include <cstdint>
#include <limits>

#include "calc/checked.h"

namespace kelmora {

// Raises r to the next multiple of `multiple` when RemInt32(r, multiple) is
// positive; leaves r as it is when that remainder is zero or negative, so a
// negative r is never adjusted. Gives exactly the results and errors of
// stepping r up with AddInt32(r, 1) until the remainder is zero, in constant
// time: DivisionByZero when multiple is 0, Overflow for -2147483648 with
// multiple -1 and when the next multiple lies past 2147483647.
// Passing the top records Step::RoundUp; the remainder's errors are left to
// the caller to name.
inline Int32 RoundUpToMultiple(Int32 r, Int16 multiple) {
  const Int32 remainder = RemInt32(r, multiple);
  if (remainder <= 0)
    return r;
  // A positive remainder means r > 0, where r rem c equals r rem |c|.
  const Int32 step = (multiple < 0 ? -multiple : multiple) - remainder;
  const std::int64_t target = std::int64_t{r} + step;
  if (target > std::numeric_limits<Int32>::max()) [[unlikely]] {
    // Stepping up would have failed on its way past the top: fail the same way.
    try {
      AddInt32(std::numeric_limits<Int32>::max(), 1);
    } catch (RunTimeError& error) {
      error.setStep(Step::RoundUp);
      throw;
    }
  }
  return static_cast<Int32>(target);
}

}  // namespace kelmora
