#pragma once

#include "common/worksheet_window.h"

namespace veltrano::factors {

// The "Prime Factors" worksheet window, frmFactors.
class FactorsWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit FactorsWindow(QWidget* parent = nullptr);

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
};

}  // namespace veltrano::factors
