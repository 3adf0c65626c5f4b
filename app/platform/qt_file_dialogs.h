#pragma once

#include "common/platform.h"

namespace veltrano {

// Qt's file dialogs, with no filter, no default extension and no title, as
// the worksheets ask for them. The save dialog asks before replacing a file.
class QtFileDialogs : public FileDialogs {
 public:
  QString openFileName(QWidget* owner) override;
  QString saveFileName(QWidget* owner) override;
  // Offers SVG and PNG; a name typed without a suffix gets the chosen one.
  QString saveFigureName(QWidget* owner) override;
  QString saveWorkingName(QWidget* owner) override;
};

}  // namespace veltrano
