// Fuzzes both text conversions on raw bytes. Oracles: the two accept the same
// grammar; ParseFloat32 agrees bit for bit with glibc's correctly rounded
// strtof on every text it accepts; ParseInt16 lies within half a unit (plus
// the single's rounding) of ParseFloat32.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/bit_cast.h"
#include "calc/checked.h"
#include "tests/support/outcome.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "%s: \"%s\"\n", what, text.c_str());
  std::abort();
}

bool Is(const auto& outcome, kelmora::ErrorKind kind) {
  return outcome.index() == 1 && std::get<1>(outcome) == kind;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelmora;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto as_int = OutcomeOf([&] { return ParseInt16(text); });
  const auto as_float = OutcomeOf([&] { return ParseFloat32(text); });

  if (Is(as_int, ErrorKind::TypeMismatch) != Is(as_float, ErrorKind::TypeMismatch)) {
    Fail("the two grammars differ", text);
  }
  if (Is(as_float, ErrorKind::TypeMismatch))
    return 0;

  // Accepted texts hold no NUL, so strtof sees all of it.
  const float expected = std::strtof(text.c_str(), nullptr);
  if (std::isinf(expected) != Is(as_float, ErrorKind::Overflow))
    Fail("overflow differs", text);
  if (as_float.index() == 1) {
    if (as_int.index() == 0)
      Fail("Int16 in range but Float32 overflows", text);
    return 0;
  }
  const float actual = std::get<0>(as_float);
  if (BitCast<std::uint32_t>(actual) != BitCast<std::uint32_t>(expected)) {
    Fail("ParseFloat32 differs from strtof", text);
  }

  // |value - n| <= 0.5 and |actual - value| <= 2^-9 below 2^15.
  constexpr double kSlack = 0.5 + 1.0 / 256;
  if (as_int.index() == 0) {
    if (std::fabs(static_cast<double>(actual) - std::get<0>(as_int)) > kSlack)
      Fail("Int16 off", text);
  } else if (std::fabs(static_cast<double>(actual)) < 32767.5 - kSlack) {
    Fail("Int16 overflow for a small value", text);
  }
  return 0;
}
