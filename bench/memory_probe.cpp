// Prints the peak resident memory, in kB, of a process that starts as the
// program does and shows one worksheet window:
//
//   memory_probe TASK [figure|working]
//       TASK      the task index: 0 Factors, 1 Triangles, 2 Circles,
//                 3 Complex, 4 Bases
//       figure    with the figure pane shown; the Complex window then lists
//                 and draws all 32767 roots of 1, its largest figure
//       working   as figure, with the working pane shown too (in Factors
//                 and Bases, which have no figure, the working alone)
//
// The settings go to a folder of the probe's own, so that the pane is hidden
// unless asked for and the user's settings stay untouched.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "app/platform/qt_platform.h"
#include "bases/bases_window.h"
#include "circles/circles_window.h"
#include "common/runtime_error.h"
#include "complex/complex_window.h"
#include "factors/factors_window.h"
#include "triangles/triangles_window.h"

namespace {

QWidget* newWindow(const QString& task) {
  bool isNumber = false;
  const int index = task.toInt(&isNumber);
  if (!isNumber) return nullptr;
  switch (index) {
    case 0: return new veltrano::factors::FactorsWindow;
    case 1: return new veltrano::triangles::TrianglesWindow;
    case 2: return new veltrano::circles::CirclesWindow;
    case 3: return new veltrano::complex::ComplexWindow;
    case 4: return new veltrano::bases::BasesWindow;
    default: return nullptr;
  }
}

// Long enough for the window to be mapped, laid out and painted.
void settle() {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

QByteArray peakResidentKilobytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return {};
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
    if (line.startsWith("VmHWM:")) return line.mid(6).replace("kB", "").trimmed();
  }
  return {};
}

// The working pane too, below the figure, showing the working of what the
// figure draws.
void showWorking(QWidget* window) {
  if (auto* command = window->findChild<QAction*>(QStringLiteral("mnuWorking"))) command->setChecked(true);
}

void showLargestFigure(QWidget* window) {
  auto* command = window->findChild<QAction*>(QStringLiteral("mnuFigure"));
  if (command == nullptr) return;
  command->setChecked(true);
  for (QRadioButton* task : window->findChildren<QRadioButton*>(QStringLiteral("OptTask"))) {
    if (window->objectName() == QLatin1String("frmComplex") && task->property("index").toInt() == 9) {
      task->click();
      window->findChild<QLineEdit*>(QStringLiteral("txtN"))->setText(QStringLiteral("32767"));
      window->findChild<QLineEdit*>(QStringLiteral("txtA"))->setText(QStringLiteral("1"));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));

  const veltrano::QtPlatform platform;
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());

  std::unique_ptr<QWidget> window;
  try {
    window.reset(newWindow(QCoreApplication::arguments().value(1)));
  } catch (const veltrano::RuntimeError& error) {
    std::fprintf(stderr, "the window did not open: %s\n", qPrintable(error.message()));
    return 1;
  }
  if (!window) {
    std::fprintf(stderr, "usage: memory_probe 0|1|2|3|4 [figure|working]\n");
    return 2;
  }
  window->show();
  const QString panes = QCoreApplication::arguments().value(2);
  if (panes == QLatin1String("working")) showWorking(window.get());
  if (panes == QLatin1String("figure") || panes == QLatin1String("working")) showLargestFigure(window.get());
  settle();
  std::printf("%s\n", peakResidentKilobytes().constData());
  return 0;
}
