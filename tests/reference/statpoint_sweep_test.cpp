// MinStatpoint and MaxStatpoint against the exact reference, on rows chosen
// near every edge where a wrong precision, a swapped check or an off-by-one
// would change a count or an error: the count, or the error's kind and step.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "calc/statpoint.h"
#include "tests/reference/edge_rows.h"
#include "tests/reference/reference.h"

namespace kelmora::reference {
namespace {

// One range end: its count, or the kind and step of its failure.
struct End {
  std::optional<Int32> count;
  ErrorKind kind = ErrorKind::Overflow;
  Step step = Step::None;
  bool operator==(const End& other) const {
    return count ? count == other.count : !other.count && kind == other.kind && step == other.step;
  }
};

std::ostream& operator<<(std::ostream& os, const End& end) {
  if (end.count)
    return os << *end.count;
  return os << KindName(end.kind) << " at step " << static_cast<int>(end.step);
}

template <typename Call>
End EndOf(Call&& call) {
  try {
    return {call()};
  } catch (const RunTimeError& error) {
    return {std::nullopt, error.kind(), error.step()};
  }
}

// --- The reference's own rounding, against the machine's ----------------------

// The hardware's conversions and quotients are correctly rounded IEEE
// operations: the reference's explicit rounding must give the same.
TEST(ReferenceRoundingTest, AgreesWithTheMachinesCorrectlyRoundedOperations) {
  Random random(20261211);
  for (int i = 0; i < 20000; ++i) {
    // Doubles of every size, down to the singles' subnormals and past their top.
    const double x = std::ldexp(static_cast<double>(random.Between(1, (1LL << 53) - 1)),
                                static_cast<int>(random.Between(-210, 76)));
    const auto rounded = RoundToFormat(Exact(x), kBinary32);
    const auto single = static_cast<Float32>(x);
    if (std::isinf(single)) {
      ASSERT_FALSE(rounded) << x;
    } else {
      ASSERT_EQ(ToFloat32(*rounded), single) << x;
    }

    const auto a = static_cast<double>(random.Between(-32768, 32767));
    const auto b = static_cast<double>(random.Between(1, 32768));
    ASSERT_EQ(ToFloat64(*RoundToFormat(Rational(Integer(static_cast<std::int64_t>(a)),
                                                Integer(static_cast<std::int64_t>(b))),
                                       kBinary64)),
              a / b)
        << a << " / " << b;
  }
  EXPECT_EQ(RoundToInteger(Rational(5, 2)), 2);
  EXPECT_EQ(RoundToInteger(Rational(-5, 2)), -2);
  EXPECT_EQ(RoundToInteger(Rational(7, 2)), 4);
}

// --- The sweeps ------------------------------------------------------------------

// Whether the minimum's trace (or, for a family that says so, either end's)
// lies at the edge the family aims at.
using NearEdge = std::function<bool(const Trace&)>;

bool PNearHalfInteger(const Trace& t) {
  if (!t.p)
    return false;
  const Rational fraction = abs(*t.p - Rational(numerator(*t.p) / denominator(*t.p)));
  return abs(fraction - Rational(1, 2)) <= Rational(1, 1024);
}

struct Family {
  const char* name;
  std::function<std::vector<Row>(Random&, std::size_t)> rows;
  std::size_t count;   // rows asked for, before the emulators' reduction
  NearEdge near_edge;  // none for the families that are not aimed
  bool either_end = false;
};

class ReferenceSweepTest : public testing::TestWithParam<Family> {};

TEST_P(ReferenceSweepTest, CoreAgreesWithTheExactRules) {
  const Family& family = GetParam();
  Random random(20261211);
  const std::size_t asked = SweepSize(family.count);
  const std::vector<Row> rows = family.rows(random, asked);
  ASSERT_GE(rows.size() * 10, asked * 9) << "the family found too few rows";

  std::size_t disagreements = 0;
  std::size_t near = 0;
  for (const Row& row : rows) {
    Trace trace;
    Trace max_trace;
    const Rational m = Exact(row.StatM);
    const End ref_min =
        EndOf([&] { return MinStatpoint(row.StatVal, row.StatC, m, row.Level, &trace); });
    const End ref_max =
        EndOf([&] { return MaxStatpoint(row.StatVal, row.StatC, m, row.Level, &max_trace); });
    const End min =
        EndOf([&] { return kelmora::MinStatpoint(row.StatVal, row.StatC, row.StatM, row.Level); });
    const End max =
        EndOf([&] { return kelmora::MaxStatpoint(row.StatVal, row.StatC, row.StatM, row.Level); });
    if (family.near_edge &&
        (family.near_edge(trace) || (family.either_end && family.near_edge(max_trace))))
      ++near;
    if (min == ref_min && max == ref_max)
      continue;
    if (++disagreements <= 10) {
      ADD_FAILURE() << row << "\n  minimum " << min << ", the rules give " << ref_min
                    << "\n  maximum " << max << ", the rules give " << ref_max;
    }
  }
  EXPECT_EQ(disagreements, 0u) << "of " << rows.size() << " rows";
  // A family that drifted off its edge would test nothing in particular.
  if (family.near_edge) {
    EXPECT_GE(near * 10, rows.size() * 9) << near << " of " << rows.size() << " rows at the edge";
  }
}

std::string FamilyName(const testing::TestParamInfo<Family>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReferenceSweepTest,
    testing::Values(
        Family{"EdgeValues", [](Random&, std::size_t) { return EdgeValueRows(); }, 0, nullptr},
        Family{"PNearHalfInteger", HalfIntegerPRows, 3000, PNearHalfInteger},
        Family{"QuotientNearSingleHalfway", SingleHalfwayQuotientRows, 3000,
               [](const Trace& trace) {
                 return trace.exact_quotient &&
                        HalfwayDistance(*trace.exact_quotient, kBinary32) <= Rational(1, 2048);
               }},
        Family{"RatioNearDoubleHalfway", DoubleHalfwayRatioRows, 1500,
               [](const Trace& trace) {
                 return trace.exact_ratio &&
                        HalfwayDistance(*trace.exact_ratio, kBinary64) <= Rational(1, 512) &&
                        PNearHalfInteger(trace);
               }},
        Family{"NearInt32Ends", Int32EndRows, 3000,
               [](const Trace& trace) {
                 return trace.exact_p && abs(*trace.exact_p) > Rational(2147483648LL - 65540) &&
                        abs(*trace.exact_p) < Rational(2147483648LL + 2);
               },
               true},
        Family{"Random", RandomRows, 20000, nullptr}),
    FamilyName);

}  // namespace
}  // namespace kelmora::reference
