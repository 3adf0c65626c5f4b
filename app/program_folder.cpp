#include "app/program_folder.h"

#include <dirent.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "common/runtime_error.h"

#include "app/worksheet_table.h"

#ifndef VELTRANO_INSTALLED_DATA_FOLDER
#define VELTRANO_INSTALLED_DATA_FOLDER "../share/veltrano"
#endif

namespace veltrano {
namespace {
bool holdsAny(const QDir& folder, const QStringList& files) {
  return std::any_of(files.begin(), files.end(),
                     [&folder](const QString& name) { return QFileInfo(folder.filePath(name)).isFile(); });
}
}  // namespace

QString locateProgramFolder(const QString& executableFolder, const QString& installedDataFolder,
                            const QStringList& programFiles) {
  const QDir beside(executableFolder);
  if (holdsAny(beside, programFiles)) return executableFolder;
  const QDir installed(QDir::cleanPath(beside.absoluteFilePath(installedDataFolder)));
  if (holdsAny(installed, programFiles) || !unreadableFolderCause(installed.path()).isEmpty())
    return installed.path();
  return executableFolder;
}

QString unreadableFolderCause(const QString& folder) {
  const QByteArray name = QFile::encodeName(folder);
  if (DIR* listing = ::opendir(name.constData())) {
    ::closedir(listing);
    if (::access(name.constData(), X_OK) == 0) return {};
  }
  return errno == ENOENT ? QString() : systemCause(errno);
}

QStringList programFiles() {
  QStringList files{QStringLiteral("P100008.txt"), selectorHelpFile()};
  for (const WorksheetRow& row : worksheetTable()) files << row.helpFile;
  return files;
}

QString installedDataFolder() { return QStringLiteral(VELTRANO_INSTALLED_DATA_FOLDER); }

}  // namespace veltrano
