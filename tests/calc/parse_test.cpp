// The text conversions: the grammar, exact rounding from the decimal value,
// range errors, and texts of any length.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc/bit_cast.h"
#include "calc/checked.h"
#include "calc/quote_text.h"
#include "tests/support/outcome.h"

namespace kelmora {
namespace {

// --- ParseInt16 -------------------------------------------------------------

struct Int16Case {
  const char* text;
  Outcome<Int16> expected;
};

class ParseInt16Test : public testing::TestWithParam<Int16Case> {};

TEST_P(ParseInt16Test, RoundsTheExactValueHalfToEven) {
  const auto& c = GetParam();
  EXPECT_EQ(OutcomeOf([&] { return ParseInt16(c.text); }), c.expected) << '"' << c.text << '"';
}

constexpr auto kMismatch = ErrorKind::TypeMismatch;
constexpr auto kOverflow = ErrorKind::Overflow;

INSTANTIATE_TEST_SUITE_P(
    Valid, ParseInt16Test,
    testing::Values(
        Int16Case{"487", Int16{487}}, Int16Case{"0", Int16{0}}, Int16Case{"-0", Int16{0}},
        Int16Case{"+12", Int16{12}}, Int16Case{"-5", Int16{-5}}, Int16Case{"007", Int16{7}},
        Int16Case{" 99\t", Int16{99}}, Int16Case{"\t -3 ", Int16{-3}}, Int16Case{"5.", Int16{5}},
        Int16Case{".5", Int16{0}}, Int16Case{"5.5", Int16{6}}, Int16Case{"2.5", Int16{2}},
        Int16Case{"3.5", Int16{4}}, Int16Case{"-2.5", Int16{-2}}, Int16Case{"-3.5", Int16{-4}},
        Int16Case{"2.4999999", Int16{2}}, Int16Case{"0.500000000000000000001", Int16{1}},
        Int16Case{"0.5000", Int16{0}}, Int16Case{"1.5000", Int16{2}}, Int16Case{"0.09", Int16{0}},
        Int16Case{"1e4", Int16{10000}}, Int16Case{"1E+4", Int16{10000}},
        Int16Case{"12e-1", Int16{1}}, Int16Case{"25e-1", Int16{2}},
        Int16Case{"0.00032767e8", Int16{32767}}, Int16Case{"3276.7e1", Int16{32767}},
        Int16Case{"32767", Int16{32767}}, Int16Case{"-32768", Int16{-32768}},
        Int16Case{"32767.4", Int16{32767}}, Int16Case{"-32768.5", Int16{-32768}},
        Int16Case{"0e99999", Int16{0}}, Int16Case{"1e-99999999999999999999", Int16{0}},
        Int16Case{"000000000000000000000000000000001", Int16{1}}));

INSTANTIATE_TEST_SUITE_P(NotANumber, ParseInt16Test,
                         testing::Values(Int16Case{"", kMismatch}, Int16Case{"   ", kMismatch},
                                         Int16Case{"abc", kMismatch}, Int16Case{".", kMismatch},
                                         Int16Case{"-", kMismatch}, Int16Case{"+", kMismatch},
                                         Int16Case{"e5", kMismatch}, Int16Case{".e5", kMismatch},
                                         Int16Case{"5e", kMismatch}, Int16Case{"5e+", kMismatch},
                                         Int16Case{"5 5", kMismatch}, Int16Case{"- 5", kMismatch},
                                         Int16Case{"--5", kMismatch}, Int16Case{"5-", kMismatch},
                                         Int16Case{"0x10", kMismatch},
                                         Int16Case{"1,000", kMismatch}, Int16Case{"1,5", kMismatch},
                                         Int16Case{"5..", kMismatch}, Int16Case{"inf", kMismatch},
                                         Int16Case{"nan", kMismatch}, Int16Case{"\n5", kMismatch},
                                         Int16Case{"5\r", kMismatch},
                                         Int16Case{"\xC2\xA0"
                                                   "5",
                                                   kMismatch},
                                         Int16Case{"\xEF\xBC\x95", kMismatch},
                                         Int16Case{"12abc", kMismatch},
                                         Int16Case{"&H10", kMismatch}));

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, ParseInt16Test,
    testing::Values(Int16Case{"40000", kOverflow}, Int16Case{"32768", kOverflow},
                    Int16Case{"-32769", kOverflow}, Int16Case{"32767.5", kOverflow},
                    Int16Case{"-32768.500001", kOverflow}, Int16Case{"1e5", kOverflow},
                    Int16Case{"99999999999999999999", kOverflow},
                    Int16Case{"1e99999999999999999999", kOverflow},
                    Int16Case{"-1e99999999999999999999", kOverflow}));

TEST(ParseInt16Test, EmbeddedNulIsNotANumber) {
  EXPECT_EQ(OutcomeOf([] {
              return ParseInt16(
                  std::string_view("1\0"
                                   "2",
                                   3));
            }),
            (Outcome<Int16>{kMismatch}));
}

TEST(ParseInt16Test, ErrorsQuoteTheText) {
  try {
    ParseInt16("40000");
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.detail(),
              "\"40000\" is outside -32768\xE2\x80\xA6"
              "32767");
    EXPECT_EQ(error.text(), "40000");
  }
  try {
    ParseInt16("");
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.detail(), "\"\" is not a number");
  }
}

// --- ParseFloat32 -----------------------------------------------------------

// Bit-exact comparison, so that -0 differs from +0.
Outcome<std::uint32_t> Float32BitsOf(std::string_view text) {
  return OutcomeOf([&] { return BitCast<std::uint32_t>(ParseFloat32(text)); });
}
Outcome<std::uint32_t> Bits(float f) {
  return BitCast<std::uint32_t>(f);
}
Outcome<std::uint32_t> Bits(ErrorKind kind) {
  return kind;
}

struct Float32Case {
  const char* text;
  Outcome<std::uint32_t> expected;
};

class ParseFloat32Test : public testing::TestWithParam<Float32Case> {};

TEST_P(ParseFloat32Test, RoundsTheExactValueOnceToSingle) {
  const auto& c = GetParam();
  EXPECT_EQ(Float32BitsOf(c.text), c.expected) << '"' << c.text << '"';
}

constexpr float kMaxF = std::numeric_limits<float>::max();
constexpr float kTinyF = std::numeric_limits<float>::denorm_min();

INSTANTIATE_TEST_SUITE_P(
    Valid, ParseFloat32Test,
    testing::Values(
        Float32Case{"108", Bits(108.0f)}, Float32Case{"97", Bits(97.0f)},
        Float32Case{"1.08", Bits(1.08f)}, Float32Case{"-0", Bits(-0.0f)},
        Float32Case{"0.0", Bits(0.0f)}, Float32Case{" +.5 ", Bits(0.5f)},
        Float32Case{"5.", Bits(5.0f)}, Float32Case{"1e-3", Bits(1e-3f)},
        Float32Case{"16777217", Bits(16777216.0f)},  // tie, to even
        Float32Case{"16777219", Bits(16777220.0f)},  // tie, to even (upwards)
        Float32Case{"16777217.000000000000000000001", Bits(16777218.0f)},
        // 1 + 2^-24, the tie between 1 and the next single, and just above it.
        Float32Case{"1.000000059604644775390625", Bits(1.0f)},
        Float32Case{"1.0000000596046447753906250000000000000000000001",
                    Bits(std::nextafter(1.0f, 2.0f))},
        Float32Case{"3.4028234663852886e38", Bits(kMaxF)},
        // Just below the tie between the largest single and 2^128.
        Float32Case{"340282356779733661637539395458142568447.9999", Bits(kMaxF)},
        // Subnormals and underflow: never an error.
        Float32Case{"1.401298464324817e-45", Bits(kTinyF)},
        Float32Case{"7.006492321624085354618647916449580656401309709382578858785341419448955413429"
                    "30300743319094181060791015625e-46",
                    Bits(0.0f)},  // exactly 2^-150: tie, to even zero
        Float32Case{"7.0064923216240853546186479164495806564013097093825788587853414194489554134"
                    "2930300743319094181060791015625001e-46",
                    Bits(kTinyF)},
        Float32Case{"1e-46", Bits(0.0f)}, Float32Case{"-1e-46", Bits(-0.0f)},
        Float32Case{"1e-99999999999999999999", Bits(0.0f)},
        Float32Case{"1.1754942e-38",
                    Bits(std::nextafter(std::numeric_limits<float>::min(), 0.0f))}));

INSTANTIATE_TEST_SUITE_P(
    Invalid, ParseFloat32Test,
    testing::Values(Float32Case{"", Bits(kMismatch)}, Float32Case{"x", Bits(kMismatch)},
                    Float32Case{".", Bits(kMismatch)}, Float32Case{"1e", Bits(kMismatch)},
                    Float32Case{"inf", Bits(kMismatch)}, Float32Case{"NaN", Bits(kMismatch)},
                    Float32Case{"0x1p3", Bits(kMismatch)}, Float32Case{"1,08", Bits(kMismatch)},
                    Float32Case{"108%", Bits(kMismatch)}, Float32Case{"1 08", Bits(kMismatch)}));

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, ParseFloat32Test,
    testing::Values(
        // Exactly the tie between the largest single and 2^128: to even, infinity.
        Float32Case{"340282356779733661637539395458142568448", Bits(kOverflow)},
        Float32Case{"3.5e38", Bits(kOverflow)}, Float32Case{"-3.5e38", Bits(kOverflow)},
        Float32Case{"1e39", Bits(kOverflow)},
        Float32Case{"1e99999999999999999999", Bits(kOverflow)}));

// glibc's strtof rounds correctly from the exact decimal value; our texts are
// all in its grammar too, so it is the oracle for everything in range.
Outcome<std::uint32_t> Oracle(const std::string& text) {
  const float value = std::strtof(text.c_str(), nullptr);
  if (std::isinf(value))
    return kOverflow;
  return BitCast<std::uint32_t>(value);
}

// Texts at and next to the rounding boundaries of singles all over the range,
// plus plain random decimals of many lengths and exponents.
std::vector<std::string> BoundaryTexts() {
  std::mt19937_64 random(20261210);
  std::vector<std::string> texts;
  char buffer[512];
  for (int i = 0; i < 4000; ++i) {
    // The halfway point above a random finite single is exact in double, and
    // %.*e prints a double's exact decimal expansion.
    const auto bits = static_cast<std::uint32_t>(random() % 0x7F800000u);
    const float f = BitCast<float>(bits);
    const double halfway =
        (static_cast<double>(f) + static_cast<double>(std::nextafter(f, kMaxF * 2))) / 2;
    std::snprintf(buffer, sizeof buffer, "%.160e", halfway);
    std::string exact = buffer;
    texts.push_back(exact);
    const auto e = exact.find('e');
    texts.push_back(exact.substr(0, e) + "000001" + exact.substr(e));  // just above
    std::snprintf(buffer, sizeof buffer, "%.9e", halfway);             // short, near
    texts.push_back(buffer);
  }
  for (int i = 0; i < 4000; ++i) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 40);
    const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point)
        text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    text += 'e';
    text += std::to_string(static_cast<int>(random() % 100) - 60);
    texts.push_back(text);
  }
  return texts;
}

TEST(ParseFloat32Oracle, AgreesWithCorrectlyRoundedStrtof) {
  int checked = 0;
  for (const std::string& text : BoundaryTexts()) {
    ASSERT_EQ(Float32BitsOf(text), Oracle(text)) << text;
    ++checked;
  }
  EXPECT_GT(checked, 10000);
}

// --- Long texts: one pass, any length ----------------------------------------

TEST(LongTextTest, MegabytesOfDigitsAreReadExactly) {
  const std::string zeros(1 << 20, '0');
  EXPECT_EQ(ParseInt16(zeros + "12"), 12);
  EXPECT_EQ(ParseInt16("0." + zeros + "1"), 0);
  EXPECT_EQ(ParseInt16("2." + zeros + "1"), 2);
  EXPECT_EQ(ParseInt16("2.5" + zeros + "1"), 3);
  EXPECT_EQ(ParseInt16("2.5" + zeros), 2);
  EXPECT_EQ(OutcomeOf([&] { return ParseInt16("1" + zeros); }), (Outcome<Int16>{kOverflow}));
  EXPECT_EQ(OutcomeOf([&] { return ParseInt16(zeros + "x"); }), (Outcome<Int16>{kMismatch}));

  EXPECT_EQ(Float32BitsOf("1.000000059604644775390625" + zeros), Bits(1.0f));
  EXPECT_EQ(Float32BitsOf("1.000000059604644775390625" + zeros + "1"),
            Bits(std::nextafter(1.0f, 2.0f)));
  EXPECT_EQ(Float32BitsOf("1" + zeros), Bits(kOverflow));
  EXPECT_EQ(Float32BitsOf("0." + zeros + "1"), Bits(0.0f));
  EXPECT_EQ(Float32BitsOf(zeros + "108" + "e-2"), Bits(1.08f));
}

// --- QuoteText ---------------------------------------------------------------

TEST(QuoteTextTest, KeepsMessagesPrintableAndShort) {
  EXPECT_EQ(QuoteText(""), "\"\"");
  EXPECT_EQ(QuoteText("abc"), "\"abc\"");
  EXPECT_EQ(QuoteText("h\xC3\xA9"), "\"h\xC3\xA9\"");  // valid UTF-8 stays
  EXPECT_EQ(QuoteText(std::string_view("a\0b", 3)), "\"a\\x00b\"");
  EXPECT_EQ(QuoteText("\xFF\xC3"), "\"\\xFF\\xC3\"");           // invalid and truncated sequences
  EXPECT_EQ(QuoteText("\xED\xA0\x80"), "\"\\xED\\xA0\\x80\"");  // a surrogate
  EXPECT_EQ(QuoteText("123456789", 4), "\"1234\xE2\x80\xA6\"");
  EXPECT_EQ(QuoteText(std::string(1 << 20, '9')).size(), 24 + 2 + 3u);
}

}  // namespace
}  // namespace kelmora
