#pragma once

#include <QApplication>
#include <QCloseEvent>
#include <QWidget>
#include <array>

#include "app/decimal_point.h"
#include "app/shell_commands.h"
#include "app/sub_main.h"
#include "app/task_window.h"
#include "app/unload_all.h"
#include "common/testing/window_test.h"

namespace veltrano::testing {

// Stands in for a worksheet window: closing it ends the program through the
// shell, as the real ones do.
class StubWorksheet : public QWidget {
 public:
  explicit StubWorksheet(int task) { setProperty("task", task); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    veltrano::platform().shell->shutDown();
  }
};

// The real shell on the fake platform, with stub worksheets and an event loop
// exit that is only counted.
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

  // Deletes the unloaded windows, as the event loop's next turn would.
  static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  TaskWindow* startUp() {
    EXPECT_TRUE(SubMain::Main(factories));
    flushDeletes();
    return SubMain::TaskSelector();
  }
  // Start-up with a comma that the user agrees to switch.
  TaskWindow* startUpWith(const QString& separator) {
    platform().decimal.separator = separator;
    platform().messages.expect(MessageAnswer::Yes);
    return startUp();
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
