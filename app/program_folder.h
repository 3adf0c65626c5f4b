#pragma once

#include <QString>
#include <QStringList>

namespace veltrano {

// Where the program's own files (the prime table and the help files) are
// found, seen from the folder of the executable: that folder itself when it
// holds any of them (a build tree, or a copied folder), otherwise the data
// folder of an installation, given relative to the executable's folder
// ("../share/veltrano"), so that any prefix works and a copied installation
// keeps working. An installed data folder that is there but cannot be
// searched is taken too, so that its files are reported there with the
// cause. When neither holds them, the executable's folder, so that a
// missing file is reported where a user would look for it first.
QString locateProgramFolder(const QString& executableFolder, const QString& installedDataFolder,
                            const QStringList& programFiles);

// Why the folder cannot be listed or searched, in plain words ("Permission
// denied"); empty when it can be, or when there is no such folder at all.
QString unreadableFolderCause(const QString& folder);

// The program's files that mark its folder: "P100008.txt", the task
// selector's help file and each worksheet's.
QStringList programFiles();

// The installed data folder relative to the executable's folder, as the build configured it.
QString installedDataFolder();

}  // namespace veltrano
