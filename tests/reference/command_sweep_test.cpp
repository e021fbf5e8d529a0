// The Calculate command against the exact reference, on seeded random forms:
// the results, or the error's kind, place and step, and how many fields it
// read before stopping; a failed click writes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/reference/edge_rows.h"
#include "tests/reference/reference.h"
#include "tests/support/spy_form.h"
#include "window/calculate.h"

namespace kelmora::reference {
namespace {

using Form = std::array<std::string, 13>;

const Form kDefaults = {"487", "8",  "108", "37", "30", "108", "22",
                        "34",  "97", "74",  "7",  "94", "99"};

// The exact decimal expansion of x, whose denominator has no prime but 2 and 5.
std::string ExactDecimal(const Rational& x) {
  Integer scaled = abs(numerator(x));
  const Integer denominator = boost::multiprecision::denominator(x);
  std::size_t places = 0;
  while (scaled % denominator != 0) {
    scaled *= 10;
    ++places;
  }
  std::string digits = Integer(scaled / denominator).str();
  if (digits.size() <= places)
    digits.insert(0, places + 1 - digits.size(), '0');
  if (places > 0)
    digits.insert(digits.size() - places, ".");
  return (x < 0 ? "-" : "") + digits;
}

std::string Printed(const char* format, double x) {
  char text[64];
  std::snprintf(text, sizeof text, format, x);
  return text;
}

// A multiplier text for a percentage anywhere from the smallest subnormal to
// the largest single: as printed, or written out in full at (or a hair to
// either side of) the halfway point above it, where reading must round right.
std::string PercentText(Random& random, Float32 percent) {
  const Rational exact = Exact(percent);
  // The single after it, away from zero; past the largest, the step it would have.
  const Float32 next = std::nextafter(percent, percent > 0 ? INFINITY : -INFINITY);
  const Rational step =
      std::isfinite(next) ? Exact(next) - exact : exact - Exact(std::nextafter(percent, 0.0f));
  const Rational halfway = exact + step / 2;
  switch (random.Between(0, 5)) {
    case 0:
      return Printed("%.9g", static_cast<double>(percent));
    case 1:
      return Printed("%.6e", static_cast<double>(percent));
    case 2:
      return ExactDecimal(halfway);
    case 3:
      return ExactDecimal(halfway) + "000000001";
    case 4: {
      const std::string text = ExactDecimal(halfway);
      const auto places =
          text.find('.') == std::string::npos ? 0 : text.size() - text.find('.') - 1;
      return ExactDecimal(
          halfway - Rational(Integer(1), pow(Integer(10), static_cast<unsigned>(places + 3))));
    }
    default:
      return ExactDecimal(exact);
  }
}

// Texts a player, a paste or a fuzzer might leave in a box.
std::string Hostile(Random& random) {
  static const std::vector<std::string> texts = {"",
                                                 " ",
                                                 "abc",
                                                 "1.2.3",
                                                 "--5",
                                                 "+",
                                                 ".",
                                                 "e5",
                                                 "5e",
                                                 "1e",
                                                 "0x1A",
                                                 "1,5",
                                                 "inf",
                                                 "nan",
                                                 "\xD9\xA1\xD9\xA2",
                                                 "\xEF\xBC\x91\xEF\xBC\x92",
                                                 "\t 42 \t",
                                                 std::string("4\0", 2),
                                                 "\xFF",
                                                 "1e999999999",
                                                 "-1e-999999999",
                                                 "2.5",
                                                 "3.5",
                                                 "-0.5",
                                                 "32767.5",
                                                 "-32768.5",
                                                 "32767.49999",
                                                 "99999",
                                                 "-32769",
                                                 "1E2",
                                                 "+.5e+1",
                                                 "5.",
                                                 std::string(300, '9'),
                                                 std::string(200, '0') + "42",
                                                 "0." + std::string(200, '0') + "1"};
  return random.Pick(texts);
}

std::string Int16Text(Random& random, std::int64_t typical_low, std::int64_t typical_high) {
  if (random.OneIn(5))
    return std::to_string(random.Pick(std::vector<int>{-32768, -2, -1, 0, 1, 32766, 32767}));
  if (random.OneIn(4))
    return std::to_string(random.Between(-32768, 32767));
  return std::to_string(random.Between(typical_low, typical_high));
}

Form RandomForm(Random& random) {
  Form form;
  for (std::size_t field = 0; field < form.size(); ++field) {
    if (random.OneIn(40)) {
      form[field] = Hostile(random);
      continue;
    }
    if (field == 12) {
      form[field] = Int16Text(random, 1, 99);
    } else if (field % 3 == 0) {
      form[field] = Int16Text(random, 0, 999);
    } else if (field % 3 == 1) {
      form[field] = Int16Text(random, 0, 99);
    } else if (random.OneIn(4)) {
      form[field] = PercentText(random, random.PositiveSingle(-149, 127));
    } else {
      form[field] = Printed("%.3f", static_cast<double>(random.Between(1, 500000)) / 1000);
    }
  }
  return form;
}

// The defaults, with one stat's multiplier anywhere in the single range and a
// stat value for which a multiplier one single away changes the count.
Form MultiplierForm(Random& random) {
  Form form = kDefaults;
  const std::size_t stat = static_cast<std::size_t>(random.Between(0, 3));
  // Below about 2^-10 % every count passes the Int32 range: some rows there
  // for the errors, most where counts exist.
  Float32 percent = random.PositiveSingle(random.OneIn(3) ? -149 : -10, 127);
  if (random.OneIn(10))
    percent = -percent;
  form[3 * stat + 2] = PercentText(random, percent);
  // p = 16384 × value / (percent / 100) near 2^27, where a single's step in
  // the quotient moves p by some 16.
  const double value =
      std::clamp(std::round(std::fabs(static_cast<double>(percent)) / 100 * 0x1p13), 1.0, 32766.0);
  form[3 * stat] = Printed("%.0f", random.OneIn(10) ? -value : value);
  form[3 * stat + 1] = "0";
  form[12] = "1";
  return form;
}

std::string Shown(const Form& form) {
  std::string shown;
  for (const std::string& text : form) {
    std::string quoted = "\"";
    for (const char c : text.substr(0, 60))
      quoted += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    shown += quoted + (text.size() > 60 ? "…\" " : "\" ");
  }
  return shown;
}

// The command on `texts`, described the way the reference describes itself.
ClickOutcome Command(const Form& texts, bool& wrote_on_failure) {
  SpyForm form;
  for (std::size_t i = 0; i < texts.size(); ++i)
    form.inner.setText(kReadingOrder[i], texts[i]);
  ClickOutcome outcome;
  try {
    btn_calc_Click(form);
    outcome.results.emplace();
    for (std::size_t i = 0; i < kWritingOrder.size(); ++i)
      (*outcome.results)[i] = form.inner.text(kWritingOrder[i]);
  } catch (const RunTimeError& error) {
    outcome.kind = error.kind();
    outcome.place = error.place();
    outcome.step = error.step();
  }
  outcome.fields_read =
      static_cast<std::size_t>(std::count_if(form.accesses.begin(), form.accesses.end(),
                                             [](const auto& access) { return !access.write; }));
  wrote_on_failure =
      !outcome.results && std::any_of(form.accesses.begin(), form.accesses.end(),
                                      [](const auto& access) { return access.write; });
  return outcome;
}

bool Same(const ClickOutcome& a, const ClickOutcome& b) {
  return a.results == b.results && a.kind == b.kind && a.place == b.place && a.step == b.step &&
         a.fields_read == b.fields_read;
}

std::string Described(const ClickOutcome& outcome) {
  std::string text;
  if (outcome.results) {
    for (const std::string& result : *outcome.results)
      text += result + " ";
  } else {
    text = std::string(KindName(*outcome.kind)) + " at " + outcome.place + ", step " +
           std::to_string(static_cast<int>(outcome.step));
  }
  return text + " (" + std::to_string(outcome.fields_read) + " fields read)";
}

struct FormFamily {
  const char* name;
  std::function<Form(Random&)> form;
  std::size_t count;
};

class ReferenceCommandSweepTest : public testing::TestWithParam<FormFamily> {};

TEST_P(ReferenceCommandSweepTest, CommandAgreesWithTheExactRules) {
  const FormFamily& family = GetParam();
  Random random(20261211);
  std::size_t disagreements = 0;
  std::size_t succeeded = 0;
  const std::size_t count = SweepSize(family.count);
  for (std::size_t i = 0; i < count; ++i) {
    const Form texts = family.form(random);
    const ClickOutcome expected = Click(texts);
    bool wrote_on_failure = false;
    const ClickOutcome got = Command(texts, wrote_on_failure);
    if (expected.results)
      ++succeeded;

    if (Same(got, expected) && !wrote_on_failure)
      continue;
    if (++disagreements <= 10) {
      ADD_FAILURE() << Shown(texts) << "\n  the command: " << Described(got)
                    << (wrote_on_failure ? ", and it wrote a field" : "")
                    << "\n  the rules:   " << Described(expected);
    }
  }
  EXPECT_EQ(disagreements, 0u) << "of " << count << " forms";
  // Both outcomes must be well represented for the sweep to mean anything.
  EXPECT_GE(succeeded * 10, count) << succeeded << " of " << count << " forms succeeded";
  EXPECT_LE(succeeded * 20, count * 19) << succeeded << " of " << count << " forms succeeded";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReferenceCommandSweepTest,
    testing::Values(FormFamily{"RandomTexts", RandomForm, 4000},
                    FormFamily{"MultipliersOverTheSingleRange", MultiplierForm, 4000}),
    [](const testing::TestParamInfo<FormFamily>& test) { return test.param.name; });

}  // namespace
}  // namespace kelmora::reference
