#include "app/sub_main.h"

#include <QApplication>
#include <QDateTime>
#include <QPointer>

#include "app/about_screen.h"
#include "app/decimal_point.h"
#include "app/task_window.h"
#include "app/unload_all.h"
#include "common/event_guard.h"
#include "common/platform.h"
#include "common/runtime_error.h"
#include "common/worksheet_file.h"

namespace veltrano::SubMain {
namespace {
QPointer<TaskWindow>& taskSelector() {
  static QPointer<TaskWindow> window;
  return window;
}

// The file given at the start: in its worksheet when it is one worksheet's,
// else the selector, which names it. One that cannot be read gives the error
// box with the cause, then the selector.
void openStartFile(TaskWindow& selector, const StartFile& file) {
  QList<int> fitting;
  try {
    fitting = fittingWorksheets(WorksheetReader::fromFile(file.path), file.formats);
  } catch (const RuntimeError&) {
    reportUntrapped(std::current_exception());
    selector.show();
    return;
  }
  if (fitting.size() == 1) {
    selector.openTask(fitting.first(), file.path);
    return;
  }
  selector.show();
  selector.offerFile(file.path, fitting);
}

}  // namespace

TaskWindow* TaskSelector() { return taskSelector().data(); }

void WaitForSplash() {
  Clock& clock = *platform().clock;
  const QDateTime start = clock.now();
  while (start.secsTo(clock.now()) <= 2) clock.pause();
}

bool Main(const WorksheetFactories& factories, const std::function<void()>& whileSplashWaits) {
  return Main(factories, whileSplashWaits, StartFile());
}

bool Main(const WorksheetFactories& factories, const std::function<void()>& whileSplashWaits,
          const StartFile& file) {
  // Windows come and go (the splash, the selector hidden for good); only
  // ShutDown ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  if (!DecimalPoint::CheckDecimalSeparator()) {
    UnloadAll::EndProgram();
    return false;
  }
  AboutVeltrano::ShowAboutScreen();
  QCoreApplication::processEvents();
  if (whileSplashWaits) whileSplashWaits();
  WaitForSplash();
  AboutVeltrano::UnloadAboutScreen();

  auto* selector = new TaskWindow(factories);
  taskSelector() = selector;
  UnloadAll::Loaded(selector);
  if (file.path.isEmpty()) {
    selector->show();
  } else {
    openStartFile(*selector, file);
  }
  return true;
}

}  // namespace veltrano::SubMain
