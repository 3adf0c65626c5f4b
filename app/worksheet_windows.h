#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "app/worksheet_table.h"

namespace veltrano {

// Creates one worksheet window; main() hands in those of the table of
// worksheets, tests hand in stand-ins, so the shell itself knows no worksheet.
using WorksheetFactory = std::function<QWidget*()>;

// By task index, as in the table of worksheets.
using WorksheetFactories = std::array<WorksheetFactory, kWorksheetCount>;

// The worksheet windows of a run: each is created on first use and at most
// once, and recorded as loaded so that ShutDown unloads it.
class WorksheetWindows {
 public:
  // Raises InvalidCall, naming the worksheet, when a row has no factory:
  // the program does not start with a task that cannot open.
  explicit WorksheetWindows(WorksheetFactories factories);

  // Shows the window of a task index, creating it first if needed; an index
  // outside the table shows nothing. Errors of the window's load handler (its
  // constructor) reach the caller.
  void show(int task);
  // Opens the file at path in the window of a task, shown already, as its
  // Open does once a file is chosen; a window that is not a worksheet frame
  // opens nothing. The errors of reading it reach the caller.
  void openFile(int task, const QString& path) const;
  QWidget* window(int task) const;

 private:
  WorksheetFactories factories_;
  std::array<QPointer<QWidget>, kWorksheetCount> windows_;
};

}  // namespace veltrano
