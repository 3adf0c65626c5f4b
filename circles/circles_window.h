#pragma once

#include "common/worksheet_window.h"

namespace veltrano::circles {

// The "Circles" worksheet window, frmCircles.
class CirclesWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit CirclesWindow(QWidget* parent = nullptr);

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
};

}  // namespace veltrano::circles
