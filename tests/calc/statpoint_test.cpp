// The stat-point range: the worked rows, each failure in its order, and the
// identity that ties the maximum to the next value's minimum.
#include "calc/statpoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/support/outcome.h"

namespace kelmora {
namespace {

// A multiplier entered in percent, as the Calculate command passes it on.
Float32 Percent(Float32 percent) {
  return DivFloat32(percent, 100.0f);
}

constexpr Float32 kPow2Minus17 = 1.0f / 131072.0f;  // StatVal / this = StatVal * 2^17

struct RangeCase {
  const char* name;
  Int16 StatVal, StatC;
  Float32 StatM;
  Int16 Level;
  Outcome<Int32> min, max;
};

class StatpointTest : public testing::TestWithParam<RangeCase> {};

TEST_P(StatpointTest, GivesTheRangeOrTheFirstFailure) {
  const auto& c = GetParam();
  EXPECT_EQ(OutcomeOf([&] { return MinStatpoint(c.StatVal, c.StatC, c.StatM, c.Level); }), c.min)
      << "MinStatpoint";
  EXPECT_EQ(OutcomeOf([&] { return MaxStatpoint(c.StatVal, c.StatC, c.StatM, c.Level); }), c.max)
      << "MaxStatpoint";
}

std::string CaseName(const testing::TestParamInfo<RangeCase>& info) {
  return info.param.name;
}

constexpr auto kOverflow = ErrorKind::Overflow;
constexpr auto kDivZero = ErrorKind::DivisionByZero;
constexpr auto kInvalid = ErrorKind::InvalidOperation;

INSTANTIATE_TEST_SUITE_P(
    Worked, StatpointTest,
    testing::Values(RangeCase{"DefaultHP", 487, 8, Percent(108), 99, 621423, 622700},
                    RangeCase{"DefaultMP", 37, 30, Percent(108), 99, 134912, 138538},
                    RangeCase{"DefaultPA", 22, 34, Percent(97), 99, 97790, 102234},
                    RangeCase{"DefaultMA", 74, 7, Percent(94), 99, 97344, 98663},
                    RangeCase{"ZeroStatValue", 0, 8, Percent(108), 99, 0, 1277},
                    RangeCase{"LevelOneRatioIsOne", 487, 8, Percent(108), 1, 7387974, 7403147},
                    RangeCase{"TieToEvenDown", 7, 0, Percent(69), 1, 166214, 189958},
                    RangeCase{"TieToEvenUp", 10, 0, Percent(63), 1, 260064, 286069},
                    RangeCase{"NegativeNotRoundedUp", -5, 8, Percent(108), 99, -6380, -5105}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Failures, StatpointTest,
    testing::Values(
        // Each row also breaks the checks after its own, to show the first one wins.
        RangeCase{"MaxStatValueTop", 32767, 32767, 0.0f, 99, kDivZero, kOverflow},
        RangeCase{"ZeroMultiplier", 487, 32767, 0.0f, 99, kDivZero, kDivZero},
        RangeCase{"ZeroMultiplierZeroDividend", 0, 32767, 0.0f, 99, kInvalid, kDivZero},
        RangeCase{"ZeroMultiplierMaxDividendZero", -1, 32767, 0.0f, 99, kDivZero, kInvalid},
        RangeCase{"QuotientOverflowsSingle", 487, 32767, std::numeric_limits<float>::denorm_min(),
                  99, kOverflow, kOverflow},
        RangeCase{"CValueTop", 487, 32767, Percent(108), -32767, kOverflow, kOverflow},
        RangeCase{"CPlusLevelOverflows", 487, 30000, Percent(108), 30000, kOverflow, kOverflow},
        RangeCase{"CPlusLevelUnderflows", 487, -30000, Percent(108), -30000, kOverflow, kOverflow},
        RangeCase{"CPlusLevelZero", 487, 8, Percent(108), -8, kDivZero, kDivZero},
        RangeCase{"CPlusLevelZeroAndCPlusOneZero", 487, -1, Percent(108), 1, kInvalid, kInvalid},
        RangeCase{"ScaledCountBeyondInt32", 32766, 0, Percent(1), 1, kOverflow, kOverflow},
        RangeCase{"CPlusOneZero", 487, -1, Percent(108), 99, kDivZero, kDivZero},
        // StatVal / 2^-17 * 2^14 * (-1 / 1) = -2^31, then -2^31 rem -1.
        RangeCase{"LowestCountRemMinusOne", 1, -2, kPow2Minus17, 3, kOverflow, kOverflow},
        // The maximum's count before subtracting 1 is -2^31.
        RangeCase{"MaxSubtractionUnderflows", -2, 1, kPow2Minus17, 1, kOverflow, kOverflow}),
    CaseName);

// Every step that can fail records itself, and only the first failure counts.
struct StepCase {
  const char* name;
  bool maximum;  // MaxStatpoint rather than MinStatpoint
  Int16 StatVal, StatC;
  Float32 StatM;
  Int16 Level;
  ErrorKind kind;
  Step step;
};

class FailingStepTest : public testing::TestWithParam<StepCase> {};

TEST_P(FailingStepTest, RecordsTheStepWithoutChangingTheKind) {
  const auto& c = GetParam();
  try {
    c.maximum ? MaxStatpoint(c.StatVal, c.StatC, c.StatM, c.Level)
              : MinStatpoint(c.StatVal, c.StatC, c.StatM, c.Level);
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.kind(), c.kind);
    EXPECT_EQ(error.step(), c.step);
    EXPECT_TRUE(error.place().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FailingStepTest,
    testing::Values(
        StepCase{"StatValPlusOne", true, 32767, 8, 0.0f, 99, kOverflow, Step::StatValPlusOne},
        StepCase{"QuotientByZero", false, 487, 32767, 0.0f, 99, kDivZero, Step::Quotient},
        StepCase{"QuotientZeroByZero", true, -1, 8, 0.0f, 99, kInvalid, Step::Quotient},
        StepCase{"QuotientBeyondSingle", false, 487, 8, std::numeric_limits<float>::denorm_min(),
                 99, kOverflow, Step::Quotient},
        StepCase{"CPlusOne", false, 487, 32767, Percent(108), -32767, kOverflow, Step::CPlusOne},
        StepCase{"CPlusLevel", true, 487, 32000, Percent(108), 999, kOverflow, Step::CPlusLevel},
        StepCase{"RatioByZero", false, 487, 8, Percent(108), -8, kDivZero, Step::Ratio},
        StepCase{"RatioZeroByZero", true, 487, -1, Percent(108), 1, kInvalid, Step::Ratio},
        StepCase{"RoundToInt32", false, 32766, 0, Percent(1), 1, kOverflow, Step::RoundToInt32},
        StepCase{"RemainderByZero", false, 487, -1, Percent(108), 99, kDivZero, Step::Remainder},
        StepCase{"RemainderOfLowestByMinusOne", false, 1, -2, kPow2Minus17, 3, kOverflow,
                 Step::Remainder},
        StepCase{"RoundUpPastTheTop", false, 32767, 16383, Percent(24.9993f), 1, kOverflow,
                 Step::RoundUp},
        StepCase{"MinusOne", true, -2, 1, kPow2Minus17, 1, kOverflow, Step::MinusOne}),
    [](const testing::TestParamInfo<StepCase>& test) { return std::string(test.param.name); });

TEST(StatpointTest, WorkedHpRowSteps) {
  // The intermediate values the worked example names.
  const Float32 m = Percent(108);
  EXPECT_EQ(static_cast<double>(m), 1.0800000429153442);
  const Float32 q = DivFloat32(487, m);
  EXPECT_EQ(q, 450.9259033203125f);
  EXPECT_EQ(static_cast<double>(q) * STAT_POINT_SCALE, 7387970.0);
  EXPECT_EQ(RoundToInt32(9.0 / 107.0 * 7387970.0), 621418);
}

TEST(StatpointTest, MaxOfTopValueFailsWhileMinComputes) {
  EXPECT_EQ(MinStatpoint(32767, 8, Percent(108), 99), 41811102);
  EXPECT_EQ(OutcomeOf([] { return MaxStatpoint(32767, 8, Percent(108), 99); }),
            (Outcome<Int32>{kOverflow}));
}

TEST(StatpointTest, RoundUpPastTheTopOverflows) {
  // q = 131071.671875, so the count is 2147478528: within Int32, but the next
  // multiple of 16384 is 2^31.
  EXPECT_EQ(MinStatpoint(32766, 16383, Percent(24.9993f), 1), 2147418112);
  EXPECT_EQ(OutcomeOf([] { return MaxStatpoint(32766, 16383, Percent(24.9993f), 1); }),
            (Outcome<Int32>{kOverflow}));
  try {
    MinStatpoint(32767, 16383, Percent(24.9993f), 1);
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.kind(), kOverflow);
    EXPECT_EQ(error.detail(),
              "2147483647 + 1 is outside -2147483648\xE2\x80\xA6"
              "2147483647");
  }
}

// Max(v) = Min(v + 1) - 1 wherever both succeed; where Min(v + 1) fails, Max(v)
// fails the same way, and Max(v) alone fails only for a count of -2^31.
TEST(StatpointIdentityTest, MaxIsOneBelowTheNextMinimum) {
  const Float32 multipliers[] = {Percent(108), Percent(97),    Percent(94), Percent(1),
                                 Percent(250), Percent(33.3f), 1.0f,        -0.5f};
  const Int16 c_values[] = {0, 1, 7, 8, 30, 34, 99, 1000, 32766, -2, -50, -32768};
  const Int16 levels[] = {1, 2, 50, 99, 255, 0, -3, 32767};
  int agreed = 0;
  for (const Float32 m : multipliers) {
    for (const Int16 c : c_values) {
      for (const Int16 level : levels) {
        for (int v = -600; v <= 600; v += 7) {
          const auto value = static_cast<Int16>(v);
          const auto next_min =
              OutcomeOf([&] { return MinStatpoint(static_cast<Int16>(value + 1), c, m, level); });
          const auto max = OutcomeOf([&] { return MaxStatpoint(value, c, m, level); });
          if (next_min.index() == 1 || std::get<0>(next_min) == std::numeric_limits<Int32>::min()) {
            const auto expected = next_min.index() == 1 ? next_min : Outcome<Int32>{kOverflow};
            ASSERT_EQ(max, expected) << v << ", " << c << ", " << m << ", " << level;
          } else {
            ASSERT_EQ(max, Outcome<Int32>{std::get<0>(next_min) - 1})
                << v << ", " << c << ", " << m << ", " << level;
            ++agreed;
          }
        }
      }
    }
  }
  EXPECT_GT(agreed, 30000);
}

}  // namespace
}  // namespace kelmora
