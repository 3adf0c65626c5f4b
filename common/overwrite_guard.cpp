#include "common/overwrite_guard.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "common/platform.h"

namespace veltrano {

namespace {

QString quotedName(const QString& path) { return u'"' + QFileInfo(path).fileName() + u'"'; }

}  // namespace

OverwriteGuard::OverwriteGuard(QWidget* window, QString worksheet)
    : window_(window), worksheet_(std::move(worksheet)) {}

bool OverwriteGuard::ask(const QString& question) const {
  return platform().messages->show(window_, {QStringLiteral("Veltrano"), question, MessageButtons::YesNo,
                                             false}) == MessageAnswer::Yes;
}

bool OverwriteGuard::mayOpen(const QString& path, const QString& misfit) {
  if (misfit.isEmpty()) return true;
  return ask(QStringLiteral("The file %1 does not look like a %2 worksheet (%3). Open it anyway?")
                 .arg(quotedName(path), worksheet_, misfit));
}

void OverwriteGuard::opened(const QString& path, bool foreign) {
  path_ = path;
  identity_ = FileIdentity::of(path);
  foreign_ = foreign;
  opened_ = true;
}

void OverwriteGuard::saved(const QString& path) {
  path_ = path;
  identity_ = FileIdentity::of(path);
  foreign_ = false;
  opened_ = false;
}

bool OverwriteGuard::mayWriteOver(const QString& path) {
  if (path != path_) return true;  // a file this window has not seen holds nothing it knows of
  if (foreign_ &&
      !ask(QStringLiteral("Replace %1 with this %2 worksheet?").arg(quotedName(path), worksheet_)))
    return false;
  // A file removed since is no one's work any more; one changed is.
  const FileIdentity now = FileIdentity::of(path);
  if (!identity_.exists() || !now.exists() || now == identity_) return true;
  return ask(QStringLiteral("%1 has been changed by another program since it was %2. Replace it?")
                 .arg(quotedName(path), opened_ ? QStringLiteral("opened") : QStringLiteral("saved")));
}

void OverwriteGuard::tellLeftoverBackup(const QString& path) const {
  const QString backup = leftoverBackupOf(path);
  if (backup.isEmpty()) return;
  platform().messages->show(
      window_, {QStringLiteral("Veltrano"),
                QStringLiteral("A save of this file was stopped while it wrote, so the file may hold part of "
                               "the new content and part of the old. The old content is kept whole in:\n%1")
                    .arg(QDir::toNativeSeparators(backup)),
                MessageButtons::Ok, false});
}

}  // namespace veltrano
