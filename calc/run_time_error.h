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

// The words a user is shown for a kind: "Overflow", "Division by zero", ...
std::string_view KindWording(ErrorKind kind) noexcept;

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

 private:
  ErrorKind kind_;
  std::string detail_;
  std::optional<std::string> text_;
  std::string place_;
};

}  // namespace kelmora
