// The failure paths of the checked operations, and formatting.
#include "calc/checked.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kelmora {
namespace {

constexpr const char* kInt32Range =
    " is outside -2147483648\xE2\x80\xA6"
    "2147483647";

std::string FormatFloat(Float64 x) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
  return std::string(buffer, result.ptr);
}

}  // namespace

namespace detail {

void ThrowInt16Overflow(Int16 a, const char* op, Int16 b) {
  throw RunTimeError(ErrorKind::Overflow, std::to_string(a) + op + std::to_string(b) +
                                              " is outside -32768\xE2\x80\xA6"
                                              "32767");
}

void ThrowInt32Overflow(Int32 a, const char* op, Int32 b) {
  throw RunTimeError(ErrorKind::Overflow, std::to_string(a) + op + std::to_string(b) + kInt32Range);
}

void ThrowRemainderByZero(Int32 a) {
  throw RunTimeError(ErrorKind::DivisionByZero, "the remainder of " + std::to_string(a) + " by 0");
}

void ThrowDivisionFailure(Float64 a, Float64 b) {
  const std::string division = FormatFloat(a) + " / " + FormatFloat(b);
  if (std::isnan(a) || std::isnan(b) || (a == 0 && b == 0) || (std::isinf(a) && std::isinf(b))) {
    throw RunTimeError(ErrorKind::InvalidOperation, division + " has no defined result");
  }
  if (b == 0)
    throw RunTimeError(ErrorKind::DivisionByZero, division + " divides by zero");
  throw RunTimeError(ErrorKind::Overflow, division + " is beyond the floating-point range");
}

void ThrowRoundingOverflow(Float64 x) {
  throw RunTimeError(ErrorKind::Overflow, FormatFloat(x) + kInt32Range);
}

}  // namespace detail

std::string FormatInt32(Int32 n) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
  return std::string(buffer, result.ptr);
}

}  // namespace kelmora
