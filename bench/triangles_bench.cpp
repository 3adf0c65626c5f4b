// One keystroke in side a in the case "a,b,c (SSS)", from the key to the last
// result shown: the change handler, the solve, and the nested solve that each
// changed angle field starts through its own change handler.
#include "bench/keystrokes.h"
#include "triangles/triangles_window.h"

namespace {

using namespace veltrano::bench;

// Side a alternates between 5 and 55 against b = c = 50: both are triangles,
// so every key runs the whole solve and changes all four results; with the
// figure pane shown, the triangle is drawn again too, and with the working
// pane shown as well, the working is built and laid out again.
void SideKeystroke(benchmark::State& state, bool figure, bool working = false) {
  veltrano::triangles::TrianglesWindow window;
  window.show();
  std::function<QString()> repainted = [] { return QString(); };
  if (figure) showFigure(&window);
  if (working) showWorking(&window);
  if (figure) repainted = working ? bothRepainted(&window) : figureRepainted(&window);
  field(&window, "txtSideb")->setText(QStringLiteral("50"));
  field(&window, "txtSidec")->setText(QStringLiteral("50"));
  QLineEdit* side = field(&window, "txtSidea");
  QLineEdit* area = field(&window, "txtArea");
  side->setText(QStringLiteral("5"));
  QString lastArea = area->text();
  alternateKeystrokes(state, side, '5', [&]() -> QString {
    if (!window.statusText().isEmpty()) return window.statusText();
    if (area->text() == lastArea) return QStringLiteral("the keystroke did not solve");
    lastArea = area->text();
    return repainted();
  });
}
void SideKeystroke(benchmark::State& state) { SideKeystroke(state, false); }
BENCHMARK(SideKeystroke)->Unit(benchmark::kMicrosecond);
void SideKeystrokeWithFigure(benchmark::State& state) { SideKeystroke(state, true); }
BENCHMARK(SideKeystrokeWithFigure)->Unit(benchmark::kMicrosecond);
void SideKeystrokeWithFigureAndWorking(benchmark::State& state) { SideKeystroke(state, true, true); }
BENCHMARK(SideKeystrokeWithFigureAndWorking)->Unit(benchmark::kMicrosecond);

}  // namespace
