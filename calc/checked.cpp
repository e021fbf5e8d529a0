// The failure paths of the checked operations, and formatting.
#include "calc/checked.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>
#include <type_traits>

namespace kelmora {
namespace {

constexpr const char* kInt32Range =
    " is outside -2147483648\xE2\x80\xA6"
    "2147483647";

// The shortest text that reads back as x: whole numbers as plain digits,
// others in the fewest significant digits that round-trip, always with "."
// whatever the program's locale. (Floating-point to_chars is missing from
// some standard libraries, and streams cost a web page a third of its size.)
template <typename Float>
std::string FormatShortest(Float x) {
  if (std::isnan(x))
    return "nan";
  if (std::isinf(x))
    return x < 0 ? "-inf" : "inf";
  if (std::trunc(x) == x && std::fabs(x) < static_cast<Float>(0x1p63)) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(x));
    return std::string(buffer, result.ptr);
  }
  // Not every library reads a subnormal back exactly, so those get every digit.
  const int digits = std::numeric_limits<Float>::max_digits10;
  char buffer[48];
  for (int precision = std::isnormal(x) ? 1 : digits;; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, static_cast<double>(x));
    // Read back in the same locale it was written in.
    const Float back = std::is_same_v<Float, float>
                           ? static_cast<Float>(std::strtof(buffer, nullptr))
                           : static_cast<Float>(std::strtod(buffer, nullptr));
    if (precision >= digits || back == x)
      break;
  }
  const std::string_view point = std::localeconv()->decimal_point;
  const char* at = point.empty() ? nullptr : std::strstr(buffer, point.data());
  if (at == nullptr)
    return buffer;
  std::string text(buffer, static_cast<std::size_t>(at - buffer));
  text += '.';
  text += at + point.size();
  return text;
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
  const std::string division = FormatShortest(a) + " / " + FormatShortest(b);
  if (std::isnan(a) || std::isnan(b) || (a == 0 && b == 0) || (std::isinf(a) && std::isinf(b))) {
    throw RunTimeError(ErrorKind::InvalidOperation, division + " has no defined result");
  }
  if (b == 0)
    throw RunTimeError(ErrorKind::DivisionByZero, division + " divides by zero");
  throw RunTimeError(ErrorKind::Overflow, division + " is beyond the floating-point range");
}

void ThrowRoundingOverflow(Float64 x) {
  throw RunTimeError(ErrorKind::Overflow, FormatShortest(x) + kInt32Range);
}

}  // namespace detail

std::string FormatFloat32(Float32 x) {
  return FormatShortest(x);
}

std::string FormatInt32(Int32 n) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
  return std::string(buffer, result.ptr);
}

}  // namespace kelmora
