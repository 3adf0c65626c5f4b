// One conversion must feel instant: the longest numbers the field takes, in
// the base that gives the most digits, and the whole Enter key in the window.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "bases/base_converter.h"
#include "bases/bases_window.h"
#include "common/result_list.h"

using veltrano::bases::BaseConverter;

namespace {

const QString kHundredDigits = QStringLiteral("9876543210").repeated(10);

void HundredDigitsToBase2(benchmark::State& state) {
  const BaseConverter converter;
  for (auto _ : state) benchmark::DoNotOptimize(converter.convert(kHundredDigits, 2));
}
BENCHMARK(HundredDigitsToBase2)->Unit(benchmark::kMicrosecond);

void HundredDigitsWithFractionToBase3(benchmark::State& state) {
  const BaseConverter converter;
  const QString number = kHundredDigits.left(49) + u'.' + kHundredDigits.left(50);
  for (auto _ : state) benchmark::DoNotOptimize(converter.convert(number, 3));
}
BENCHMARK(HundredDigitsWithFractionToBase3)->Unit(benchmark::kMicrosecond);

void NinetyNineBase36DigitsToDecimal(benchmark::State& state) {
  const BaseConverter converter;
  const QString number = u'#' + QString(99, u'Z');
  for (auto _ : state) benchmark::DoNotOptimize(converter.convert(number, 36));
}
BENCHMARK(NinetyNineBase36DigitsToDecimal)->Unit(benchmark::kMicrosecond);

// Enter in the number field: upper-casing, conversion, the new list row and
// the selection for the next entry.
void EnterInTheWindow(benchmark::State& state) {
  veltrano::bases::BasesWindow window;
  window.show();
  window.activateWindow();
  for (int i = 0; i < 100 && !window.isActiveWindow(); ++i) QCoreApplication::processEvents();
  auto* base = window.findChild<QLineEdit*>(QStringLiteral("txtBase"));
  auto* number = window.findChild<QLineEdit*>(QStringLiteral("txtNumber"));
  auto* list = window.findChild<veltrano::ResultList*>(QStringLiteral("lstResults"));
  base->setText(QStringLiteral("2"));
  number->setFocus();  // leaving the base field sets the base
  number->setText(kHundredDigits);
  if (window.base() != 2) state.SkipWithError("the base field did not set the base");

  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  for (auto _ : state) {
    if (list->isFull()) list->clear();
    QApplication::sendEvent(number, &enter);
  }
  if (list->count() == 0) state.SkipWithError("nothing was converted");
}
BENCHMARK(EnterInTheWindow)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
