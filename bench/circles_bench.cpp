// One keystroke in the chord in the case "Arc and chord", from the key to the
// last result shown: the change handler, the solve with its root search, and
// every nested solve its writes start. Once for a chord whose circle Newton's
// iteration finds, once for one that needs the bracketed root, and once more
// with the figure drawn.
#include "bench/keystrokes.h"
#include "circles/circles_window.h"

namespace {

using namespace veltrano::bench;

// The arc is 1; the chord alternates between the given text and that text
// with a 5 appended.
void ChordKeystroke(benchmark::State& state, const char* chordText, bool figure = false,
                    bool working = false) {
  veltrano::circles::CirclesWindow window;
  window.show();
  std::function<QString()> repainted = [] { return QString(); };
  if (figure) showFigure(&window);
  if (working) showWorking(&window);
  if (figure) repainted = working ? bothRepainted(&window) : figureRepainted(&window);
  selectTask(&window, 5);
  field(&window, "txtArc")->setText(QStringLiteral("1"));
  QLineEdit* chord = field(&window, "txtChord");
  QLineEdit* angle = field(&window, "txtCA");
  chord->setText(QString::fromLatin1(chordText));
  alternateKeystrokes(state, chord, '5', [&]() -> QString {
    if (!window.statusText().isEmpty()) return window.statusText();
    if (angle->text() == QLatin1String("No result")) return QStringLiteral("the chord gave no circle");
    return repainted();
  });
}

// Ratios 0.8 and 0.85: the iteration's own root.
void KeystrokeIterationRoot(benchmark::State& state) { ChordKeystroke(state, "0.8"); }
BENCHMARK(KeystrokeIterationRoot)->Unit(benchmark::kMicrosecond);

// Ratios 0.3 and 0.35: the iteration misses, bisection finds the root.
void KeystrokeBracketedRoot(benchmark::State& state) { ChordKeystroke(state, "0.3"); }
BENCHMARK(KeystrokeBracketedRoot)->Unit(benchmark::kMicrosecond);

// The same keys with the figure pane shown: the circle is drawn again too.
void KeystrokeWithFigure(benchmark::State& state) { ChordKeystroke(state, "0.8", true); }
BENCHMARK(KeystrokeWithFigure)->Unit(benchmark::kMicrosecond);

// And with the working pane shown below it: the iteration's steps laid out again.
void KeystrokeWithFigureAndWorking(benchmark::State& state) { ChordKeystroke(state, "0.8", true, true); }
BENCHMARK(KeystrokeWithFigureAndWorking)->Unit(benchmark::kMicrosecond);

}  // namespace
