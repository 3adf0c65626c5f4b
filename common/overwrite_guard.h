#pragma once

#include <QString>

#include "common/file_access.h"

class QWidget;

namespace veltrano {

// The questions a window asks before it takes a file that may not be its
// own, or writes over one that may hold someone else's work: a file that
// looks like another worksheet's, one opened anyway (a plain Save would turn
// it into this worksheet), and one that another program changed since the
// window last opened or saved it. Save As, a deliberate choice of file,
// writes without asking.
class OverwriteGuard {
 public:
  // worksheet names the window's kind in the questions ("Triangles").
  OverwriteGuard(QWidget* window, QString worksheet);

  // Open has read the file at path; misfit is the first sign that it is
  // another worksheet's (empty when it fits). True when the window may take
  // it: it fits, or the user said Yes to opening it anyway.
  bool mayOpen(const QString& path, const QString& misfit);
  // The window took the file's content; foreign when it did not fit.
  void opened(const QString& path, bool foreign);
  // The window's content is the file's now.
  void saved(const QString& path);
  // Before a plain Save writes path: true when it may.
  bool mayWriteOver(const QString& path);
  // Tells of the backup that a save stopped while it wrote path in place
  // left beside it: the file may be torn, the backup holds its old content.
  void tellLeftoverBackup(const QString& path) const;

 private:
  bool ask(const QString& question) const;

  QWidget* window_;
  QString worksheet_;
  QString path_;           // the file last opened or saved
  FileIdentity identity_;  // as that file was then
  bool foreign_ = false;   // opened although it looked like another worksheet's
  bool opened_ = false;    // opened, rather than saved, last
};

}  // namespace veltrano
