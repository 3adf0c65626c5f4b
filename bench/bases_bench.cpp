// One conversion must feel instant: the longest numbers the field takes, with
// a whole part and a fraction that has no end in the other base, alone and as
// the whole Enter key in the window.
#include <QCoreApplication>

#include "bases/base_converter.h"
#include "bases/base_working.h"
#include "bases/bases_window.h"
#include "bench/keystrokes.h"
#include "common/result_list.h"

using veltrano::bases::BaseConverter;

namespace {

using namespace veltrano::bench;

const QString kDigits = QStringLiteral("9876543210").repeated(10);
// 100 characters: 50 whole digits, the point, 49 fraction digits.
const QString kDecimal = kDigits.left(50) + u'.' + kDigits.left(49);
// 100 characters, "#" included: 49 whole and 49 fraction digits of base 36.
const QString kBase36 = u'#' + QStringLiteral("ZYXWVUTSRQPONMLKJIHGFEDCBA9876543210").repeated(3).left(49) +
                        u'.' + QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ").repeated(2).left(49);

void Conversion(benchmark::State& state, const QString& number, int base) {
  const BaseConverter converter;
  for (auto _ : state) benchmark::DoNotOptimize(converter.convert(number, base));
}
BENCHMARK_CAPTURE(Conversion, DecimalToBase2, kDecimal, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Conversion, DecimalToBase36, kDecimal, 36)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Conversion, Base36ToDecimal, kBase36, 36)->Unit(benchmark::kMicrosecond);

// The working of such a row, built when its pane shows it: every division of
// the whole part and every step of the fraction, in exact arithmetic.
void Working(benchmark::State& state, const QString& number, int base) {
  const BaseConverter converter;
  for (auto _ : state) benchmark::DoNotOptimize(veltrano::bases::BaseWorking(converter, number, base));
}
BENCHMARK_CAPTURE(Working, DecimalToBase2, kDecimal, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Working, DecimalToBase36, kDecimal, 36)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Working, Base36ToDecimal, kBase36, 36)->Unit(benchmark::kMicrosecond);

// Enter in the number field up to the finished results on the screen:
// upper-casing, conversion, the new list row, the selection for the next
// entry and the repaint.
void EnterInTheWindow(benchmark::State& state, const QString& number, int base, bool working = false) {
  veltrano::bases::BasesWindow window;
  window.show();
  if (working) showWorking(&window);
  const std::function<QString()> repainted = working ? workingRepainted(&window) : [] { return QString(); };
  window.activateWindow();
  for (int i = 0; i < 100 && !window.isActiveWindow(); ++i) QCoreApplication::processEvents();
  QLineEdit* numberField = field(&window, "txtNumber");
  auto* list = window.findChild<veltrano::ResultList*>(QStringLiteral("lstResults"));
  field(&window, "txtBase")->setText(QString::number(base));
  numberField->setFocus();  // leaving the base field sets the base
  numberField->setText(number);
  if (window.base() != base) state.SkipWithError("the base field did not set the base");
  if (numberField->text() != number) state.SkipWithError("the number field did not take the whole number");

  // With the working shown, the two numbers take turns, so that each Enter
  // shows a working other than the one on show.
  QString other = number;
  other.back() = u'7';
  bool turn = false;
  for (auto _ : state) {
    if (list->isFull()) list->clear();
    if (working) {
      state.PauseTiming();
      numberField->setText((turn = !turn) ? other : number);
      state.ResumeTiming();
    }
    const int rows = list->count();
    press(numberField, Qt::Key_Return, QStringLiteral("\r"));
    QCoreApplication::processEvents();
    if (list->count() == rows) {
      state.SkipWithError("nothing was converted");
      break;
    }
    if (const QString wrong = repainted(); !wrong.isEmpty()) {
      state.SkipWithError(wrong.toUtf8().constData());
      break;
    }
  }
}
BENCHMARK_CAPTURE(EnterInTheWindow, DecimalToBase2, kDecimal, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EnterInTheWindow, DecimalToBase36, kDecimal, 36)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EnterInTheWindow, Base36ToDecimal, kBase36, 36)->Unit(benchmark::kMicrosecond);

// The same with the working pane shown: Enter up to the new row's working
// built, laid out and painted.
void EnterToWorking(benchmark::State& state, const QString& number, int base) {
  EnterInTheWindow(state, number, base, true);
}
BENCHMARK_CAPTURE(EnterToWorking, DecimalToBase2, kDecimal, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EnterToWorking, Base36ToDecimal, kBase36, 36)->Unit(benchmark::kMicrosecond);

}  // namespace
