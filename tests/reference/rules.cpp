// The range calculation, step by step as the rules state it, in exact
// arithmetic with each rounding and each check written out.
#include <cstdint>

#include "tests/reference/reference.h"

namespace kelmora::reference {
namespace {

constexpr std::int64_t kInt16Min = -32768;
constexpr std::int64_t kInt16Max = 32767;
constexpr std::int64_t kInt32Min = -2147483648LL;
constexpr std::int64_t kInt32Max = 2147483647LL;
constexpr std::int64_t kStatPointScale = 16384;

[[noreturn]] void Fail(ErrorKind kind, Step step) {
  RunTimeError error(kind, "reference");
  error.setStep(step);
  throw error;
}

Int16 AddInt16(std::int64_t a, std::int64_t b, Step step) {
  const std::int64_t sum = a + b;
  if (sum < kInt16Min || sum > kInt16Max)
    Fail(ErrorKind::Overflow, step);
  return static_cast<Int16>(sum);
}

Int32 AddInt32(std::int64_t a, std::int64_t b, Step step) {
  const std::int64_t sum = a + b;
  if (sum < kInt32Min || sum > kInt32Max)
    Fail(ErrorKind::Overflow, step);
  return static_cast<Int32>(sum);
}

// The truncated remainder, as an integer division would give it.
Int32 RemInt32(std::int64_t a, std::int64_t d, Step step) {
  if (d == 0)
    Fail(ErrorKind::DivisionByZero, step);
  if (a / d > kInt32Max)  // only -2^31 / -1
    Fail(ErrorKind::Overflow, step);
  return static_cast<Int32>(a % d);
}

// A float division followed by the status check: the exact quotient rounded
// to `format`, then invalid operation, division by zero, overflow.
Rational Divide(const Rational& a, const Rational& b, Format format, Step step,
                std::optional<Rational>& exact) {
  if (b == 0)
    Fail(a == 0 ? ErrorKind::InvalidOperation : ErrorKind::DivisionByZero, step);
  exact = a / b;
  const auto rounded = RoundToFormat(*exact, format);
  if (!rounded)
    Fail(ErrorKind::Overflow, step);
  return *rounded;
}

Int32 RoundToInt32(const Rational& x, Step step) {
  const Integer rounded = RoundToInteger(x);
  if (rounded < kInt32Min || rounded > kInt32Max)
    Fail(ErrorKind::Overflow, step);
  return static_cast<Int32>(rounded);
}

// Steps 1 to 9, from the dividend (StatVal, or StatVal + 1 for the maximum).
Int32 LowestCount(Int16 dividend, Int16 StatC, const Rational& StatM, Int16 Level, Trace& t) {
  // 1. The quotient, in single precision.
  const Rational q = Divide(Rational(dividend), StatM, kBinary32, Step::Quotient, t.exact_quotient);
  t.q = q;
  // 2. Scaled to stat points: exact.
  const Rational b = q * kStatPointScale;
  // 3, 4.
  const Int16 c1 = AddInt16(StatC, 1, Step::CPlusOne);
  const Int16 cl = AddInt16(StatC, Level, Step::CPlusLevel);
  // 5. The growth ratio, in double precision.
  const Rational ratio = Divide(Rational(c1), Rational(cl), kBinary64, Step::Ratio, t.exact_ratio);
  t.ratio = ratio;
  // 6. The product, rounded once to double precision.
  t.exact_p = ratio * b;
  const auto p = RoundToFormat(*t.exact_p, kBinary64);
  if (!p)
    Fail(ErrorKind::Overflow, Step::RoundToInt32);  // cannot happen: |p| < 2^158
  t.p = *p;
  // 7. To a whole number, ties to even.
  Int32 r = RoundToInt32(*p, Step::RoundToInt32);
  t.r = r;
  // 8. Up to a multiple of StatC + 1, one at a time.
  if (RemInt32(r, c1, Step::Remainder) > 0) {
    do {
      r = AddInt32(r, 1, Step::RoundUp);
    } while (RemInt32(r, AddInt16(StatC, 1, Step::RoundUp), Step::RoundUp) != 0);
  }
  // 9.
  return r;
}

}  // namespace

Int32 MinStatpoint(Int16 StatVal, Int16 StatC, const Rational& StatM, Int16 Level, Trace* trace) {
  Trace ignored;
  return LowestCount(StatVal, StatC, StatM, Level, trace != nullptr ? *trace : ignored);
}

Int32 MaxStatpoint(Int16 StatVal, Int16 StatC, const Rational& StatM, Int16 Level, Trace* trace) {
  Trace ignored;
  const Int16 next = AddInt16(StatVal, 1, Step::StatValPlusOne);
  const Int32 r = LowestCount(next, StatC, StatM, Level, trace != nullptr ? *trace : ignored);
  return AddInt32(r, -1, Step::MinusOne);
}

}  // namespace kelmora::reference
