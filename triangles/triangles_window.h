#pragma once

#include "common/worksheet_window.h"

namespace veltrano::triangles {

// The "Triangles" worksheet window, frmTriangles.
class TrianglesWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit TrianglesWindow(QWidget* parent = nullptr);

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
};

}  // namespace veltrano::triangles
