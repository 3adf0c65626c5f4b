#pragma once

#include <functional>

#include "app/worksheet_formats.h"
#include "app/worksheet_windows.h"

namespace veltrano {

class TaskWindow;

namespace SubMain {

// A saved worksheet given on the command line, and the readers that tell
// whose file it is.
struct StartFile {
  QString path;  // empty: none was given
  WorksheetFormats formats;
};

// The start-up: the decimal separator check, the About screen as a splash
// for more than 2 and at most 3 seconds, then the task selector, or with a
// start file of one worksheet's format, that worksheet with the file open.
// Returns false when the program has ended already (the user declined the
// switch to a decimal point); then no window is left and the event loop must
// not run. whileSplashWaits runs once the splash is painted, before the wait:
// work that would otherwise delay the first window.
bool Main(const WorksheetFactories& factories, const std::function<void()>& whileSplashWaits,
          const StartFile& file);
// The same without a start file. (An overload, not a default argument: clang
// leaves the file's empty readers undefined when a default argument makes them.)
bool Main(const WorksheetFactories& factories, const std::function<void()>& whileSplashWaits = {});

// Waits on the clock, read to the whole second, until its seconds count has
// advanced by 3; processes no events meanwhile.
void WaitForSplash();

// The task selector of this run, once Main has shown it.
TaskWindow* TaskSelector();

}  // namespace SubMain
}  // namespace veltrano
