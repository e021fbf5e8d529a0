// The Calculate command on an in-memory form: the default results, the
// reading and writing orders, the first error and its place, and that a
// failed click leaves every field as it was.
#include "window/calculate.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/spy_form.h"
#include "window/fields.h"

namespace kelmora {
namespace {

const std::vector<std::pair<std::string, std::string>> kDefaultResults = {
    {"txt_hplo", "621423"}, {"txt_hphi", "622700"}, {"txt_mplo", "134912"}, {"txt_mphi", "138538"},
    {"txt_palo", "97790"},  {"txt_pahi", "102234"}, {"txt_malo", "97344"},  {"txt_mahi", "98663"}};

const std::vector<std::string> kReadingOrder = {
    "txt_hpval", "txt_hpc", "txt_hpm",   "txt_mpval", "txt_mpc", "txt_mpm",  "txt_paval",
    "txt_pac",   "txt_pam", "txt_maval", "txt_mac",   "txt_mam", "txt_level"};

// Every field's text, to compare whole forms before and after a click.
std::map<std::string, std::string> Snapshot(const CalculatorForm& form) {
  std::map<std::string, std::string> texts;
  for (const Field& field : kFields)
    texts.emplace(field.name, form.text(field.name));
  return texts;
}

TEST(CalculateTest, DefaultInputsGiveTheDefaultRanges) {
  MemoryForm form;
  btn_calc_Click(form);
  for (const auto& [field, text] : kDefaultResults)
    EXPECT_EQ(form.text(field), text) << field;
}

TEST(CalculateTest, ReadsAllInputsInOrderThenWritesAllResultsInOrder) {
  SpyForm form;
  btn_calc_Click(form);
  std::vector<SpyForm::Access> expected;
  for (const auto& field : kReadingOrder)
    expected.push_back({false, field});
  for (const auto& [field, text] : kDefaultResults)
    expected.push_back({true, field});
  EXPECT_EQ(form.accesses, expected);
}

TEST(CalculateTest, ClickingTwiceWritesTheSameTexts) {
  MemoryForm form;
  btn_calc_Click(form);
  const auto first = Snapshot(form);
  btn_calc_Click(form);
  EXPECT_EQ(Snapshot(form), first);
}

TEST(CalculateTest, NegativeStatValuesGiveNegativeResults) {
  MemoryForm form;
  form.setText("txt_hpval", "-5");
  btn_calc_Click(form);
  EXPECT_EQ(form.text("txt_hplo"), "-6380");
  EXPECT_EQ(form.text("txt_hphi"), "-5105");
}

// --- Failures ---------------------------------------------------------------

struct FailureCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> edits;
  ErrorKind kind;
  const char* place;        // where the error arose
  std::size_t fields_read;  // how many inputs were read before it ended
};

class CalculateFailureTest : public testing::TestWithParam<FailureCase> {
 protected:
  // Runs the click on `form` with the case's edits; returns the error.
  std::optional<RunTimeError> Click(CalculatorForm& form) {
    try {
      btn_calc_Click(form);
    } catch (const RunTimeError& error) {
      return error;
    }
    return std::nullopt;
  }
};

TEST_P(CalculateFailureTest, FirstErrorWinsAndNothingIsWritten) {
  const auto& c = GetParam();
  SpyForm form;
  for (const auto& [field, text] : c.edits)
    form.inner.setText(field, text);
  const auto before = Snapshot(form.inner);

  const auto error = Click(form);
  ASSERT_TRUE(error.has_value()) << "the click succeeded";
  EXPECT_EQ(error->kind(), c.kind);
  EXPECT_EQ(error->place(), c.place);
  EXPECT_EQ(Snapshot(form.inner), before);

  std::vector<SpyForm::Access> expected;
  for (std::size_t i = 0; i < c.fields_read; ++i)
    expected.push_back({false, kReadingOrder[i]});
  EXPECT_EQ(form.accesses, expected);
}

std::string CaseName(const testing::TestParamInfo<FailureCase>& info) {
  return info.param.name;
}

const std::string kMegabyteOfNines(1 << 20, '9');

INSTANTIATE_TEST_SUITE_P(
    Reading, CalculateFailureTest,
    testing::Values(
        FailureCase{"EmptyHpC", {{"txt_hpc", ""}}, ErrorKind::TypeMismatch, "txt_hpc", 2},
        FailureCase{"BadHpValBeforeBadLevel",
                    {{"txt_level", "x"}, {"txt_hpval", "abc"}},
                    ErrorKind::TypeMismatch,
                    "txt_hpval",
                    1},
        FailureCase{"LongMaValue", {{"txt_maval", "40000"}}, ErrorKind::Overflow, "txt_maval", 10},
        FailureCase{
            "LevelOutOfRange", {{"txt_level", "1e5"}}, ErrorKind::Overflow, "txt_level", 13},
        FailureCase{
            "MultiplierBeyondSingle", {{"txt_mpm", "1e39"}}, ErrorKind::Overflow, "txt_mpm", 6},
        FailureCase{
            "InvalidUtf8", {{"txt_pac", "\xFF\xFE"}}, ErrorKind::TypeMismatch, "txt_pac", 8},
        FailureCase{"EmbeddedNul",
                    {{"txt_mac", std::string("7\0", 2)}},
                    ErrorKind::TypeMismatch,
                    "txt_mac",
                    11},
        FailureCase{"MegabyteOfDigits",
                    {{"txt_mac", kMegabyteOfNines}},
                    ErrorKind::Overflow,
                    "txt_mac",
                    11}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Calculating, CalculateFailureTest,
    testing::Values(
        // "0" reads fine (0 / 100 is 0); the stat's minimum then fails.
        FailureCase{
            "ZeroMultiplier", {{"txt_pam", "0"}}, ErrorKind::DivisionByZero, "txt_palo", 13},
        FailureCase{"ZeroMultiplierZeroValue",
                    {{"txt_pam", "0"}, {"txt_paval", "0"}},
                    ErrorKind::InvalidOperation,
                    "txt_palo",
                    13},
        FailureCase{"ZeroMultiplierMaxOnly",
                    {{"txt_pam", "0"}, {"txt_paval", "-1"}},
                    ErrorKind::DivisionByZero,
                    "txt_palo",
                    13},
        FailureCase{"TopStatValueFailsOnlyTheMaximum",
                    {{"txt_mpval", "32767"}},
                    ErrorKind::Overflow,
                    "txt_mphi",
                    13},
        FailureCase{
            "CValueMinusOne", {{"txt_mac", "-1"}}, ErrorKind::DivisionByZero, "txt_malo", 13},
        FailureCase{"EarlierStatFailsFirst",
                    {{"txt_mac", "-1"}, {"txt_hpm", "0"}},
                    ErrorKind::DivisionByZero,
                    "txt_hplo",
                    13}),
    CaseName);

TEST(CalculateTest, FailedClickKeepsThePreviousResults) {
  MemoryForm form;
  btn_calc_Click(form);
  form.setText("txt_hpval", "488");
  btn_calc_Click(form);
  EXPECT_EQ(form.text("txt_hplo"), "622701");

  form.setText("txt_mam", "0");
  const auto before = Snapshot(form);
  EXPECT_THROW(btn_calc_Click(form), RunTimeError);
  EXPECT_EQ(Snapshot(form), before);
}

// --- What the window shows ----------------------------------------------------

struct MessageCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> edits;
  const char* message;
  const char* field_to_fix;
};

class DescribeErrorTest : public testing::TestWithParam<MessageCase> {};

TEST_P(DescribeErrorTest, NamesKindPlaceAndText) {
  const auto& c = GetParam();
  MemoryForm form;
  for (const auto& [field, text] : c.edits)
    form.setText(field, text);
  try {
    btn_calc_Click(form);
    FAIL() << "the click succeeded";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(DescribeError(error), c.message);
    EXPECT_EQ(FieldToFix(error), c.field_to_fix);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DescribeErrorTest,
    testing::Values(MessageCase{"EmptyText",
                                {{"txt_hpc", ""}},
                                "Type mismatch \xE2\x80\x94 HP C-value: \"\" is not a number",
                                "txt_hpc"},
                    MessageCase{"OutOfRange",
                                {{"txt_maval", "40000"}},
                                "Overflow \xE2\x80\x94 MA stat value: \"40000\" is outside "
                                "-32768\xE2\x80\xA6"
                                "32767",
                                "txt_maval"},
                    MessageCase{"ReadingBeforeCalculating",
                                {{"txt_level", "x"}, {"txt_hpm", "0"}},
                                "Type mismatch \xE2\x80\x94 Level: \"x\" is not a number",
                                "txt_level"}),
    [](const testing::TestParamInfo<MessageCase>& test) { return std::string(test.param.name); });

// Each step of the range calculation that can fail, with the message a player
// reads and the box they are sent to.
INSTANTIATE_TEST_SUITE_P(
    EveryStep, DescribeErrorTest,
    testing::Values(
        MessageCase{"StatValPlusOne",
                    {{"txt_mpval", "32767"}},
                    "Overflow \xE2\x80\x94 MP maximum: stat value 32767 plus 1 is outside "
                    "-32768\xE2\x80\xA6"
                    "32767",
                    "txt_mpval"},
        MessageCase{"QuotientByZero",
                    {{"txt_mpm", "0"}},
                    "Division by zero \xE2\x80\x94 MP minimum: the multiplier is 0 %",
                    "txt_mpm"},
        MessageCase{
            "QuotientZeroByZero",
            {{"txt_mpm", "0"}, {"txt_mpval", "0"}},
            "Invalid operation \xE2\x80\x94 MP minimum: stat value 0 over a multiplier of 0 % "
            "has no defined result",
            "txt_mpm"},
        MessageCase{
            "QuotientBeyondSingle",
            {{"txt_hpm", "1e-35"}},
            "Overflow \xE2\x80\x94 HP minimum: stat value 487 over a multiplier of 1e-35 % is "
            "beyond the single-precision range",
            "txt_hpm"},
        MessageCase{"CPlusOne",
                    {{"txt_mac", "32767"}},
                    "Overflow \xE2\x80\x94 MA minimum: C-value 32767 plus 1 is outside "
                    "-32768\xE2\x80\xA6"
                    "32767",
                    "txt_mac"},
        MessageCase{"CPlusLevel",
                    {{"txt_mac", "32700"}},
                    "Overflow \xE2\x80\x94 MA minimum: C-value 32700 plus level 99 is outside "
                    "-32768\xE2\x80\xA6"
                    "32767",
                    "txt_mac"},
        MessageCase{"RatioByZero",
                    {{"txt_hpc", "-99"}},
                    "Division by zero \xE2\x80\x94 HP minimum: C-value -99 plus level 99 is 0",
                    "txt_hpc"},
        MessageCase{"RatioZeroByZero",
                    {{"txt_hpc", "-1"}, {"txt_level", "1"}},
                    "Invalid operation \xE2\x80\x94 HP minimum: C-value -1 plus 1 and C-value -1 "
                    "plus level 1 are both 0",
                    "txt_hpc"},
        MessageCase{"RoundToInt32",
                    {{"txt_hpm", "0.001"}},
                    "Overflow \xE2\x80\x94 HP minimum: the stat points for stat value 487 at a "
                    "multiplier of 0.001 % are outside -2147483648\xE2\x80\xA6"
                    "2147483647",
                    "txt_hpm"},
        MessageCase{"RemainderByZero",
                    {{"txt_mac", "-1"}},
                    "Division by zero \xE2\x80\x94 MA minimum: C-value -1 plus 1 is 0",
                    "txt_mac"},
        // 1 / 2^-17 * 2^14 * (-1 / 1) is -2^31, whose remainder by -1 overflows.
        MessageCase{
            "RemainderOfLowestByMinusOne",
            {{"txt_maval", "1"},
             {"txt_mac", "-2"},
             {"txt_mam", "0.000762939453125"},
             {"txt_level", "3"}},
            "Overflow \xE2\x80\x94 MA minimum: -2147483648 stat points cannot be rounded to "
            "a multiple of C-value -2 plus 1",
            "txt_mac"},
        MessageCase{"RoundUpPastTheTop",
                    {{"txt_maval", "32767"},
                     {"txt_mac", "16383"},
                     {"txt_mam", "24.9993"},
                     {"txt_level", "1"}},
                    "Overflow \xE2\x80\x94 MA minimum: the stat points for stat value 32767 at a "
                    "multiplier of 24.9993 %, rounded up to a multiple of C-value 16383 plus 1, "
                    "pass 2147483647",
                    "txt_mam"},
        // A negative multiplier: Min(0) is 0, but Min(1) is -2^31, so the maximum's - 1 fails.
        MessageCase{"MinusOne",
                    {{"txt_maval", "0"},
                     {"txt_mac", "1"},
                     {"txt_mam", "-0.000762939453125"},
                     {"txt_level", "1"}},
                    "Overflow \xE2\x80\x94 MA maximum: the stat points for stat value 0 at a "
                    "multiplier of -0.00076293945 %, less 1, fall below -2147483648",
                    "txt_mam"}),
    [](const testing::TestParamInfo<MessageCase>& test) { return std::string(test.param.name); });

TEST(DescribeErrorTest, AnErrorWithoutAPlaceStillReads) {
  const RunTimeError error(ErrorKind::Overflow,
                           "32767 + 1 is outside -32768\xE2\x80\xA6"
                           "32767");
  EXPECT_EQ(DescribeError(error),
            "Overflow \xE2\x80\x94 32767 + 1 is outside -32768\xE2\x80\xA6"
            "32767");
  EXPECT_EQ(FieldToFix(error), "");
}

TEST(MemoryFormTest, StartsWithTheDefaultTextsAndRefusesUnknownFields) {
  MemoryForm form;
  for (const Field& field : kFields)
    EXPECT_EQ(form.text(field.name), field.default_text);
  EXPECT_EQ(form.text("txt_hpval"), "487");
  EXPECT_EQ(form.text("txt_hplo"), "");
  EXPECT_THROW(form.text("txt_nope"), std::invalid_argument);
  EXPECT_THROW(form.setText("txt_nope", "1"), std::invalid_argument);
}

}  // namespace
}  // namespace kelmora
