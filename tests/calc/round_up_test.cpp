// The constant-time round-up against the literal stepping loop it replaces.
#include "calc/round_up.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "tests/support/outcome.h"

namespace kelmora {
namespace {

constexpr Int32 kI32Min = std::numeric_limits<Int32>::min();
constexpr Int32 kI32Max = std::numeric_limits<Int32>::max();

// The rule as first written: step up by one until the remainder is zero.
Int32 RoundUpByStepping(Int32 r, Int16 multiple) {
  if (RemInt32(r, multiple) > 0) {
    do {
      r = AddInt32(r, 1);
    } while (RemInt32(r, multiple) != 0);
  }
  return r;
}

std::vector<Int32> Counts() {
  std::vector<Int32> counts = {0,          1,           2,         8,           9,
                               621418,     622694,      -1,        -5105,       -6380,
                               kI32Min,    kI32Min + 1, kI32Max,   kI32Max - 1, 2147450886,
                               2147450887, 2147483520,  2147418112};
  for (Int32 r = kI32Max - 40000; r < kI32Max - 40000 + 300; r += 7)
    counts.push_back(r);
  for (Int32 r = 1000000; r < 1000000 + 300; r += 11)
    counts.push_back(r);
  return counts;
}

std::vector<Int16> Multiples() {
  std::vector<Int16> multiples = {32767, -32767, 32766, -32766, 32765, 16384, -16384, 9999};
  for (int m = -260; m <= 260; ++m)
    multiples.push_back(static_cast<Int16>(m));
  return multiples;
}

TEST(RoundUpToMultipleTest, MatchesTheSteppingLoopResultsAndErrors) {
  int overflows = 0, adjusted = 0;
  for (const Int16 multiple : Multiples()) {
    for (const Int32 r : Counts()) {
      const auto expected = OutcomeOf([&] { return RoundUpByStepping(r, multiple); });
      ASSERT_EQ(OutcomeOf([&] { return RoundUpToMultiple(r, multiple); }), expected)
          << "r = " << r << ", multiple = " << multiple;
      overflows += expected == Outcome<Int32>{ErrorKind::Overflow};
      adjusted += expected.index() == 0 && std::get<0>(expected) != r;
    }
  }
  // The sweep must reach every kind of outcome to mean anything.
  EXPECT_GT(overflows, 100);
  EXPECT_GT(adjusted, 1000);
}

struct RoundUpCase {
  Int32 r;
  Int16 multiple;
  Outcome<Int32> expected;
};

class RoundUpCasesTest : public testing::TestWithParam<RoundUpCase> {};

TEST_P(RoundUpCasesTest, Rounds) {
  const auto& c = GetParam();
  EXPECT_EQ(OutcomeOf([&] { return RoundUpToMultiple(c.r, c.multiple); }), c.expected)
      << c.r << " to a multiple of " << c.multiple;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, RoundUpCasesTest,
    testing::Values(RoundUpCase{621418, 9, 621423}, RoundUpCase{622694, 9, 622701},
                    RoundUpCase{621423, 9, 621423},  // already a multiple
                    RoundUpCase{-10, 9, -10},        // negative: never adjusted
                    RoundUpCase{10, -9, 18},         // a negative multiple counts by size
                    RoundUpCase{0, 0, ErrorKind::DivisionByZero},
                    RoundUpCase{kI32Min, -1, ErrorKind::Overflow},
                    RoundUpCase{kI32Max, 32767, ErrorKind::Overflow},
                    RoundUpCase{kI32Max - 1, 32767, kI32Max - 1},  // 32767 * 65538
                    RoundUpCase{kI32Max, 1, kI32Max}, RoundUpCase{kI32Max, -1, kI32Max}));

}  // namespace
}  // namespace kelmora
