// The value kinds and the checked operations every calculation is written in.
// Each operation either returns its exact (or correctly rounded) result or
// throws RunTimeError at the failing check; none has undefined behaviour.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "calc/run_time_error.h"

namespace kelmora {

using Int16 = std::int16_t;
using Int32 = std::int32_t;
using Float32 = float;
using Float64 = double;

static_assert(sizeof(Float32) == 4 && sizeof(Float64) == 8);

// a + b. Overflow when the sum leaves -32768…32767.
Int16 AddInt16(Int16 a, Int16 b);
// a + b. Overflow when the sum leaves the Int32 range.
Int32 AddInt32(Int32 a, Int32 b);
// a - b. Overflow when the difference leaves the Int32 range.
Int32 SubInt32(Int32 a, Int32 b);
// Truncated remainder: the sign of a, magnitude below |d|.
// DivisionByZero when d is 0; Overflow for -2147483648 rem -1.
Int32 RemInt32(Int32 a, Int32 d);

// Correctly rounded quotients, followed by the status check:
// InvalidOperation for 0/0 (and any NaN or inf/inf), DivisionByZero for a
// non-zero value divided by zero, Overflow when the quotient is not finite.
// Underflow is not an error: a tiny quotient becomes subnormal or zero.
Float32 DivFloat32(Float32 a, Float32 b);
Float64 DivFloat64(Float64 a, Float64 b);

// Nearest integer, an exact half going to the even neighbour.
// Overflow when the rounded value (or a NaN) is outside the Int32 range.
Int32 RoundToInt32(Float64 x);

// The number a text denotes, rounded from its exact decimal value.
// Accepted: [blanks] [+|-] (digits [. [digits]] | . digits) [(e|E) [+|-] digits] [blanks]
// where blanks are spaces and tabs. TypeMismatch for anything else, the empty
// text included. Linear in the text's length, with bounded memory.
//
// ParseInt16 rounds halves to even; Overflow when the result leaves -32768…32767.
Int16 ParseInt16(std::string_view text);
// ParseFloat32 rounds once to binary32, halves to even; tiny values become
// subnormal or (signed) zero. Overflow when the value rounds beyond the
// largest finite single.
Float32 ParseFloat32(std::string_view text);

// Plain decimal digits with a leading "-" when negative: "621423", "-5", "0".
std::string FormatInt32(Int32 n);

// The shortest text that reads back as x, for messages: "108", "97.5", "1e-44".
std::string FormatFloat32(Float32 x);

// --- Definitions ---------------------------------------------------------------
// Inline, so that each check costs a compare on the way; building the error
// is out of line.

namespace detail {
[[noreturn]] void ThrowInt16Overflow(Int16 a, const char* op, Int16 b);
[[noreturn]] void ThrowInt32Overflow(Int32 a, const char* op, Int32 b);
[[noreturn]] void ThrowRemainderByZero(Int32 a);
[[noreturn]] void ThrowDivisionFailure(Float64 a, Float64 b);
[[noreturn]] void ThrowRoundingOverflow(Float64 x);

// Any quotient that is not finite came from a failed division; the slow path
// sorts out which kind.
template <typename Float>
inline Float CheckedDivide(Float a, Float b) {
  const Float quotient = a / b;
  if (!std::isfinite(quotient)) [[unlikely]] {
    ThrowDivisionFailure(static_cast<Float64>(a), static_cast<Float64>(b));
  }
  return quotient;
}
}  // namespace detail

inline Int16 AddInt16(Int16 a, Int16 b) {
  // Both promote to int, whose range holds any sum of two Int16.
  const int sum = a + b;
  if (sum < std::numeric_limits<Int16>::min() || sum > std::numeric_limits<Int16>::max())
      [[unlikely]] {
    detail::ThrowInt16Overflow(a, " + ", b);
  }
  return static_cast<Int16>(sum);
}

inline Int32 AddInt32(Int32 a, Int32 b) {
  const std::int64_t sum = std::int64_t{a} + b;
  if (sum < std::numeric_limits<Int32>::min() || sum > std::numeric_limits<Int32>::max())
      [[unlikely]] {
    detail::ThrowInt32Overflow(a, " + ", b);
  }
  return static_cast<Int32>(sum);
}

inline Int32 SubInt32(Int32 a, Int32 b) {
  const std::int64_t difference = std::int64_t{a} - b;
  if (difference < std::numeric_limits<Int32>::min() ||
      difference > std::numeric_limits<Int32>::max()) [[unlikely]] {
    detail::ThrowInt32Overflow(a, " - ", b);
  }
  return static_cast<Int32>(difference);
}

inline Int32 RemInt32(Int32 a, Int32 d) {
  if (d == 0) [[unlikely]] {
    detail::ThrowRemainderByZero(a);
  }
  // The quotient -2147483648 / -1 does not fit, so the division that yields
  // the remainder fails too.
  if (a == std::numeric_limits<Int32>::min() && d == -1) [[unlikely]] {
    detail::ThrowInt32Overflow(a, " / ", d);
  }
  return a % d;
}

inline Float32 DivFloat32(Float32 a, Float32 b) {
  return detail::CheckedDivide(a, b);
}

inline Float64 DivFloat64(Float64 a, Float64 b) {
  return detail::CheckedDivide(a, b);
}

inline Int32 RoundToInt32(Float64 x) {
  // nearbyint rounds in the current mode: to nearest, halves to even, which
  // is the mode every program starts in and this one never changes.
  const Float64 rounded = std::nearbyint(x);
  // Written so that NaN fails too.
  if (!(rounded >= std::numeric_limits<Int32>::min() &&
        rounded <= std::numeric_limits<Int32>::max())) [[unlikely]] {
    detail::ThrowRoundingOverflow(x);
  }
  return static_cast<Int32>(rounded);
}

}  // namespace kelmora
