// ShownValue against MinStatpoint and MaxStatpoint: the worked levels, each
// error in its order, the round trip on both ends of a range, and the tiling
// of the counts by consecutive shown values.
#include "calc/shown_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "calc/statpoint.h"
#include "tests/support/outcome.h"
#include "tests/support/random.h"

namespace kelmora {
namespace {

Float32 Percent(Float32 percent) {
  return DivFloat32(percent, 100.0f);
}

constexpr auto kOverflow = ErrorKind::Overflow;
constexpr auto kInvalid = ErrorKind::InvalidOperation;
constexpr Int32 kInt32Max = std::numeric_limits<Int32>::max();
constexpr Int32 kInt32Min = std::numeric_limits<Int32>::min();

struct ShownCase {
  const char* name;
  Int32 Count;
  Int16 StatC;
  Float32 StatM;
  Int16 Level;
  std::variant<Int16, Step> expected;  // the value, or the step that fails
  ErrorKind kind = kOverflow;
};

class ShownValueTest : public testing::TestWithParam<ShownCase> {};

TEST_P(ShownValueTest, GivesTheValueOrTheFirstFailure) {
  const ShownCase& c = GetParam();
  try {
    const Int16 shown = ShownValue(c.Count, c.StatC, c.StatM, c.Level);
    ASSERT_TRUE(std::holds_alternative<Int16>(c.expected)) << "no error but " << shown;
    EXPECT_EQ(shown, std::get<Int16>(c.expected));
  } catch (const RunTimeError& error) {
    ASSERT_TRUE(std::holds_alternative<Step>(c.expected)) << "failed with " << error.detail();
    EXPECT_EQ(error.step(), std::get<Step>(c.expected));
    EXPECT_EQ(error.kind(), c.kind);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Levels, ShownValueTest,
    testing::Values(
        // HP 41 at level 1 is 621990 … 637163; at 99 that is 487 … 499, at 50 264 … 270.
        ShownCase{"LowEndAt99", 621990, 8, Percent(108), 99, Int16{487}},
        ShownCase{"HighEndAt99", 637163, 8, Percent(108), 99, Int16{499}},
        ShownCase{"LowEndAt50", 621990, 8, Percent(108), 50, Int16{264}},
        ShownCase{"HighEndAt50", 637163, 8, Percent(108), 50, Int16{270}},
        // The default HP row, 621423 … 622700 at 99, shows 40 … 41 at level 1.
        ShownCase{"DefaultLowAt1", 621423, 8, Percent(108), 1, Int16{40}},
        ShownCase{"DefaultHighAt1", 622700, 8, Percent(108), 1, Int16{41}},
        ShownCase{"ZeroCount", 0, 8, Percent(108), 99, Int16{0}},
        ShownCase{"NegativeCount", -6380, 8, Percent(108), 99, Int16{-5}},
        ShownCase{"CValueZero", 1000000, 0, Percent(100), 1, Int16{61}},
        // 32766's range ends one below the count that 32767 starts at.
        ShownCase{"TopOfTheLastRange", 41811102 - 1, 8, Percent(108), 99, Int16{32766}},
        ShownCase{"PastTheLastRange", 41811102, 8, Percent(108), 99, Step::CountBeyondShownValues},
        ShownCase{"LargestCount", kInt32Max, 8, Percent(108), 99, Step::CountBeyondShownValues},
        ShownCase{"BelowTheFirstRange", kInt32Min, 8, Percent(108), 99,
                  Step::CountBeyondShownValues},
        // Counts past the Int32 range for most values: the largest count is
        // still below them, the smallest above the negative ones.
        ShownCase{"MinuteMultiplierTop", kInt32Max, 0, 0x1p-17f, 1, Int16{0}},
        ShownCase{"MinuteMultiplierBottom", kInt32Min, 0, 0x1p-17f, 1, Int16{-1}}),
    [](const testing::TestParamInfo<ShownCase>& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Failures, ShownValueTest,
    testing::Values(
        // Each row also breaks the checks after its own, to show the first one wins.
        ShownCase{"CPlusOneOverflows", 0, 32767, 0.0f, -32767, Step::CPlusOne},
        ShownCase{"CPlusLevelOverflows", 0, 32000, -1.0f, 999, Step::CPlusLevel},
        ShownCase{"CPlusLevelBelowRange", 0, -32000, -1.0f, -999, Step::CPlusLevel},
        ShownCase{"ZeroMultiplier", 0, -1, 0.0f, 0, Step::MultiplierNotPositive, kInvalid},
        ShownCase{"NegativeMultiplier", 0, 8, Percent(-108), 99, Step::MultiplierNotPositive,
                  kInvalid},
        ShownCase{"CValueMinusOne", 0, -1, Percent(108), -5, Step::CPlusOneNotPositive, kInvalid},
        ShownCase{"CPlusOneNegative", 0, -5, Percent(108), 99, Step::CPlusOneNotPositive, kInvalid},
        ShownCase{"CPlusLevelZero", 0, 8, Percent(108), -8, Step::CPlusLevelNotPositive, kInvalid},
        ShownCase{"CPlusLevelNegative", 0, 8, Percent(108), -50, Step::CPlusLevelNotPositive,
                  kInvalid}),
    [](const testing::TestParamInfo<ShownCase>& test) { return std::string(test.param.name); });

// Inputs in the domain: positive multipliers from near the single range's
// ends, C-values and levels that keep both sums positive.
struct Inputs {
  Int16 StatC;
  Float32 StatM;
  Int16 Level;
};

Inputs SomeInputs(Random& random) {
  for (;;) {
    const auto c =
        static_cast<Int16>(random.OneIn(3) ? random.Between(0, 99) : random.Between(0, 32766));
    const auto level =
        static_cast<Int16>(random.OneIn(3) ? random.Between(1, std::min(99, 32767 - c))
                                           : random.Between(-c + 1, 32767 - c));
    Float32 m = Percent(static_cast<Float32>(random.Between(1, 30000)));
    if (random.OneIn(4))
      m = random.PositiveSingle(-149, 127);
    if (random.OneIn(3))
      return {0, m, 1};
    return {c, m, level};
  }
}

Int16 SomeValue(Random& random) {
  switch (random.Between(0, 3)) {
    case 0:
      return static_cast<Int16>(random.Between(-50, 999));
    case 1:
      return static_cast<Int16>(random.OneIn(2) ? random.Between(32700, 32767)
                                                : random.Between(-32768, -32700));
    default:
      return random.AnyInt16();
  }
}

struct Range {
  Int32 Min;
  Int32 Max;
};

// R(v), when both ends exist.
std::optional<Range> RangeOf(Int16 v, const Inputs& in) {
  try {
    return Range{MinStatpoint(v, in.StatC, in.StatM, in.Level),
                 MaxStatpoint(v, in.StatC, in.StatM, in.Level)};
  } catch (const RunTimeError&) {
    return std::nullopt;
  }
}

std::string Describe(Int16 v, const Inputs& in) {
  return "v " + std::to_string(v) + ", StatC " + std::to_string(in.StatC) + ", StatM " +
         std::to_string(in.StatM) + ", Level " + std::to_string(in.Level);
}

// Every count of a non-empty R(v) shows v: its two ends give v back; and the
// count just below R(v) shows v - 1 wherever R(v - 1) is not empty.
TEST(ShownValueSweepTest, RangesRoundTripAndTileTheCounts) {
  Random random(20261211);
  std::size_t round_trips = 0;
  std::size_t tiles = 0;
  const std::size_t cases = SweepSize(20000);
  for (std::size_t i = 0; i < cases; ++i) {
    const Inputs in = SomeInputs(random);
    const Int16 v = SomeValue(random);
    const auto range = RangeOf(v, in);
    if (!range || range->Min > range->Max)
      continue;
    ASSERT_EQ(ShownValue(range->Min, in.StatC, in.StatM, in.Level), v) << Describe(v, in);
    ASSERT_EQ(ShownValue(range->Max, in.StatC, in.StatM, in.Level), v) << Describe(v, in);
    ++round_trips;
    if (v == std::numeric_limits<Int16>::min())
      continue;
    const auto below = RangeOf(static_cast<Int16>(v - 1), in);
    if (below && below->Min <= below->Max) {
      ASSERT_EQ(below->Max, range->Min - 1) << Describe(v, in);
      ASSERT_EQ(ShownValue(range->Min - 1, in.StatC, in.StatM, in.Level), v - 1) << Describe(v, in);
      ++tiles;
    }
  }
  EXPECT_GE(round_trips * 5, cases * 2);
  EXPECT_GE(tiles * 5, cases * 2);
}

// Any count at all: the value it shows has a range that holds it.
TEST(ShownValueSweepTest, AnyCountLiesInTheRangeOfTheValueItShows) {
  Random random(20261212);
  std::size_t shown = 0;
  const std::size_t cases = SweepSize(20000);
  for (std::size_t i = 0; i < cases; ++i) {
    const Inputs in = SomeInputs(random);
    const auto count = static_cast<Int32>(random.OneIn(2) ? random.Between(-2000000, 20000000)
                                                          : random.Between(kInt32Min, kInt32Max));
    Int16 v = 0;
    try {
      v = ShownValue(count, in.StatC, in.StatM, in.Level);
    } catch (const RunTimeError& error) {
      ASSERT_EQ(error.step(), Step::CountBeyondShownValues);
      continue;
    }
    // R(v) holds the count: MinStatpoint(v) <= count (or, for v < 0, below
    // the Int32 range), and MinStatpoint(v + 1) is past it (or above the Int32 range).
    const auto start = OutcomeOf([&] { return MinStatpoint(v, in.StatC, in.StatM, in.Level); });
    if (std::holds_alternative<Int32>(start)) {
      ASSERT_LE(std::get<Int32>(start), count) << Describe(v, in);
    } else {
      ASSERT_LT(v, 0) << Describe(v, in);
    }
    ASSERT_LT(v, 32767);
    const auto next = OutcomeOf(
        [&] { return MinStatpoint(static_cast<Int16>(v + 1), in.StatC, in.StatM, in.Level); });
    if (std::holds_alternative<Int32>(next)) {
      ASSERT_GT(std::get<Int32>(next), count) << Describe(v, in);
    } else {
      ASSERT_GE(v + 1, 1) << Describe(v, in);
    }
    ++shown;
  }
  EXPECT_GE(shown * 4, cases);
}

// On the default HP row every shown value comes back from both ends of its range.
TEST(ShownValueSweepTest, EveryValueOfTheDefaultRowRoundTrips) {
  const Inputs in{8, Percent(108), 99};
  const std::size_t values = SweepSize(65535);
  for (std::size_t i = 0; i < values; ++i) {
    const auto value = static_cast<Int16>(-32768 + static_cast<int>(i * 65535 / values));
    const auto range = RangeOf(value, in);
    ASSERT_TRUE(range) << value;
    ASSERT_EQ(ShownValue(range->Min, in.StatC, in.StatM, in.Level), value);
    ASSERT_EQ(ShownValue(range->Max, in.StatC, in.StatM, in.Level), value);
  }
}

}  // namespace
}  // namespace kelmora
