// One conversion must feel instant: the longest numbers the field takes, in
// the base that gives the most digits, and the whole Enter key in the window.
#include <QCoreApplication>

#include "bases/base_converter.h"
#include "bases/bases_window.h"
#include "bench/keystrokes.h"
#include "common/result_list.h"

using veltrano::bases::BaseConverter;

namespace {

using namespace veltrano::bench;

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

// Enter in the number field up to the finished results on the screen:
// upper-casing, conversion, the new list row, the selection for the next
// entry and the repaint.
void EnterInTheWindow(benchmark::State& state) {
  veltrano::bases::BasesWindow window;
  window.show();
  window.activateWindow();
  for (int i = 0; i < 100 && !window.isActiveWindow(); ++i) QCoreApplication::processEvents();
  QLineEdit* number = field(&window, "txtNumber");
  auto* list = window.findChild<veltrano::ResultList*>(QStringLiteral("lstResults"));
  field(&window, "txtBase")->setText(QStringLiteral("2"));
  number->setFocus();  // leaving the base field sets the base
  number->setText(kHundredDigits);
  if (window.base() != 2) state.SkipWithError("the base field did not set the base");

  for (auto _ : state) {
    if (list->isFull()) list->clear();
    const int rows = list->count();
    press(number, Qt::Key_Return, QStringLiteral("\r"));
    QCoreApplication::processEvents();
    if (list->count() == rows) {
      state.SkipWithError("nothing was converted");
      break;
    }
  }
}
BENCHMARK(EnterInTheWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
