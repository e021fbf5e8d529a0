// Figures for the numeric core: the checked range calculation beside the same
// formula in plain arithmetic, the worst case for the round-up, and parsing
// a megabyte of text.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "calc/shown_value.h"
#include "calc/statpoint.h"

namespace kelmora {
namespace {

struct Row {
  Int16 value, c;
  Float32 multiplier;
  Int16 level;
};

// The default rows, multipliers already divided by 100 as the command does.
const Row kDefaultRows[] = {{487, 8, 108.0f / 100.0f, 99},
                            {37, 30, 108.0f / 100.0f, 99},
                            {22, 34, 97.0f / 100.0f, 99},
                            {74, 7, 94.0f / 100.0f, 99}};

// StatC + 1 = 32767: the stepping loop would run up to 32766 times here.
const Row kWorstRoundUp[] = {{487, 32766, 108.0f / 100.0f, 1}};

// The same formula with no checks at all: the floor the checks are measured
// against. Out of line like the checked functions, so that the compiler cannot
// share work between the minimum and the maximum that they cannot share.
[[gnu::noinline]] Int32 UncheckedLowest(Float32 dividend, Int16 c, Float32 m, Int16 level) {
  const double b = static_cast<double>(dividend / m) * 16384;
  const int c1 = c + 1;
  const double p = double(c1) / double(c + level) * b;
  const auto r = static_cast<Int32>(std::nearbyint(p));
  const Int32 remainder = r % c1;
  return remainder > 0 ? r + (c1 - remainder) : r;
}

template <typename Rows>
void RunRanges(benchmark::State& state, const Rows& rows, bool checked) {
  for (auto _ : state) {
    for (const Row& row : rows) {
      Row r = row;
      benchmark::DoNotOptimize(r);  // keep the compiler from folding constants
      if (checked) {
        benchmark::DoNotOptimize(MinStatpoint(r.value, r.c, r.multiplier, r.level));
        benchmark::DoNotOptimize(MaxStatpoint(r.value, r.c, r.multiplier, r.level));
      } else {
        benchmark::DoNotOptimize(UncheckedLowest(r.value, r.c, r.multiplier, r.level));
        benchmark::DoNotOptimize(
            UncheckedLowest(static_cast<Float32>(r.value + 1), r.c, r.multiplier, r.level) - 1);
      }
    }
  }
  state.counters["rows/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(std::size(rows)),
      benchmark::Counter::kIsRate);
}

void BM_CheckedDefaultRows(benchmark::State& state) {
  RunRanges(state, kDefaultRows, true);
}
void BM_UncheckedDefaultRows(benchmark::State& state) {
  RunRanges(state, kDefaultRows, false);
}
void BM_CheckedWorstRoundUpRow(benchmark::State& state) {
  RunRanges(state, kWorstRoundUp, true);
}
void BM_UncheckedWorstRoundUpRow(benchmark::State& state) {
  RunRanges(state, kWorstRoundUp, false);
}
BENCHMARK(BM_CheckedDefaultRows);
BENCHMARK(BM_UncheckedDefaultRows);
BENCHMARK(BM_CheckedWorstRoundUpRow);
BENCHMARK(BM_UncheckedWorstRoundUpRow);

// The default rows' range ends shown again at level 1: one bisection each.
void BM_ShownValue(benchmark::State& state) {
  Int32 counts[std::size(kDefaultRows)];
  for (std::size_t i = 0; i < std::size(kDefaultRows); ++i) {
    const Row& r = kDefaultRows[i];
    counts[i] = MinStatpoint(r.value, r.c, r.multiplier, r.level);
  }
  for (auto _ : state) {
    for (std::size_t i = 0; i < std::size(kDefaultRows); ++i) {
      Row r = kDefaultRows[i];
      benchmark::DoNotOptimize(r);
      benchmark::DoNotOptimize(ShownValue(counts[i], r.c, r.multiplier, 1));
    }
  }
  state.counters["calls/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(std::size(kDefaultRows)),
      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ShownValue);

void BM_ParseShort(benchmark::State& state) {
  std::string text = "108";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    benchmark::DoNotOptimize(ParseFloat32(text));
    benchmark::DoNotOptimize(ParseInt16(text));
  }
}
BENCHMARK(BM_ParseShort);

// One megabyte of digits whose rounding depends on the very last one.
void BM_ParseFloat32Megabyte(benchmark::State& state) {
  const std::string text = "1.000000059604644775390625" + std::string(1 << 20, '0') + "1";
  for (auto _ : state)
    benchmark::DoNotOptimize(ParseFloat32(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseFloat32Megabyte);

void BM_ParseInt16Megabyte(benchmark::State& state) {
  const std::string text = "2.5" + std::string(1 << 20, '0') + "1";
  for (auto _ : state)
    benchmark::DoNotOptimize(ParseInt16(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseInt16Megabyte);

}  // namespace
}  // namespace kelmora
