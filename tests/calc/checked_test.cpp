// The checked integer and float operations: results at and around every edge
// of their kinds, and the kind of each failure.
#include "calc/checked.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "tests/support/outcome.h"

namespace kelmora {
namespace {

constexpr Int16 kI16Min = std::numeric_limits<Int16>::min();
constexpr Int16 kI16Max = std::numeric_limits<Int16>::max();
constexpr Int32 kI32Min = std::numeric_limits<Int32>::min();
constexpr Int32 kI32Max = std::numeric_limits<Int32>::max();

// --- AddInt16 ---------------------------------------------------------------

struct AddInt16Case {
  Int16 a, b;
  Outcome<Int16> expected;
};

class AddInt16Test : public testing::TestWithParam<AddInt16Case> {};

TEST_P(AddInt16Test, SumsOrOverflows) {
  const auto& c = GetParam();
  EXPECT_EQ(OutcomeOf([&] { return AddInt16(c.a, c.b); }), c.expected) << c.a << " + " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, AddInt16Test,
    testing::Values(AddInt16Case{8, 99, Int16{107}}, AddInt16Case{0, 0, Int16{0}},
                    AddInt16Case{kI16Max, 0, kI16Max}, AddInt16Case{kI16Max, -1, Int16{32766}},
                    AddInt16Case{kI16Max, 1, ErrorKind::Overflow},
                    AddInt16Case{kI16Min, -1, ErrorKind::Overflow},
                    AddInt16Case{kI16Min, kI16Min, ErrorKind::Overflow},
                    AddInt16Case{kI16Max, kI16Min, Int16{-1}},
                    AddInt16Case{kI16Min, 1, Int16{-32767}}, AddInt16Case{-1, 1, Int16{0}}));

// --- AddInt32, SubInt32 -----------------------------------------------------

struct Int32PairCase {
  Int32 a, b;
  Outcome<Int32> sum, difference;
};

class AddSubInt32Test : public testing::TestWithParam<Int32PairCase> {};

TEST_P(AddSubInt32Test, ComputeInTheirOwnWidth) {
  const auto& c = GetParam();
  EXPECT_EQ(OutcomeOf([&] { return AddInt32(c.a, c.b); }), c.sum) << c.a << " + " << c.b;
  EXPECT_EQ(OutcomeOf([&] { return SubInt32(c.a, c.b); }), c.difference) << c.a << " - " << c.b;
}

constexpr auto kOverflow = ErrorKind::Overflow;

INSTANTIATE_TEST_SUITE_P(Edges, AddSubInt32Test,
                         testing::Values(Int32PairCase{621418, 1, 621419, 621417},
                                         Int32PairCase{0, 0, 0, 0},
                                         Int32PairCase{kI32Max, 1, kOverflow, kI32Max - 1},
                                         Int32PairCase{kI32Max, -1, kI32Max - 1, kOverflow},
                                         Int32PairCase{kI32Min, 1, kI32Min + 1, kOverflow},
                                         Int32PairCase{kI32Min, -1, kOverflow, kI32Min + 1},
                                         Int32PairCase{kI32Min, kI32Min, kOverflow, 0},
                                         Int32PairCase{kI32Max, kI32Min, -1, kOverflow},
                                         Int32PairCase{0, kI32Min, kI32Min, kOverflow},
                                         Int32PairCase{-1, kI32Min, kOverflow, kI32Max}));

// --- RemInt32 ---------------------------------------------------------------

struct RemCase {
  Int32 a, d;
  Outcome<Int32> expected;
};

class RemInt32Test : public testing::TestWithParam<RemCase> {};

TEST_P(RemInt32Test, TruncatesTowardZero) {
  const auto& c = GetParam();
  EXPECT_EQ(OutcomeOf([&] { return RemInt32(c.a, c.d); }), c.expected) << c.a << " rem " << c.d;
}

INSTANTIATE_TEST_SUITE_P(Edges, RemInt32Test,
                         testing::Values(RemCase{621418, 9, 4}, RemCase{-10, 9, -1},
                                         RemCase{-7, 3, -1}, RemCase{7, -3, 1}, RemCase{-7, -3, -1},
                                         RemCase{0, 5, 0}, RemCase{0, 0, ErrorKind::DivisionByZero},
                                         RemCase{kI32Max, 0, ErrorKind::DivisionByZero},
                                         RemCase{kI32Min, -1, ErrorKind::Overflow},
                                         RemCase{kI32Min, 1, 0}, RemCase{kI32Min, 2, 0},
                                         RemCase{kI32Min, 3, -2}, RemCase{kI32Max, -1, 0},
                                         RemCase{kI32Max, 32767, 1}, RemCase{kI32Min, -32767, -2}));

// --- DivFloat32, DivFloat64 -------------------------------------------------

constexpr float kInfF = std::numeric_limits<float>::infinity();
constexpr float kNaNF = std::numeric_limits<float>::quiet_NaN();
constexpr float kMinSubnormalF = std::numeric_limits<float>::denorm_min();
constexpr float kMaxF = std::numeric_limits<float>::max();

struct DivCase {
  float a, b;
  Outcome<float> expected32;   // DivFloat32(a, b)
  Outcome<double> expected64;  // DivFloat64(a, b), on the same (exactly widened) operands
};

class DivFloatTest : public testing::TestWithParam<DivCase> {};

TEST_P(DivFloatTest, RoundsCorrectlyThenChecksStatus) {
  const auto& c = GetParam();
  const auto same = [](auto actual, auto expected) {
    // Compare bit for bit, so a -0 is not a +0.
    if (actual.index() != expected.index())
      return false;
    if (actual.index() == 1)
      return std::get<1>(actual) == std::get<1>(expected);
    const auto x = std::get<0>(actual), y = std::get<0>(expected);
    return x == y && std::signbit(x) == std::signbit(y);
  };
  EXPECT_TRUE(same(OutcomeOf([&] { return DivFloat32(c.a, c.b); }), c.expected32))
      << c.a << " / " << c.b << " in single";
  EXPECT_TRUE(same(
      OutcomeOf([&] { return DivFloat64(static_cast<Float64>(c.a), static_cast<Float64>(c.b)); }),
      c.expected64))
      << c.a << " / " << c.b << " in double";
}

INSTANTIATE_TEST_SUITE_P(
    StatusCheck, DivFloatTest,
    testing::Values(DivCase{487.0f, 1.08f, 450.9259033203125f, 487.0 / static_cast<double>(1.08f)},
                    DivCase{108.0f, 100.0f, 1.08f, 1.08},
                    DivCase{0.0f, 0.0f, ErrorKind::InvalidOperation, ErrorKind::InvalidOperation},
                    DivCase{-0.0f, 0.0f, ErrorKind::InvalidOperation, ErrorKind::InvalidOperation},
                    DivCase{5.0f, 0.0f, ErrorKind::DivisionByZero, ErrorKind::DivisionByZero},
                    DivCase{-5.0f, -0.0f, ErrorKind::DivisionByZero, ErrorKind::DivisionByZero},
                    DivCase{0.0f, 5.0f, 0.0f, 0.0}, DivCase{-0.0f, 5.0f, -0.0f, -0.0},
                    // Underflow raises nothing: the quotient becomes zero or subnormal.
                    DivCase{kMinSubnormalF, 100.0f, 0.0f,
                            static_cast<double>(kMinSubnormalF) / 100},
                    DivCase{kMinSubnormalF, 2.0f, 0.0f, static_cast<double>(kMinSubnormalF) / 2},
                    DivCase{kMinSubnormalF * 3, 2.0f, kMinSubnormalF * 2,
                            static_cast<double>(kMinSubnormalF) * 1.5},
                    // Overflow of the destination format only.
                    DivCase{kMaxF, 0.5f, ErrorKind::Overflow, static_cast<double>(kMaxF) * 2},
                    DivCase{487.0f, kMinSubnormalF, ErrorKind::Overflow,
                            487 / static_cast<double>(kMinSubnormalF)},
                    // Non-finite operands never come from parsing, but still never pass through.
                    DivCase{kNaNF, 1.0f, ErrorKind::InvalidOperation, ErrorKind::InvalidOperation},
                    DivCase{kInfF, kInfF, ErrorKind::InvalidOperation, ErrorKind::InvalidOperation},
                    DivCase{kInfF, 2.0f, ErrorKind::Overflow, ErrorKind::Overflow},
                    DivCase{kInfF, 0.0f, ErrorKind::DivisionByZero, ErrorKind::DivisionByZero}));

TEST(DivFloat64Test, OverflowsOnlyPastTheDoubleRange) {
  EXPECT_EQ(DivFloat64(9, 107), 9.0 / 107.0);
  EXPECT_EQ(OutcomeOf([] { return DivFloat64(std::numeric_limits<double>::max(), 0.5); }),
            (Outcome<double>{ErrorKind::Overflow}));
  EXPECT_EQ(DivFloat64(std::numeric_limits<double>::denorm_min(), 4), 0.0);
}

// --- RoundToInt32 -----------------------------------------------------------

struct RoundCase {
  double x;
  Outcome<Int32> expected;
};

class RoundToInt32Test : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt32Test, HalvesGoToEven) {
  const auto& c = GetParam();
  EXPECT_EQ(OutcomeOf([&] { return RoundToInt32(c.x); }), c.expected) << std::hexfloat << c.x;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, RoundToInt32Test,
    testing::Values(
        RoundCase{621418.037, 621418}, RoundCase{2.5, 2}, RoundCase{3.5, 4}, RoundCase{-2.5, -2},
        RoundCase{-3.5, -4}, RoundCase{0.5, 0}, RoundCase{-0.5, 0}, RoundCase{1.5, 2},
        RoundCase{166214.5, 166214}, RoundCase{260063.5, 260064}, RoundCase{0.49999999999999994, 0},
        RoundCase{2.5000000000000004, 3}, RoundCase{-0.0, 0}, RoundCase{2147483647.0, kI32Max},
        RoundCase{2147483647.4, kI32Max}, RoundCase{2147483646.5, 2147483646},
        RoundCase{2147483647.5, ErrorKind::Overflow}, RoundCase{2147483647.6, ErrorKind::Overflow},
        RoundCase{-2147483648.0, kI32Min}, RoundCase{-2147483648.5, kI32Min},
        RoundCase{-2147483648.6, ErrorKind::Overflow},
        RoundCase{-2147483649.5, ErrorKind::Overflow}, RoundCase{1e300, ErrorKind::Overflow},
        RoundCase{std::numeric_limits<double>::infinity(), ErrorKind::Overflow},
        RoundCase{-std::numeric_limits<double>::infinity(), ErrorKind::Overflow},
        RoundCase{std::numeric_limits<double>::quiet_NaN(), ErrorKind::Overflow}));

// --- FormatInt32 ------------------------------------------------------------

TEST(FormatInt32Test, WritesPlainDigits) {
  EXPECT_EQ(FormatInt32(621423), "621423");
  EXPECT_EQ(FormatInt32(-5), "-5");
  EXPECT_EQ(FormatInt32(0), "0");
  EXPECT_EQ(FormatInt32(kI32Max), "2147483647");
  EXPECT_EQ(FormatInt32(kI32Min), "-2147483648");
}

// --- RunTimeError -----------------------------------------------------------

TEST(RunTimeErrorTest, WhatIsTheKindsWording) {
  EXPECT_STREQ(RunTimeError(ErrorKind::Overflow, "").what(), "Overflow");
  EXPECT_STREQ(RunTimeError(ErrorKind::DivisionByZero, "").what(), "Division by zero");
  EXPECT_STREQ(RunTimeError(ErrorKind::InvalidOperation, "").what(), "Invalid operation");
  EXPECT_STREQ(RunTimeError(ErrorKind::TypeMismatch, "").what(), "Type mismatch");
  EXPECT_EQ(KindName(ErrorKind::DivisionByZero), "DivisionByZero");
  EXPECT_EQ(KindName(ErrorKind::InvalidOperation), "InvalidOperation");
}

TEST(RunTimeErrorTest, DetailNamesTheOperandsOfAFailedStep) {
  try {
    AddInt16(32767, 1);
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.detail(),
              "32767 + 1 is outside -32768\xE2\x80\xA6"
              "32767");
    EXPECT_FALSE(error.text().has_value());
    EXPECT_TRUE(error.place().empty());
  }
}

// Numbers in a failed float step's detail read back as the same double, in
// the fewest digits, with a "." whatever the C library or locale.
struct FloatDetailCase {
  const char* name;
  std::function<void()> step;
  std::string detail;
};

class FloatDetailTest : public testing::TestWithParam<FloatDetailCase> {};

TEST_P(FloatDetailTest, PrintsTheShortestRoundTrip) {
  try {
    GetParam().step();
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.detail(), GetParam().detail);
  }
}

const std::string kOutsideInt32 =
    " is outside -2147483648\xE2\x80\xA6"
    "2147483647";

INSTANTIATE_TEST_SUITE_P(
    Wording, FloatDetailTest,
    testing::Values(
        FloatDetailCase{"WholeNumbers", [] { DivFloat64(487, 0); }, "487 / 0 divides by zero"},
        FloatDetailCase{"SingleWidened", [] { DivFloat32(0.97f, 0.0f); },
                        "0.9700000286102295 / 0 divides by zero"},
        FloatDetailCase{"NegativeZeroOverZero", [] { DivFloat64(-0.0, 0.0); },
                        "0 / 0 has no defined result"},
        FloatDetailCase{"Fraction", [] { RoundToInt32(2147483647.6); },
                        "2147483647.6" + kOutsideInt32},
        FloatDetailCase{"Huge", [] { RoundToInt32(-1e300); }, "-1e+300" + kOutsideInt32},
        FloatDetailCase{"Tiny", [] { DivFloat64(5e-324, 0); },
                        "4.9406564584124654e-324 / 0 divides by zero"},
        FloatDetailCase{"Infinite", [] { RoundToInt32(-std::numeric_limits<double>::infinity()); },
                        "-inf" + kOutsideInt32}),
    [](const testing::TestParamInfo<FloatDetailCase>& test) {
      return std::string(test.param.name);
    });

}  // namespace
}  // namespace kelmora
