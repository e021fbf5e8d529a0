// One Calculate through the real widgets: a mouse click on btn_calc delivered
// as events, the command reading and writing the 21 boxes, on the offscreen
// platform unless another is chosen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "window/kelmora.h"

namespace {

// The window shown and exposed, with its Calculate button.
struct ShownWindow {
  explicit ShownWindow(benchmark::State& state) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
      state.SkipWithError("window not exposed");
  }
  kelmora::Kelmora window;
  QPushButton* button = window.findChild<QPushButton*>(QStringLiteral("btn_calc"));
};

void BM_ClickCalculate(benchmark::State& state) {
  ShownWindow shown(state);
  auto* result = shown.window.findChild<QLineEdit*>(QStringLiteral("txt_mahi"));
  for (auto _ : state) {
    QTest::mouseClick(shown.button, Qt::LeftButton);
    benchmark::DoNotOptimize(result->text());
  }
  if (result->text() != QStringLiteral("98663"))
    state.SkipWithError("wrong result");
}
BENCHMARK(BM_ClickCalculate)->Unit(benchmark::kMicrosecond);

// The same, with the window repainting what changed before the next click.
void BM_ClickCalculateAndRepaint(benchmark::State& state) {
  ShownWindow shown(state);
  for (auto _ : state) {
    QTest::mouseClick(shown.button, Qt::LeftButton);
    shown.window.repaint();
  }
}
BENCHMARK(BM_ClickCalculateAndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
