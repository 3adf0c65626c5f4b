#pragma once

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>
#include <array>
#include <functional>

#include "app/decimal_point.h"
#include "app/shell_commands.h"
#include "app/sub_main.h"
#include "app/task_window.h"
#include "app/unload_all.h"
#include "app/worksheet_windows.h"
#include "common/platform.h"
#include "common/testing/window_test.h"

namespace veltrano::testing {

// Stands in for a worksheet window: it ends the program when closed, as the
// real ones do through the shell.
class StubWorksheet : public QWidget {
 public:
  explicit StubWorksheet(int task) {
    setObjectName(QStringLiteral("stub%1").arg(task));
    setProperty("task", task);
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    veltrano::platform().shell->shutDown();
  }
};

// A run of the real shell on the fake platform: the shell's own About and
// shutdown, stub worksheets, and an event loop exit that is only counted.
class ShellTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    veltrano::platform().shell = &shell_;
    UnloadAll::BeginRun([this] { ++exits; });
    DecimalPoint::SavedDecimalSeparator.clear();
    for (int task = 0; task < kWorksheetCount; ++task) {
      factories[task] = [this, task]() -> QWidget* {
        ++created[task];
        return new StubWorksheet(task);
      };
    }
  }

  void TearDown() override {
    flushDeletes();
    WindowTest::TearDown();
  }

  // Deletes what was unloaded, as the event loop would on its next turn.
  static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // Start-up with a full stop already set: no box, straight to the selector.
  TaskWindow* startUp() {
    EXPECT_TRUE(SubMain::Main(factories));
    flushDeletes();
    return SubMain::TaskSelector();
  }

  static QList<QWidget*> visibleWindows() {
    QList<QWidget*> visible;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible()) visible.append(window);
    }
    return visible;
  }

  WorksheetFactories factories;
  std::array<int, kWorksheetCount> created{};
  int exits = 0;

 private:
  ShellCommands shell_;
};

}  // namespace veltrano::testing
