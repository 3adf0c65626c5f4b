#include "app/sub_main.h"

#include <QApplication>
#include <QDateTime>
#include <QPointer>

#include "app/about_screen.h"
#include "app/decimal_point.h"
#include "app/task_window.h"
#include "app/unload_all.h"
#include "common/platform.h"

namespace veltrano::SubMain {
namespace {
QPointer<TaskWindow>& taskSelector() {
  static QPointer<TaskWindow> window;
  return window;
}
}  // namespace

TaskWindow* TaskSelector() { return taskSelector().data(); }

void WaitForSplash() {
  Clock& clock = *platform().clock;
  const QDateTime start = clock.now();
  while (start.secsTo(clock.now()) <= 2) clock.pause();
}

bool Main(const WorksheetFactories& factories, const std::function<void()>& whileSplashWaits) {
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
  selector->show();
  return true;
}

}  // namespace veltrano::SubMain
