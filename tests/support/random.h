// Test support: seeded draws that are the same on every ABI, and the size of
// a sweep.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "calc/checked.h"

namespace kelmora {

// Draws from a fully specified engine with its own arithmetic, since the
// standard distributions may differ from one standard library to the next.
class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}

  std::int64_t Between(std::int64_t low, std::int64_t high) {
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<std::int64_t>(engine_() % span);
  }
  bool OneIn(std::int64_t n) { return Between(1, n) == 1; }
  Int16 AnyInt16() { return static_cast<Int16>(Between(-32768, 32767)); }

  // A positive finite single with its leading bit between 2^low and 2^high.
  Float32 PositiveSingle(int low, int high) {
    const auto fraction = static_cast<Float32>(Between(1 << 23, (1 << 24) - 1));
    const Float32 x = std::ldexp(fraction, static_cast<int>(Between(low, high)) - 23);
    return x > 0 ? x : std::numeric_limits<Float32>::denorm_min();
  }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Between(0, static_cast<std::int64_t>(items.size()) - 1))];
  }

 private:
  std::mt19937_64 engine_;
};

// How many cases a sweep takes: a tenth where the tests run through an emulator.
inline std::size_t SweepSize(std::size_t full) {
#ifdef KELMORA_REDUCED_SWEEPS
  return std::max<std::size_t>(1, full / 10);
#else
  return full;
#endif
}

}  // namespace kelmora
