#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

namespace veltrano {

// Creates one worksheet window; main() hands in the five real ones, tests
// hand in stand-ins, so the shell itself knows no worksheet.
using WorksheetFactory = std::function<QWidget*()>;

// By task index: 0 Factors, 1 Triangles, 2 Circles, 3 Complex, 4 Bases.
constexpr int kWorksheetCount = 5;
using WorksheetFactories = std::array<WorksheetFactory, kWorksheetCount>;

// The worksheet windows of a run: each is created on first use and at most
// once, and recorded as loaded so that ShutDown unloads it.
class WorksheetWindows {
 public:
  explicit WorksheetWindows(WorksheetFactories factories);

  // Shows the window of a task index, creating it first if needed; an index
  // with no window shows nothing. Errors of the window's load handler (its
  // constructor) reach the caller.
  void show(int task);
  QWidget* window(int task) const;

 private:
  WorksheetFactories factories_;
  std::array<QPointer<QWidget>, kWorksheetCount> windows_;
};

}  // namespace veltrano
