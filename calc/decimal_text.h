// Reads the numeric text grammar into an exact decimal value, without
// converting it: the digits stay in the text, so any length costs one pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelmora {

// A non-negative decimal value 0.d1 d2 … dn × 10^point with d1 and dn non-zero,
// or zero (n = 0). `negative` is the text's sign, kept for zero too.
class DecimalValue {
 public:
  bool negative() const { return negative_; }
  bool isZero() const { return count_ == 0; }
  // Number of significant digits n.
  std::size_t digitCount() const { return count_; }
  // The i-th significant digit (0-based), 0…9.
  int digit(std::size_t i) const;
  // Position of the decimal point relative to the first significant digit.
  // Saturated far beyond any value that matters, so huge exponents stay safe.
  std::int64_t point() const { return point_; }

  // Parses `[blanks] [+|-] (digits [. [digits]] | . digits) [(e|E) [+|-] digits] [blanks]`,
  // blanks being spaces and tabs; nullopt when the text does not match.
  static std::optional<DecimalValue> Read(std::string_view text);

 private:
  bool negative_ = false;
  std::string_view integer_digits_;   // digits before the '.'
  std::string_view fraction_digits_;  // digits after it
  std::size_t first_ = 0;             // index of d1 in integer + fraction digits
  std::size_t count_ = 0;
  std::int64_t point_ = 0;
};

}  // namespace kelmora
