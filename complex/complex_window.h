#pragma once

#include "common/worksheet_window.h"

namespace veltrano::complex {

// The "Complex Numbers" worksheet window, frmComplex.
class ComplexWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit ComplexWindow(QWidget* parent = nullptr);

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
};

}  // namespace veltrano::complex
