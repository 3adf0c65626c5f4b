#pragma once

#include <QString>
#include <functional>

namespace veltrano {

// Open, Save and Save As of every window share the one file name of the
// program (Dimension::CurrentFileName). Makes chosen the current name and
// runs use on it; false, without running it, when nothing was chosen. When
// use raises, the name that was current before comes back: a name whose
// command failed must not stay for the next Save.
bool useChosenFile(const QString& chosen, const std::function<void()>& use);

// The title of a worksheet window: its caption and the program's web address,
// then the name of the file last saved or opened, then Qt's place for the
// changed mark.
QString worksheetTitle(const QString& caption, const QString& webAddress, const QString& path);

}  // namespace veltrano
