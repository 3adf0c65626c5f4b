#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace veltrano {

// The program's settings, under its own name whatever the application is
// called; they hold only what the windows remember between runs.
std::unique_ptr<QSettings> programSettings();

// A choice remembered between runs (such as whether a pane is shown); false
// when none was.
bool rememberedSetting(const QString& key);
void remember(const QString& key, bool value);

}  // namespace veltrano
