#include "app/worksheet_windows.h"

#include <utility>

#include "app/unload_all.h"
#include "common/runtime_error.h"
#include "common/window_place.h"
#include "common/worksheet_window.h"

namespace veltrano {

WorksheetWindows::WorksheetWindows(WorksheetFactories factories) : factories_(std::move(factories)) {
  for (int task = 0; task < kWorksheetCount; ++task) {
    if (!factories_[task]) {
      raise(ErrorNumber::InvalidCall, QString(),
            QStringLiteral("The worksheet %1 has no factory.").arg(worksheetTable()[task].windowName));
    }
  }
}

QWidget* WorksheetWindows::window(int task) const {
  if (task < 0 || task >= kWorksheetCount) return nullptr;
  return windows_[task].data();
}

void WorksheetWindows::show(int task) {
  if (task < 0 || task >= kWorksheetCount) return;
  QPointer<QWidget>& window = windows_[task];
  if (!window) {
    window = factories_[task]();
    UnloadAll::Loaded(window.data());
    placeOnScreen(window, false);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void WorksheetWindows::openFile(int task, const QString& path) const {
  if (auto* worksheet = qobject_cast<WorksheetWindow*>(window(task))) worksheet->openFile(path);
}

}  // namespace veltrano
