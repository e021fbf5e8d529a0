// Fuzzes the range calculation on raw argument bytes. Oracles: the constant-
// time round-up against the stepping loop it stands for, and
// Max(v) = Min(v + 1) - 1 with matching errors. Sanitizers catch the rest.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calc/round_up.h"
#include "calc/statpoint.h"
#include "tests/support/outcome.h"

namespace {

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
  T value{};
  const std::size_t n = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

kelmora::Int32 RoundUpByStepping(kelmora::Int32 r, kelmora::Int16 multiple) {
  using namespace kelmora;
  if (RemInt32(r, multiple) > 0) {
    do {
      r = AddInt32(r, 1);
    } while (RemInt32(r, multiple) != 0);
  }
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelmora;
  const auto value = Take<Int16>(data, size);
  const auto c = Take<Int16>(data, size);
  const auto m = Take<Float32>(data, size);
  const auto level = Take<Int16>(data, size);
  const auto r = Take<Int32>(data, size);

  const auto min = OutcomeOf([&] { return MinStatpoint(value, c, m, level); });
  const auto max = OutcomeOf([&] { return MaxStatpoint(value, c, m, level); });
  if (value == 32767) {
    if (max != Outcome<Int32>{ErrorKind::Overflow})
      Fail("Max of 32767 must overflow");
  } else {
    const auto next_min =
        OutcomeOf([&] { return MinStatpoint(static_cast<Int16>(value + 1), c, m, level); });
    Outcome<Int32> expected = next_min;
    if (next_min.index() == 0) {
      expected = std::get<0>(next_min) == INT32_MIN ? Outcome<Int32>{ErrorKind::Overflow}
                                                    : Outcome<Int32>{std::get<0>(next_min) - 1};
    }
    if (max != expected)
      Fail("Max(v) is not Min(v + 1) - 1");
  }
  (void)min;

  if (OutcomeOf([&] { return RoundUpToMultiple(r, c); }) !=
      OutcomeOf([&] { return RoundUpByStepping(r, c); })) {
    Fail("round-up differs from stepping");
  }
  return 0;
}
