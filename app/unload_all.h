#pragma once

#include <QList>
#include <functional>

class QWidget;

// The one way the program ends: every window's unload comes here.
namespace veltrano::UnloadAll {

// Restores the decimal separator, unloads every loaded window in the order
// the windows were loaded, and ends the program. The unloads it triggers
// enter it again; every path ends the same way: separator restored, program
// ended.
void ShutDown();

// Records a window as loaded, so that ShutDown unloads it.
void Loaded(QWidget* window);
// The loaded windows still alive, in the order they were loaded.
QList<QWidget*> LoadedWindows();

// Ends the program without touching the windows or the separator: the event
// loop leaves, or, before it has started, main() does not start it.
void EndProgram();
bool ProgramEnded();

// A new run: nothing loaded, not ended. The event loop is left through
// exitEventLoop (QCoreApplication::exit(0) when none is given), so that tests
// can watch the program end.
void BeginRun(std::function<void()> exitEventLoop = {});

}  // namespace veltrano::UnloadAll
