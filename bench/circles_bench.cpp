// How long one keystroke in the chord takes in the case "Arc and chord", from
// the key to the last result shown: the change handler, the solve with its
// root search, and every nested solve its writes start. Once for a chord whose
// circle Newton's iteration finds, once for one that needs the bracketed root.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "circles/circles_window.h"

namespace {

void press(QWidget* field, int key, const QString& text) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(field, &down);
  QApplication::sendEvent(field, &up);
}

// Alternates the chord between the given text and the text with a 5 appended,
// one key each time, with the arc 1.
void ChordKeystroke(benchmark::State& state, const QString& chordText) {
  veltrano::circles::CirclesWindow window;
  window.show();
  for (QRadioButton* task : window.findChildren<QRadioButton*>(QStringLiteral("OptTask"))) {
    if (task->property("index").toInt() == 5) task->click();
  }
  window.findChild<QLineEdit*>(QStringLiteral("txtArc"))->setText(QStringLiteral("1"));
  auto* chord = window.findChild<QLineEdit*>(QStringLiteral("txtChord"));
  auto* angle = window.findChild<QLineEdit*>(QStringLiteral("txtCA"));
  chord->setText(chordText);
  chord->setFocus();
  chord->end(false);

  bool appended = false;
  for (auto _ : state) {
    if (appended) {
      press(chord, Qt::Key_Backspace, {});
    } else {
      press(chord, Qt::Key_5, QStringLiteral("5"));
    }
    appended = !appended;
    QCoreApplication::processEvents();
    if (angle->text() == QLatin1String("No result") || !window.statusText().isEmpty()) {
      state.SkipWithError("the chord gave no circle");
      break;
    }
  }
}

// Ratios 0.8 and 0.85: the iteration's own root.
void KeystrokeIterationRoot(benchmark::State& state) { ChordKeystroke(state, QStringLiteral("0.8")); }
BENCHMARK(KeystrokeIterationRoot)->Unit(benchmark::kMicrosecond);

// Ratios 0.3 and 0.35: the iteration misses, bisection finds the root.
void KeystrokeBracketedRoot(benchmark::State& state) { ChordKeystroke(state, QStringLiteral("0.3")); }
BENCHMARK(KeystrokeBracketedRoot)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
