// The one error type of the calculator: a failed check, with its kind.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

enum class ErrorKind {
  Overflow,          // a value outside its kind's range, or a text denoting one
  DivisionByZero,    // a non-zero value divided by zero, or a remainder by zero
  InvalidOperation,  // a division with no defined result (zero by zero)
  TypeMismatch,      // a text that does not denote a number
};

// The step of the stat-point range calculation (or of its inverse,
// ShownValue) at which a check failed.
enum class Step {
  None,            // not raised inside the range calculation
  StatValPlusOne,  // StatVal + 1, the maximum's first step
  Quotient,        // the stat value divided by StatM
  CPlusOne,        // StatC + 1
  CPlusLevel,      // StatC + Level
  Ratio,           // (StatC + 1) / (StatC + Level)
  RoundToInt32,    // the scaled count rounded to a whole number of stat points
  Remainder,       // the count's remainder by StatC + 1
  RoundUp,         // the count rounded up to a multiple of StatC + 1
  MinusOne,        // the maximum's final - 1
  // ShownValue's own: shown values rise with the count only where these hold.
  MultiplierNotPositive,   // StatM is 0 or below
  CPlusOneNotPositive,     // StatC + 1 is 0 or below
  CPlusLevelNotPositive,   // StatC + Level is 0 or below
  CountBeyondShownValues,  // the count lies below every shown value's range, or above 32766's
};

// The words a user is shown for a kind: "Overflow", "Division by zero", ...
std::string_view KindWording(ErrorKind kind) noexcept;
// The kind's own name, for programs: "Overflow", "DivisionByZero", ...
std::string_view KindName(ErrorKind kind) noexcept;

class RunTimeError : public std::exception {
 public:
  // `detail` says what failed in plain words, e.g. `"abc" is not a number`.
  RunTimeError(ErrorKind kind, std::string detail);
  // As above, for an error about a text: keeps the offending text itself.
  RunTimeError(ErrorKind kind, std::string detail, std::string_view text);

  ErrorKind kind() const noexcept { return kind_; }
  // The wording of the kind, as KindWording.
  const char* what() const noexcept override;
  const std::string& detail() const noexcept { return detail_; }
  // The text that could not be read, for errors raised by parsing.
  const std::optional<std::string>& text() const noexcept { return text_; }

  // Where the error arose, named by a caller that knows (the Calculate command
  // uses the name of the field it was reading or computing). Empty from the core.
  const std::string& place() const noexcept { return place_; }
  void setPlace(std::string place) { place_ = std::move(place); }

  // The step of MinStatpoint or MaxStatpoint that failed; None elsewhere.
  Step step() const noexcept { return step_; }
  void setStep(Step step) noexcept { step_ = step; }

 private:
  ErrorKind kind_;
  std::string detail_;
  std::optional<std::string> text_;
  std::string place_;
  Step step_ = Step::None;
};

}  // namespace kelmora
