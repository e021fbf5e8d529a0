// One whole Calculate command on the in-memory form with the default texts:
// 13 reads and parses, 8 range calculations, 8 formats and writes.
#include <benchmark/benchmark.h>

#include "window/calculate.h"

namespace kelmora {
namespace {

void BM_CalculateClick(benchmark::State& state) {
  MemoryForm form;
  for (auto _ : state) {
    btn_calc_Click(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CalculateClick);

}  // namespace
}  // namespace kelmora
