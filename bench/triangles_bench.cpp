// How long one keystroke in side a takes in the case "a,b,c (SSS)", from the
// key to the last result shown: the change handler, the solve, and the nested
// solve that each changed angle field starts through its own change handler.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "triangles/triangles_window.h"

namespace {

void press(QWidget* field, int key, const QString& text) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(field, &down);
  QApplication::sendEvent(field, &up);
}

// Side a alternates between 5 and 55 against b = c = 50: both are
// triangles, so every key runs the whole solve and changes all four results.
void SideKeystroke(benchmark::State& state) {
  veltrano::triangles::TrianglesWindow window;
  window.show();
  window.findChild<QLineEdit*>(QStringLiteral("txtSideb"))->setText(QStringLiteral("50"));
  window.findChild<QLineEdit*>(QStringLiteral("txtSidec"))->setText(QStringLiteral("50"));
  auto* side = window.findChild<QLineEdit*>(QStringLiteral("txtSidea"));
  auto* area = window.findChild<QLineEdit*>(QStringLiteral("txtArea"));
  side->setText(QStringLiteral("5"));
  side->setFocus();
  side->end(false);

  bool appended = false;
  QString lastArea = area->text();
  for (auto _ : state) {
    if (appended) {
      press(side, Qt::Key_Backspace, {});
    } else {
      press(side, Qt::Key_5, QStringLiteral("5"));
    }
    appended = !appended;
    QCoreApplication::processEvents();
    if (!window.statusText().isEmpty() || area->text() == lastArea) {
      state.SkipWithError("the keystroke did not solve");
      break;
    }
    lastArea = area->text();
  }
}
BENCHMARK(SideKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
