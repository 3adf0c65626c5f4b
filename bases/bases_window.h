#pragma once

#include "common/worksheet_window.h"

namespace veltrano::bases {

// The "Base Conversion" worksheet window, frmBases.
class BasesWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit BasesWindow(QWidget* parent = nullptr);

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
};

}  // namespace veltrano::bases
