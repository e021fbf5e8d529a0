// Rounding an exact rational to a binary format or to a whole number.
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "tests/reference/reference.h"

namespace kelmora::reference {
namespace {

Rational PowerOfTwo(long exponent) {
  const Integer one = 1;
  return exponent >= 0 ? Rational(one << exponent) : Rational(one, one << -exponent);
}

// floor(log2(x)) for x > 0.
long FloorLog2(const Rational& x) {
  const Integer& n = numerator(x);
  const Integer& d = denominator(x);
  long e = static_cast<long>(msb(n)) - static_cast<long>(msb(d));
  if (x < PowerOfTwo(e))
    --e;
  return e;
}

// n / d rounded to a whole number, ties to even; d > 0.
Integer DivideRoundingToEven(const Integer& n, const Integer& d) {
  Integer quotient;
  Integer remainder;
  divide_qr(n, d, quotient, remainder);  // truncates toward zero
  if (remainder < 0) {
    remainder += d;
    quotient -= 1;
  }
  const Integer twice = 2 * remainder;
  if (twice > d || (twice == d && bit_test(quotient, 0)))
    quotient += 1;
  return quotient;
}

// x as m × 2^e with m a whole number of `bits` bits, then as a Float.
template <typename Float>
Float ToFloat(const Rational& x, int bits) {
  if (x == 0)
    return 0;
  const Rational magnitude = abs(x);
  const long e = FloorLog2(magnitude) - (bits - 1);
  const Rational scaled = magnitude / PowerOfTwo(e);
  if (denominator(scaled) != 1)
    throw std::invalid_argument("not representable");
  const auto m = static_cast<std::int64_t>(numerator(scaled));
  const Float value = std::ldexp(static_cast<Float>(m), static_cast<int>(e));
  return x < 0 ? -value : value;
}

// The spacing of the format's numbers around x != 0: fixed below the normal range.
Rational Spacing(const Rational& magnitude, Format format) {
  const long exponent = std::max(FloorLog2(magnitude), static_cast<long>(format.min_exponent));
  return PowerOfTwo(exponent - (format.precision - 1));
}

}  // namespace

std::optional<Rational> RoundToFormat(const Rational& x, Format format) {
  if (x == 0)
    return Rational(0);
  const Rational magnitude = abs(x);
  const Rational spacing = Spacing(magnitude, format);
  const Rational in_spacings = magnitude / spacing;
  const Rational rounded =
      Rational(DivideRoundingToEven(numerator(in_spacings), denominator(in_spacings))) * spacing;
  if (rounded >= PowerOfTwo(format.max_exponent + 1))
    return std::nullopt;
  return x < 0 ? Rational(-rounded) : rounded;
}

Rational HalfwayDistance(const Rational& x, Format format) {
  if (x == 0)
    return Rational(1, 2);
  const Rational magnitude = abs(x);
  const Rational in_spacings = magnitude / Spacing(magnitude, format);
  const Rational fraction =
      in_spacings - Rational(numerator(in_spacings) / denominator(in_spacings));
  return abs(fraction - Rational(1, 2));
}

Integer RoundToInteger(const Rational& x) {
  return DivideRoundingToEven(numerator(x), denominator(x));
}

Rational Exact(Float64 x) {
  if (!std::isfinite(x))
    throw std::invalid_argument("not finite");
  int exponent = 0;
  const Float64 fraction = std::frexp(x, &exponent);  // x = fraction × 2^exponent, |fraction| < 1
  // 53 bits of fraction make a whole number.
  const auto whole = static_cast<std::int64_t>(std::ldexp(fraction, 53));
  return Rational(Integer(whole)) * PowerOfTwo(exponent - 53);
}

Float32 ToFloat32(const Rational& x) {
  return ToFloat<Float32>(x, 24);
}

Float64 ToFloat64(const Rational& x) {
  return ToFloat<Float64>(x, 53);
}

}  // namespace kelmora::reference
