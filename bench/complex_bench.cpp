// One keystroke in x while n = 32767 roots are listed: the change handler,
// the solve, the rows and the filled list; and the solver alone.
#include "bench/keystrokes.h"
#include "common/result_list.h"
#include "complex/complex_solver.h"
#include "complex/complex_window.h"

namespace {

using namespace veltrano::bench;

// x alternates between 0.9 and 0.99.
void KeystrokeWithAllRootsListed(benchmark::State& state) {
  veltrano::complex::ComplexWindow window;
  window.show();
  selectTask(&window, 9);
  field(&window, "txtN")->setText(QStringLiteral("32767"));
  QLineEdit* x = field(&window, "txtA");
  x->setText(QStringLiteral("0.9"));
  auto* list = window.findChild<veltrano::ResultList*>(QStringLiteral("lstResults"));
  alternateKeystrokes(state, x, '9', [&]() -> QString {
    if (list->count() == 32767) return {};
    return QStringLiteral("%1 roots listed for x = %2").arg(list->count()).arg(x->text());
  });
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
    benchmark::DoNotOptimize(sheet.rows.count);
  }
}
BENCHMARK(SolveWithAllRoots)->Unit(benchmark::kMillisecond);

}  // namespace
