// How long one keystroke in x takes when n = 32767 roots are listed: the
// change handler, the solve, the rows and the filled list.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "common/result_list.h"
#include "complex/complex_solver.h"
#include "complex/complex_window.h"

namespace {

void press(QWidget* field, int key, const QString& text) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(field, &down);
  QApplication::sendEvent(field, &up);
}

void KeystrokeWithAllRootsListed(benchmark::State& state) {
  veltrano::complex::ComplexWindow window;
  window.show();
  for (QRadioButton* task : window.findChildren<QRadioButton*>(QStringLiteral("OptTask"))) {
    if (task->property("index").toInt() == 9) task->click();
  }
  auto* x = window.findChild<QLineEdit*>(QStringLiteral("txtA"));
  window.findChild<QLineEdit*>(QStringLiteral("txtN"))->setText(QStringLiteral("32767"));
  x->setText(QStringLiteral("0.9"));
  x->setFocus();
  x->end(false);
  auto* list = window.findChild<veltrano::ResultList*>(QStringLiteral("lstResults"));

  bool appended = false;
  for (auto _ : state) {
    // Alternates between x = 0.9 and x = 0.99, one key each time.
    if (appended) {
      press(x, Qt::Key_Backspace, {});
    } else {
      press(x, Qt::Key_9, QStringLiteral("9"));
    }
    appended = !appended;
    QCoreApplication::processEvents();
    if (list->count() != 32767) {
      state.SkipWithError(QByteArray::number(list->count()) + " " + x->text().toLatin1());
      break;
    }
  }
}
BENCHMARK(KeystrokeWithAllRootsListed)->Unit(benchmark::kMillisecond);

// The solver alone, into a sheet that only keeps the rows.
class RowsOnly : public veltrano::complex::ComplexSheet {
 public:
  QString result(veltrano::complex::Target) const override { return {}; }
  void setResult(veltrano::complex::Target, const QString&) override {}
  void clearRoots() override { rows.clear(); }
  void setRoots(const QStringList& list) override { rows = list; }
  void focusExponent() override {}
  QStringList rows;
};

void SolveWithAllRoots(benchmark::State& state) {
  veltrano::complex::ComplexSolver solver;
  solver.Task = 9;
  solver.a = 1;
  solver.n = 32767;
  RowsOnly sheet;
  for (auto _ : state) {
    solver.SolveComplex(sheet);
    benchmark::DoNotOptimize(sheet.rows.size());
  }
}
BENCHMARK(SolveWithAllRoots)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
