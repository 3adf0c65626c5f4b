// One keystroke in x while n = 32767 roots are listed: the change handler,
// the solve, the rows and the filled list; once more with the figure pane
// showing every root; and the solver alone.
#include <QCoreApplication>

#include "bench/keystrokes.h"
#include "common/result_list.h"
#include "complex/complex_solver.h"
#include "complex/complex_window.h"
#include "complex/complex_working.h"

namespace {

using namespace veltrano::bench;

// x alternates between 0.9 and 0.99.
void KeystrokeWithAllRoots(benchmark::State& state, bool figure, bool working = false) {
  veltrano::complex::ComplexWindow window;
  window.show();
  if (figure) showFigure(&window);
  if (working) showWorking(&window);
  selectTask(&window, 9);
  field(&window, "txtN")->setText(QStringLiteral("32767"));
  QLineEdit* x = field(&window, "txtA");
  x->setText(QStringLiteral("0.9"));
  QCoreApplication::processEvents();
  std::function<QString()> repainted = [] { return QString(); };
  if (figure) repainted = working ? bothRepainted(&window) : figureRepainted(&window);
  auto* list = window.findChild<veltrano::ResultList*>(QStringLiteral("lstResults"));
  alternateKeystrokes(state, x, '9', [&]() -> QString {
    if (list->count() != 32767) {
      return QStringLiteral("%1 roots listed for x = %2").arg(list->count()).arg(x->text());
    }
    return repainted();
  });
}

void KeystrokeWithAllRootsListed(benchmark::State& state) { KeystrokeWithAllRoots(state, false); }
BENCHMARK(KeystrokeWithAllRootsListed)->Unit(benchmark::kMillisecond);

void KeystrokeWithAllRootsDrawn(benchmark::State& state) { KeystrokeWithAllRoots(state, true); }
BENCHMARK(KeystrokeWithAllRootsDrawn)->Unit(benchmark::kMillisecond);

// With the working pane shown too: De Moivre's steps and the rows it lists.
void KeystrokeWithAllRootsDrawnAndWorking(benchmark::State& state) {
  KeystrokeWithAllRoots(state, true, true);
}
BENCHMARK(KeystrokeWithAllRootsDrawnAndWorking)->Unit(benchmark::kMillisecond);

// The solver alone, into a sheet that only keeps the roots; and every row
// written, as Save and Print ask for them.
class RootsOnly : public veltrano::complex::ComplexSheet {
 public:
  QString result(veltrano::complex::Target) const override { return {}; }
  void setResult(veltrano::complex::Target, const QString&) override {}
  void clearRoots() override { roots = {}; }
  void setRoots(const veltrano::complex::RootSeries& series) override { roots = series; }
  void focusExponent() override {}
  veltrano::complex::RootSeries roots;
};

void SolveWithAllRoots(benchmark::State& state) {
  veltrano::complex::ComplexSolver solver;
  solver.Task = 9;
  solver.a = 1;
  solver.n = 32767;
  RootsOnly sheet;
  for (auto _ : state) {
    solver.SolveComplex(sheet);
    benchmark::DoNotOptimize(sheet.roots.rows().size());
  }
}
BENCHMARK(SolveWithAllRoots)->Unit(benchmark::kMillisecond);

// The working of the 32767 roots of x, built on each key while its pane
// shows it: the run, x in polar form, De Moivre and the first and last roots.
void WorkingWithAllRoots(benchmark::State& state) {
  veltrano::complex::ComplexSolver solver;
  solver.Task = 9;
  solver.a = 1;
  solver.b = 1;
  solver.n = 32767;
  for (auto _ : state) benchmark::DoNotOptimize(veltrano::complex::ComplexWorking(solver));
}
BENCHMARK(WorkingWithAllRoots)->Unit(benchmark::kMicrosecond);

}  // namespace
