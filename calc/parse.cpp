// The two text conversions. Both work from the exact decimal value of the
// text, so no intermediate rounding (for instance through double) can shift
// a result that lies on or next to a rounding boundary.
#include <cmath>
#include <cstring>
#include <limits>

#include "calc/big_uint.h"
#include "calc/bit_cast.h"
#include "calc/checked.h"
#include "calc/decimal_text.h"
#include "calc/quote_text.h"

namespace kelmora {
namespace {

DecimalValue ReadNumber(std::string_view text) {
  auto value = DecimalValue::Read(text);
  if (!value) {
    throw RunTimeError(ErrorKind::TypeMismatch, QuoteText(text) + " is not a number", text);
  }
  return *value;
}

// --- Int16 -------------------------------------------------------------------

Int16 RoundToInt16(const DecimalValue& value, std::string_view text) {
  const auto overflow = [&] {
    return RunTimeError(ErrorKind::Overflow,
                        QuoteText(text) +
                            " is outside -32768\xE2\x80\xA6"
                            "32767",
                        text);
  };
  if (value.isZero() || value.point() < 0)
    return 0;  // below 0.1 in magnitude
  if (value.point() > 5)
    throw overflow();  // at least 100000

  const auto point = static_cast<std::size_t>(value.point());
  const auto digit_at = [&](std::size_t i) { return i < value.digitCount() ? value.digit(i) : 0; };
  std::int32_t magnitude = 0;
  for (std::size_t i = 0; i < point; ++i)
    magnitude = magnitude * 10 + digit_at(i);

  // Half to even, judged on the exact fraction: its first digit, and whether
  // any non-zero digit follows it (digits are stored without trailing zeros).
  const int first_fraction_digit = digit_at(point);
  const bool more_after_it = value.digitCount() > point + 1;
  if (first_fraction_digit > 5 || (first_fraction_digit == 5 && (more_after_it || magnitude % 2))) {
    ++magnitude;
  }
  const std::int32_t result = value.negative() ? -magnitude : magnitude;
  if (result < std::numeric_limits<Int16>::min() || result > std::numeric_limits<Int16>::max()) {
    throw overflow();
  }
  return static_cast<Int16>(result);
}

// --- Float32 -----------------------------------------------------------------

// Enough significant digits to decide every rounding of a binary32: no halfway
// point between two singles has more than 112 when written in decimal, so the
// digits past these only matter as "some non-zero digit follows".
constexpr std::size_t kMaxDigits = 120;
constexpr std::uint32_t kLargestFiniteBits = 0x7F7FFFFF;
constexpr std::uint32_t kInfinityBits = 0x7F800000;

// The value as M × 10^k, plus whether non-zero digits were cut off after M.
struct ScaledDigits {
  BigUint mantissa;
  std::int64_t exponent10 = 0;
  bool sticky = false;
};

ScaledDigits Truncate(const DecimalValue& value) {
  ScaledDigits scaled;
  const std::size_t taken = std::min(value.digitCount(), kMaxDigits);
  for (std::size_t i = 0; i < taken; ++i) {
    scaled.mantissa.MulAdd(10, static_cast<std::uint32_t>(value.digit(i)));
  }
  // Digits are stored without trailing zeros, so any cut-off digit run is non-zero.
  scaled.sticky = value.digitCount() > taken;
  scaled.exponent10 = value.point() - static_cast<std::int64_t>(taken);
  return scaled;
}

// Sign of (exact value - the point halfway between single `bits` and the next one up).
int CompareWithHalfwayAbove(const ScaledDigits& value, std::uint32_t bits) {
  const std::uint32_t biased = bits >> 23;
  const std::uint32_t fraction = bits & 0x7FFFFF;
  const std::uint32_t m = biased == 0 ? fraction : (fraction | 0x800000);
  const std::int64_t e = biased == 0 ? -149 : static_cast<std::int64_t>(biased) - 150;
  // Halfway = (2m + 1) × 2^(e - 1); value = M × 5^k × 2^k.
  BigUint lhs = value.mantissa;
  BigUint rhs(2 * m + 1);
  if (value.exponent10 >= 0) {
    lhs.MulPow5(value.exponent10);
  } else {
    rhs.MulPow5(-value.exponent10);
  }
  const std::int64_t lhs_twos = value.exponent10;
  const std::int64_t rhs_twos = e - 1;
  if (lhs_twos > rhs_twos) {
    lhs.ShiftLeft(lhs_twos - rhs_twos);
  } else {
    rhs.ShiftLeft(rhs_twos - lhs_twos);
  }
  const int order = Compare(lhs, rhs);
  return order == 0 && value.sticky ? 1 : order;
}

// A first guess within a few units in the last place, from the leading digits.
std::uint32_t ApproximateBits(const DecimalValue& value) {
  const std::size_t taken = std::min<std::size_t>(value.digitCount(), 19);
  std::uint64_t leading = 0;
  for (std::size_t i = 0; i < taken; ++i) {
    leading = leading * 10 + static_cast<std::uint64_t>(value.digit(i));
  }
  const auto exponent = value.point() - static_cast<std::int64_t>(taken);
  const double approx =
      static_cast<double>(leading) * std::pow(10.0, static_cast<double>(exponent));
  if (!(approx < static_cast<double>(std::numeric_limits<float>::max())))
    return kLargestFiniteBits;
  return BitCast<std::uint32_t>(static_cast<float>(approx));
}

// Correct rounding by exact comparison with the halfway points around a guess.
// Returns kInfinityBits when the value rounds beyond the largest finite single.
std::uint32_t RoundMagnitudeToFloat32Bits(const DecimalValue& value) {
  const ScaledDigits scaled = Truncate(value);
  std::uint32_t bits = ApproximateBits(value);
  // On a tie the even neighbour wins: its bit pattern is even.
  for (;;) {
    const int order = CompareWithHalfwayAbove(scaled, bits);
    if (!(order > 0 || (order == 0 && (bits & 1))))
      break;
    if (++bits == kInfinityBits)
      return kInfinityBits;
  }
  while (bits > 0) {
    const int order = CompareWithHalfwayAbove(scaled, bits - 1);
    if (!(order < 0 || (order == 0 && (bits & 1))))
      break;
    --bits;
  }
  return bits;
}

// Exact for up to 7 digits and |k| ≤ 10: both operands are exact singles, so
// the one rounding of the product or quotient is the correct rounding.
std::optional<float> FastFloat32(const DecimalValue& value) {
  constexpr float kPow10[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  if (value.digitCount() > 7)
    return std::nullopt;
  const std::int64_t k = value.point() - static_cast<std::int64_t>(value.digitCount());
  if (k < -10 || k > 10)
    return std::nullopt;
  std::int32_t mantissa = 0;
  for (std::size_t i = 0; i < value.digitCount(); ++i)
    mantissa = mantissa * 10 + value.digit(i);
  const auto m = static_cast<float>(mantissa);
  return k >= 0 ? m * kPow10[k] : m / kPow10[-k];
}

}  // namespace

Int16 ParseInt16(std::string_view text) {
  return RoundToInt16(ReadNumber(text), text);
}

Float32 ParseFloat32(std::string_view text) {
  const DecimalValue value = ReadNumber(text);
  const float sign = value.negative() ? -1.0f : 1.0f;
  // 0.d… × 10^point: below 10^-46 lies under half the smallest subnormal;
  // from 10^39 on lies past the largest finite single.
  if (value.isZero() || value.point() < -45)
    return std::copysign(0.0f, sign);
  const auto overflow = [&] {
    return RunTimeError(ErrorKind::Overflow,
                        QuoteText(text) + " is beyond the single-precision range", text);
  };
  if (value.point() > 39)
    throw overflow();

  if (const auto fast = FastFloat32(value))
    return std::copysign(*fast, sign);
  const std::uint32_t bits = RoundMagnitudeToFloat32Bits(value);
  if (bits == kInfinityBits)
    throw overflow();
  return std::copysign(BitCast<float>(bits), sign);
}

}  // namespace kelmora
