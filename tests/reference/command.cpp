// Reading the boxes' texts exactly, and the Calculate command over 13 texts.
#include <algorithm>
#include <cstdint>
#include <string>

#include "tests/reference/reference.h"

namespace kelmora::reference {
namespace {

// A text's value is below 10^-50 (zero in every kind: the smallest binary32
// is above 10^-46) or above 10^40 (beyond every kind: the largest binary32 is
// below 10^39), or it is computed exactly.
constexpr std::int64_t kNegligibleBelow = -50;
constexpr std::int64_t kBeyondAbove = 40;
// Exponents past this many digits are all alike.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

[[noreturn]] void Fail(ErrorKind kind) {
  throw RunTimeError(kind, "reference");
}

Rational PowerOfTen(std::int64_t exponent) {
  const Integer power =
      pow(Integer(10), static_cast<unsigned>(exponent < 0 ? -exponent : exponent));
  return exponent >= 0 ? Rational(power) : Rational(Integer(1), power);
}

}  // namespace

std::optional<TextValue> ReadText(std::string_view text) {
  std::size_t i = 0;
  const auto at = [&](auto is) { return i < text.size() && is(text[i]); };
  while (at(IsBlank))
    ++i;
  bool negative = false;
  if (at([](char c) { return c == '+' || c == '-'; }))
    negative = text[i++] == '-';
  std::string digits;
  std::int64_t fraction_digits = 0;
  while (at(IsDigit))
    digits += text[i++];
  const bool whole_part = !digits.empty();
  if (at([](char c) { return c == '.'; })) {
    ++i;
    while (at(IsDigit)) {
      digits += text[i++];
      ++fraction_digits;
    }
  }
  if (!whole_part && fraction_digits == 0)
    return std::nullopt;
  std::int64_t exponent = 0;
  if (at([](char c) { return c == 'e' || c == 'E'; })) {
    ++i;
    bool negative_exponent = false;
    if (at([](char c) { return c == '+' || c == '-'; }))
      negative_exponent = text[i++] == '-';
    if (!at(IsDigit))
      return std::nullopt;
    while (at(IsDigit))
      exponent = std::min(exponent * 10 + (text[i++] - '0'), kExponentCap);
    if (negative_exponent)
      exponent = -exponent;
  }
  while (at(IsBlank))
    ++i;
  if (i != text.size())
    return std::nullopt;

  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty())
    return TextValue{};
  // value = digits × 10^scale, whose leading digit is worth 10^leading.
  const std::int64_t scale = exponent - fraction_digits;
  const std::int64_t leading = scale + static_cast<std::int64_t>(digits.size()) - 1;
  if (leading > kBeyondAbove)
    return TextValue{0, true};
  if (leading < kNegligibleBelow)
    return TextValue{};
  const Rational value = Rational(Integer(digits)) * PowerOfTen(scale);
  return TextValue{negative ? Rational(-value) : value};
}

Int16 ReadInt16(std::string_view text) {
  const auto read = ReadText(text);
  if (!read)
    Fail(ErrorKind::TypeMismatch);
  if (read->beyond)
    Fail(ErrorKind::Overflow);
  const Integer rounded = RoundToInteger(read->value);
  if (rounded < -32768 || rounded > 32767)
    Fail(ErrorKind::Overflow);
  return static_cast<Int16>(rounded);
}

Rational ReadFloat32(std::string_view text) {
  const auto read = ReadText(text);
  if (!read)
    Fail(ErrorKind::TypeMismatch);
  const auto rounded = read->beyond ? std::nullopt : RoundToFormat(read->value, kBinary32);
  if (!rounded)
    Fail(ErrorKind::Overflow);
  return *rounded;
}

Rational ReadMultiplier(std::string_view text) {
  const Rational percent = ReadFloat32(text);
  // Divided by 100 in single precision; nothing but a tiny quotient can
  // come of it, and that is not an error.
  const auto fraction = RoundToFormat(percent / 100, kBinary32);
  if (!fraction)
    Fail(ErrorKind::Overflow);
  return *fraction;
}

ClickOutcome Click(const std::array<std::string, 13>& texts) {
  ClickOutcome outcome;
  try {
    std::array<Int16, 4> values{};
    std::array<Int16, 4> c_values{};
    std::array<Rational, 4> multipliers;
    const auto read = [&](std::size_t field) -> std::string_view {
      outcome.place = kReadingOrder[field];
      ++outcome.fields_read;
      return texts[field];
    };
    for (std::size_t stat = 0; stat < 4; ++stat) {
      values[stat] = ReadInt16(read(3 * stat));
      c_values[stat] = ReadInt16(read(3 * stat + 1));
      multipliers[stat] = ReadMultiplier(read(3 * stat + 2));
    }
    const Int16 level = ReadInt16(read(12));

    std::array<Int32, 8> counts{};
    for (std::size_t stat = 0; stat < 4; ++stat) {
      outcome.place = kWritingOrder[2 * stat];
      counts[2 * stat] = MinStatpoint(values[stat], c_values[stat], multipliers[stat], level);
      outcome.place = kWritingOrder[2 * stat + 1];
      counts[2 * stat + 1] = MaxStatpoint(values[stat], c_values[stat], multipliers[stat], level);
    }
    outcome.place.clear();
    outcome.results.emplace();
    std::transform(counts.begin(), counts.end(), outcome.results->begin(),
                   [](Int32 n) { return std::to_string(n); });
  } catch (const RunTimeError& error) {
    outcome.kind = error.kind();
    outcome.step = error.step();
  }
  return outcome;
}

}  // namespace kelmora::reference
