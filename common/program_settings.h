#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace veltrano {

// The program's settings, under its own name whatever the application is
// called; they hold only what the windows remember between runs.
std::unique_ptr<QSettings> programSettings();

// A choice remembered between runs (such as whether a pane is shown), or
// made earlier in this run; false when there is none.
bool rememberedSetting(const QString& key);

// Keeps a choice for the run and writes it for the next. Writing never holds
// the window up: when the settings file stays locked for longer than a short
// wait (a lock left behind where it cannot be removed, a folder of the lock's
// name, another program writing) or cannot be written, this and every later
// choice of the run are kept for the run only. False when the choice will not
// be remembered.
bool remember(const QString& key, bool value);

// The status line's note when a choice will not be remembered, naming the file.
QString notRememberedNote();

// How long a write waits for the settings file's lock.
inline constexpr int kSettingsLockWaitMs = 200;

// Forgets the choices kept for the run and tries writing again: each test
// starts as a new run.
void startSettingsRun();

}  // namespace veltrano
