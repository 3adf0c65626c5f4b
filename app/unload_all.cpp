#include "app/unload_all.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "app/decimal_point.h"

namespace veltrano::UnloadAll {
namespace {

struct RunState {
  std::vector<QPointer<QWidget>> loaded;
  bool ended = false;
  bool unloading = false;
  std::function<void()> exitEventLoop;
};

RunState& run() {
  static RunState state;
  return state;
}

void exitEventLoop() {
  if (run().exitEventLoop) {
    run().exitEventLoop();
  } else {
    QCoreApplication::exit(0);
  }
}

// A window is closed first, which runs its unload handler, and deleted once
// control is back in the event loop: the handler that started the shutdown
// may still be running inside that very window.
void unload(QWidget* window) {
  window->close();
  window->hide();
  window->deleteLater();
}

}  // namespace

void BeginRun(std::function<void()> exitHandler) {
  run() = RunState{};
  run().exitEventLoop = std::move(exitHandler);
}

void Loaded(QWidget* window) { run().loaded.emplace_back(window); }

QList<QWidget*> LoadedWindows() {
  QList<QWidget*> alive;
  for (const QPointer<QWidget>& window : run().loaded) {
    if (window) alive.append(window.data());
  }
  return alive;
}

void EndProgram() {
  run().ended = true;
  exitEventLoop();
}

bool ProgramEnded() { return run().ended; }

void ShutDown() {
  DecimalPoint::RestoreDecimalSeparator();
  if (!run().unloading) {
    run().unloading = true;
    // The list is copied: unloading may load nothing new, but the nested
    // shutdowns must not see a list that changes under them.
    const std::vector<QPointer<QWidget>> windows = run().loaded;
    for (const QPointer<QWidget>& window : windows) {
      if (window) unload(window.data());
    }
    run().loaded.clear();
    run().unloading = false;
  }
  EndProgram();
}

}  // namespace veltrano::UnloadAll
