// An exact reference for the calculator's rules, for the tests only. Every
// value is an exact rational; each rounding to binary32, binary64 or a whole
// number is done explicitly, to nearest with ties to even, where the rules
// round and nowhere else. It shares nothing with calc/ but the value kinds
// and the error type, and takes no shortcut: the round-up is the rules' loop.
#pragma once

#include <array>
#include <boost/multiprecision/cpp_int.hpp>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calc/checked.h"

namespace kelmora::reference {

using Rational = boost::multiprecision::cpp_rational;
using Integer = boost::multiprecision::cpp_int;

// --- Exact rounding -----------------------------------------------------------

// A binary floating-point format: `precision` significant bits, exponents
// (of the leading bit) from min_exponent to max_exponent, with subnormals.
struct Format {
  int precision;
  int min_exponent;
  int max_exponent;
};
inline constexpr Format kBinary32{24, -126, 127};
inline constexpr Format kBinary64{53, -1022, 1023};

// x rounded to `format`, ties to even; none when the rounded value lies
// beyond the format's largest finite number (IEEE overflow).
std::optional<Rational> RoundToFormat(const Rational& x, Format format);
// How far x lies from the nearest halfway point between two numbers of
// `format`, in units of their spacing there: 0 on a tie, 1/2 on a number.
Rational HalfwayDistance(const Rational& x, Format format);
// x rounded to a whole number, ties to even.
Integer RoundToInteger(const Rational& x);
// The exact value of a finite float.
Rational Exact(Float64 x);
inline Rational Exact(Float32 x) {
  return Exact(static_cast<Float64>(x));
}
// The float whose exact value is x; x must be representable.
Float32 ToFloat32(const Rational& x);
Float64 ToFloat64(const Rational& x);

// --- The range calculation ----------------------------------------------------

// The values one range end went through, as far as it got; for choosing rows
// that lie near a rounding edge.
struct Trace {
  std::optional<Rational> exact_quotient;  // the dividend over StatM, before rounding
  std::optional<Rational> q;               // rounded to binary32
  std::optional<Rational> exact_ratio;     // (StatC + 1) / (StatC + Level)
  std::optional<Rational> ratio;           // rounded to binary64
  std::optional<Rational> exact_p;         // ratio × q × 16384, before rounding
  std::optional<Rational> p;               // rounded to binary64
  std::optional<Int32> r;                  // rounded to a whole number
};

// The rules' MinStatpoint and MaxStatpoint. Throw RunTimeError with the kind
// and the step of the first failed check.
Int32 MinStatpoint(Int16 StatVal, Int16 StatC, const Rational& StatM, Int16 Level,
                   Trace* trace = nullptr);
Int32 MaxStatpoint(Int16 StatVal, Int16 StatC, const Rational& StatM, Int16 Level,
                   Trace* trace = nullptr);

// --- Reading texts, and the Calculate command ---------------------------------

// The exact value a text denotes under the grammar
//   [blanks] [+|-] (digits [. [digits]] | . digits) [(e|E) [+|-] digits] [blanks]
// (blanks: space and tab); none when the text is not a number. Values too
// large for any kind come back as `beyond`, too small to matter as zero.
struct TextValue {
  Rational value;
  bool beyond = false;  // more than 10^40 in magnitude
};
std::optional<TextValue> ReadText(std::string_view text);

// The rules' readings: TypeMismatch when not a number, Overflow out of range.
Int16 ReadInt16(std::string_view text);
Rational ReadFloat32(std::string_view text);
// A multiplier box: the percentage read as binary32, then divided by 100 in binary32.
Rational ReadMultiplier(std::string_view text);

inline constexpr std::array<std::string_view, 13> kReadingOrder = {
    "txt_hpval", "txt_hpc", "txt_hpm",   "txt_mpval", "txt_mpc", "txt_mpm",  "txt_paval",
    "txt_pac",   "txt_pam", "txt_maval", "txt_mac",   "txt_mam", "txt_level"};
inline constexpr std::array<std::string_view, 8> kWritingOrder = {
    "txt_hplo", "txt_hphi", "txt_mplo", "txt_mphi", "txt_palo", "txt_pahi", "txt_malo", "txt_mahi"};

// What one Calculate does with 13 input texts in reading order.
struct ClickOutcome {
  std::optional<std::array<std::string, 8>> results;  // in writing order, on success
  std::optional<ErrorKind> kind;                      // on failure
  std::string place;                                  // the field read or computed
  Step step = Step::None;
  std::size_t fields_read = 0;
};
ClickOutcome Click(const std::array<std::string, 13>& texts);

}  // namespace kelmora::reference
