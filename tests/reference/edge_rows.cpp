#include "tests/reference/edge_rows.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

namespace kelmora::reference {
namespace {

constexpr double kTwo31 = 2147483648.0;

// The rules in the machine's own IEEE arithmetic, only to find candidate rows
// quickly; a sweep judges every row by the reference alone.
struct Quick {
  Float64 ratio;
  Float64 p;
};
std::optional<Quick> QuickModel(Int16 c, Float32 q, Int16 level) {
  const int c1 = c + 1;
  const int cl = c + level;
  if (c1 > 32767 || cl == 0 || cl < -32768 || cl > 32767)
    return std::nullopt;
  const double ratio = static_cast<double>(c1) / static_cast<double>(cl);
  return Quick{ratio, ratio * (static_cast<double>(q) * 16384.0)};
}

// The single n steps away from x (toward +infinity for positive n), for x
// and the result both finite and of one sign.
Float32 Steps(Float32 x, std::int64_t n) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  const std::int64_t toward = x < 0 || (x == 0 && std::signbit(x)) ? -n : n;
  bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(bits) + toward);
  Float32 result = 0;
  std::memcpy(&result, &bits, sizeof result);
  return result;
}

// A multiplier m for which StatVal / m rounds to exactly q, if one lies near StatVal / q.
std::optional<Float32> MultiplierGiving(Int16 value, Float32 q) {
  const auto guess = static_cast<Float32>(static_cast<double>(value) / static_cast<double>(q));
  if (!std::isfinite(guess) || guess == 0)
    return std::nullopt;
  for (std::int64_t d = 0; d <= 8; ++d) {
    for (const Float32 m : {Steps(guess, d), Steps(guess, -d)}) {
      if (std::isfinite(m) && m != 0 && static_cast<Float32>(value) / m == q)
        return m;
    }
  }
  return std::nullopt;
}

double HalfDistance(double p) {
  return std::fabs(p - std::floor(p) - 0.5);
}

// A stat value that is not zero, small more often than not.
Int16 NonZeroValue(Random& random) {
  const std::int64_t magnitude =
      random.OneIn(2) ? random.Between(1, 999) : random.Between(1, 32767);
  return static_cast<Int16>(random.OneIn(5) ? -magnitude : magnitude);
}

// A C-value and a level the ratio exists for.
std::pair<Int16, Int16> CAndLevel(Random& random) {
  for (;;) {
    const auto c =
        static_cast<Int16>(random.OneIn(2) ? random.Between(-3, 200) : random.AnyInt16());
    const auto level =
        static_cast<Int16>(random.OneIn(2) ? random.Between(1, 99) : random.AnyInt16());
    if (QuickModel(c, 1.0f, level))
      return {c, level};
  }
}

// Scans the singles around the q that would put p at `target`, nearest first,
// for one whose p passes `keep`; then a multiplier that gives that q.
template <typename Keep>
std::optional<Row> RowNear(Int16 value, Int16 c, Int16 level, double target, Keep keep,
                           std::int64_t reach = 1024) {
  const auto model = QuickModel(c, 1.0f, level);
  if (!model || model->ratio == 0)
    return std::nullopt;
  const auto start = static_cast<Float32>(target / (model->ratio * 16384.0));
  if (!std::isfinite(start) || start == 0)
    return std::nullopt;
  for (std::int64_t d = 0; d <= reach; ++d) {
    for (const Float32 q : {Steps(start, d), Steps(start, -d)}) {
      if (!std::isfinite(q) || q == 0 || !keep(QuickModel(c, q, level)->p))
        continue;
      if (const auto m = MultiplierGiving(value, q))
        return Row{value, c, *m, level};
    }
  }
  return std::nullopt;
}

// The sign p has for a positive multiplier.
double NaturalSign(Int16 value, Int16 c, Int16 level) {
  return (value < 0) == ((c + 1 < 0) == (c + level < 0)) ? -1 : 1;
}

// A p target spread over the magnitudes a count can have.
double SomeCount(Random& random) {
  return std::ldexp(1.0 + static_cast<double>(random.Between(0, 1 << 20)) / (1 << 20),
                    static_cast<int>(random.Between(0, 30)));
}

template <typename Make>
std::vector<Row> Collect(std::size_t count, Make make) {
  std::vector<Row> rows;
  for (std::size_t attempt = 0; rows.size() < count && attempt < 100 * count; ++attempt) {
    if (const std::optional<Row> row = make())
      rows.push_back(*row);
  }
  return rows;
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const Row& row) {
  char multiplier[64];
  std::snprintf(multiplier, sizeof multiplier, "%.9g (%a)", static_cast<double>(row.StatM),
                static_cast<double>(row.StatM));
  return os << "StatVal " << row.StatVal << ", StatC " << row.StatC << ", StatM " << multiplier
            << ", Level " << row.Level;
}

std::vector<Row> EdgeValueRows() {
  const std::array<Int16, 10> values = {-32768, -32767, -2, -1, 0, 1, 2, 487, 32766, 32767};
  const std::array<Int16, 10> c_values = {-32768, -32767, -3, -2, -1, 0, 1, 8, 32766, 32767};
  const std::array<int, 6> levels = {-32768, -1, 0, 1, 99, 32767};
  constexpr Float32 kMax = std::numeric_limits<Float32>::max();
  const std::array<Float32, 16> multipliers = {
      0.0f,
      -0.0f,
      std::numeric_limits<Float32>::denorm_min(),
      -std::numeric_limits<Float32>::denorm_min(),
      std::numeric_limits<Float32>::min(),
      0x1p-120f,  // the quotient fits a single, scaled by 2^14 it would not
      0x1p-114f,
      0x1p-17f,
      108.0f / 100.0f,
      -108.0f / 100.0f,
      0.5f,
      1.0f,
      0x1p100f,
      Steps(kMax, -1),
      kMax,
      -kMax};
  std::vector<Row> rows;
  for (const Int16 c : c_values) {
    // StatC + Level at 0, at each Int16 bound, and one past each.
    std::vector<int> for_c(levels.begin(), levels.end());
    for (const int sum : {0, 32767, -32768, 32768, -32769})
      for_c.push_back(sum - c);
    for (const int level : for_c) {
      if (level < -32768 || level > 32767)
        continue;
      for (const Int16 value : values) {
        for (const Float32 m : multipliers)
          rows.push_back({value, c, m, static_cast<Int16>(level)});
      }
    }
  }
  return rows;
}

std::vector<Row> HalfIntegerPRows(Random& random, std::size_t count) {
  return Collect(count, [&]() -> std::optional<Row> {
    const Int16 value = NonZeroValue(random);
    if (random.OneIn(3)) {
      // StatC + Level a power of two: the ratio is exact, and so is p, which
      // is then a half-integer for every other q of the right size: a tie.
      const int power = static_cast<int>(random.Between(0, 14));
      const std::int64_t cl = std::int64_t{1} << power;
      const auto c = static_cast<Int16>(random.Between(std::max<std::int64_t>(-32768, cl - 32767),
                                                       std::min<std::int64_t>(32766, cl + 32768)));
      const auto level = static_cast<Int16>(cl - c);
      return RowNear(value, c, level, NaturalSign(value, c, level) * SomeCount(random),
                     [](double p) { return HalfDistance(p) == 0; });
    }
    const auto [c, level] = CAndLevel(random);
    return RowNear(value, c, level, NaturalSign(value, c, level) * SomeCount(random),
                   [](double p) { return HalfDistance(p) < 0x1p-10; });
  });
}

std::vector<Row> SingleHalfwayQuotientRows(Random& random, std::size_t count) {
  std::vector<Row> rows;
  for (std::size_t attempt = 0; rows.size() < count && attempt < 100 * count; ++attempt) {
    const Float32 m =
        random.OneIn(2) ? random.PositiveSingle(-8, 4) : random.PositiveSingle(-60, 60);
    const auto [c, level] = CAndLevel(random);
    const std::int64_t first = random.Between(1, 32767 - 4096);
    for (std::int64_t v = first; v < first + 4096 && rows.size() < count; ++v) {
      const auto value = static_cast<Int16>(random.OneIn(4) ? -v : v);
      const Float32 q = static_cast<Float32>(value) / m;
      if (!std::isnormal(q))
        continue;
      // The quotient in double is within 2^-29 of a single's spacing of the
      // exact one: close enough to find candidates.
      const double exact = static_cast<double>(value) / static_cast<double>(m);
      const double spacing = static_cast<double>(Steps(q, 1)) - static_cast<double>(q);
      const double from_q = (exact - static_cast<double>(q)) / std::fabs(spacing);
      if (0.5 - std::fabs(from_q) < 0x1p-12)
        rows.push_back({value, c, m, level});
    }
  }
  return rows;
}

std::vector<Row> DoubleHalfwayRatioRows(Random& random, std::size_t count) {
  // a / b = (N + R / b) × 2^-e with N of 53 bits: R / b is where the exact
  // ratio lies between two doubles, and a half is the halfway point. With b
  // of at least 1024 it comes within 1/2048 of a spacing about once in 2^10.
  const auto near_halfway = [](std::uint32_t a, std::uint32_t b) {
    const int e = 52 - static_cast<int>(std::floor(std::log2(static_cast<double>(a) / b)));
    std::uint32_t r = a % b;
    for (int i = 0; i < e; ++i)
      r = (2 * r) % b;
    return std::abs(2 * static_cast<std::int64_t>(r) - b) * 1024 <= b;
  };
  return Collect(count, [&]() -> std::optional<Row> {
    for (;;) {
      const auto c = static_cast<Int16>(random.Between(-32768, 32766));
      const std::int64_t cl =
          random.OneIn(4) ? -random.Between(1024, 32768) : random.Between(1024, 32767);
      if (c + 1 == 0 || cl - c < -32768 || cl - c > 32767)
        continue;
      const auto level = static_cast<Int16>(cl - c);
      if (!near_halfway(static_cast<std::uint32_t>(std::abs(c + 1)),
                        static_cast<std::uint32_t>(std::abs(cl))))
        continue;
      const Int16 value = NonZeroValue(random);
      return RowNear(value, c, level, NaturalSign(value, c, level) * SomeCount(random),
                     [](double p) { return HalfDistance(p) < 0x1p-10; });
    }
  });
}

std::vector<Row> Int32EndRows(Random& random, std::size_t count) {
  // Where p rounds onto, next to, or past ±2147483647 and -2147483648.
  const std::vector<double> rounding_edges = {kTwo31 - 1.5, kTwo31 - 1, kTwo31 - 0.5, kTwo31,
                                              kTwo31 + 0.5, kTwo31 + 1, kTwo31 + 1.5};
  return Collect(count, [&]() -> std::optional<Row> {
    const Int16 value = NonZeroValue(random);
    if (random.OneIn(3)) {
      // A count of exactly 2147483647 or 2147483646, -2147483647 or
      // -2147483648, where a check off by one at the bound would fail. A
      // negative count is never rounded up. p moves by some 256 from one
      // single q to the next, so about one C-value and level in 256 puts it
      // within half a unit of the bound. (With StatC + 1 = ±1 the odd bounds
      // cannot be reached at all: p is then a multiple of a power of two.)
      const std::int64_t bound = random.Pick(
          std::vector<std::int64_t>{2147483647, 2147483646, -2147483647, -2147483648LL});
      const auto target = static_cast<double>(bound);
      for (int attempt = 0; attempt < 20000; ++attempt) {
        const auto [c, level] = CAndLevel(random);
        const Int16 v =
            (NaturalSign(value, c, level) > 0) == (bound > 0) ? value : static_cast<Int16>(-value);
        auto row = RowNear(
            v, c, level, target, [&](double p) { return std::fabs(p - target) < 0.5; }, 2);
        if (row) {
          if (row->StatVal > -32768 && random.OneIn(2))
            --row->StatVal;  // the maximum's count, from StatVal + 1
          return row;
        }
      }
      return std::nullopt;
    }
    if (random.OneIn(2)) {
      // Through a ratio of 1 or -1 / -1 (so that no round-up follows), any
      // ratio, or the exact 21845 / 16384 with which p = 21845 q can be
      // 2^31 - 0.5 exactly.
      auto [c, level] =
          random.OneIn(2) ? std::pair<Int16, Int16>{0, 1} : std::pair<Int16, Int16>{-2, 1};
      if (random.OneIn(3))
        std::tie(c, level) = CAndLevel(random);
      else if (random.OneIn(3))
        std::tie(c, level) = std::pair<Int16, Int16>{21844, -5460};
      const double target = NaturalSign(value, c, level) * random.Pick(rounding_edges);
      auto row =
          RowNear(value, c, level, target, [&](double p) { return std::fabs(p - target) <= 1; });
      // Half of them aim at the maximum's count, which starts from StatVal + 1:
      // there -2147483647 less 1 is still in range, -2147483648 less 1 is not.
      if (row && row->StatVal > -32768 && random.OneIn(2))
        --row->StatVal;
      return row;
    }
    // A count on either side of the largest multiple of StatC + 1 in the
    // Int32 range: below it the round-up lands on it, above it the round-up
    // would pass 2147483647 (which, being prime, no larger StatC + 1 divides).
    const auto c1 =
        static_cast<Int16>(random.OneIn(3) ? 1 << random.Between(1, 14) : random.Between(2, 32767));
    const auto c = static_cast<Int16>(c1 - 1);
    const auto level = static_cast<Int16>(random.Between(1 - c, std::min(99, 32767 - c)));
    const double top = kTwo31 - 1 - std::fmod(kTwo31 - 1, c1);
    const double target = top + static_cast<double>(random.Between(-c1 / 2, c1 / 2));
    return RowNear(static_cast<Int16>(std::abs(value)), c, level, target,
                   [&](double p) { return p > top - c1 && p < kTwo31 - 0.5; });
  });
}

std::vector<Row> RandomRows(Random& random, std::size_t count) {
  std::vector<Row> rows;
  while (rows.size() < count) {
    const auto value =
        static_cast<Int16>(random.OneIn(2) ? random.Between(-50, 2000) : random.AnyInt16());
    const auto c =
        static_cast<Int16>(random.OneIn(2) ? random.Between(-3, 100) : random.AnyInt16());
    const auto level =
        static_cast<Int16>(random.OneIn(2) ? random.Between(0, 99) : random.AnyInt16());
    Float32 m = random.OneIn(3) ? random.PositiveSingle(-149, 127)
                                : static_cast<Float32>(random.Between(1, 50000)) / 100.0f / 100.0f;
    if (random.OneIn(10))
      m = -m;
    rows.push_back({value, c, m, level});
  }
  return rows;
}

}  // namespace kelmora::reference
