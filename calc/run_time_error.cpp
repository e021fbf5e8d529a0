#include "calc/run_time_error.h"

namespace kelmora {

std::string_view KindWording(ErrorKind kind) noexcept {
  switch (kind) {
    case ErrorKind::Overflow:
      return "Overflow";
    case ErrorKind::DivisionByZero:
      return "Division by zero";
    case ErrorKind::InvalidOperation:
      return "Invalid operation";
    case ErrorKind::TypeMismatch:
      return "Type mismatch";
  }
  return "Run-time error";
}

std::string_view KindName(ErrorKind kind) noexcept {
  switch (kind) {
    case ErrorKind::Overflow:
      return "Overflow";
    case ErrorKind::DivisionByZero:
      return "DivisionByZero";
    case ErrorKind::InvalidOperation:
      return "InvalidOperation";
    case ErrorKind::TypeMismatch:
      return "TypeMismatch";
  }
  return "Unknown";
}

RunTimeError::RunTimeError(ErrorKind kind, std::string detail)
    : kind_(kind), detail_(std::move(detail)) {}

RunTimeError::RunTimeError(ErrorKind kind, std::string detail, std::string_view text)
    : kind_(kind), detail_(std::move(detail)), text_(std::string(text)) {}

const char* RunTimeError::what() const noexcept {
  // Every wording is a string literal, so data() is NUL-terminated.
  return KindWording(kind_).data();
}

}  // namespace kelmora
