// One whole Calculate command on the in-memory form with the default texts
// (13 reads and parses, 8 range calculations, 8 formats and writes), and a
// whole projection of its ranges to the Levels table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "window/calculate.h"
#include "window/levels.h"

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

// The Levels table: the Calculate, then the 4 stats' ranges shown at the 11
// table levels and the window's own.
void BM_ProjectTwelveLevels(benchmark::State& state) {
  MemoryForm form;
  std::vector<std::string> levels;
  for (const Int16 level : kTableLevels)
    levels.push_back(std::to_string(level));
  levels.push_back(form.text(kLevelField));
  for (auto _ : state)
    benchmark::DoNotOptimize(Project(form, levels));
}
BENCHMARK(BM_ProjectTwelveLevels);

}  // namespace
}  // namespace kelmora
