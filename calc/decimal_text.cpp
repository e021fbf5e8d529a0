#include "calc/decimal_text.h"

#include <algorithm>

namespace kelmora {
namespace {

// Exponents are clamped here: far past every range (the longest text that fits
// in memory shifts the point by less), and far from int64 overflow.
constexpr std::int64_t kExponentLimit = std::int64_t{1} << 50;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the run of digits at the start of `text`.
std::size_t DigitRun(std::string_view text) {
  return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsDigit) -
                                  text.begin());
}

}  // namespace

int DecimalValue::digit(std::size_t i) const {
  const std::size_t at = first_ + i;
  const char c = at < integer_digits_.size() ? integer_digits_[at]
                                             : fraction_digits_[at - integer_digits_.size()];
  return c - '0';
}

std::optional<DecimalValue> DecimalValue::Read(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);

  DecimalValue value;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    value.negative_ = text.front() == '-';
    text.remove_prefix(1);
  }
  value.integer_digits_ = text.substr(0, DigitRun(text));
  text.remove_prefix(value.integer_digits_.size());
  if (!text.empty() && text.front() == '.') {
    text.remove_prefix(1);
    value.fraction_digits_ = text.substr(0, DigitRun(text));
    text.remove_prefix(value.fraction_digits_.size());
  }
  if (value.integer_digits_.empty() && value.fraction_digits_.empty())
    return std::nullopt;

  std::int64_t exponent = 0;
  if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
    text.remove_prefix(1);
    bool exponent_negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
      exponent_negative = text.front() == '-';
      text.remove_prefix(1);
    }
    const std::size_t run = DigitRun(text);
    if (run == 0)
      return std::nullopt;
    for (const char c : text.substr(0, run)) {
      exponent = std::min(kExponentLimit, exponent * 10 + (c - '0'));
    }
    text.remove_prefix(run);
    if (exponent_negative)
      exponent = -exponent;
  }
  if (!text.empty())
    return std::nullopt;

  // Strip leading and trailing zeros across both digit runs.
  const std::size_t total = value.integer_digits_.size() + value.fraction_digits_.size();
  const auto raw = [&](std::size_t at) {
    return at < value.integer_digits_.size()
               ? value.integer_digits_[at]
               : value.fraction_digits_[at - value.integer_digits_.size()];
  };
  std::size_t first = 0;
  while (first < total && raw(first) == '0')
    ++first;
  if (first == total)
    return value;  // zero
  std::size_t end = total;
  while (raw(end - 1) == '0')
    --end;

  value.first_ = first;
  value.count_ = end - first;
  // Text lengths are far below kExponentLimit, so this cannot overflow.
  value.point_ = static_cast<std::int64_t>(value.integer_digits_.size()) -
                 static_cast<std::int64_t>(first) + exponent;
  return value;
}

}  // namespace kelmora
