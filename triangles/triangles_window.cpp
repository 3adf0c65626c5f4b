#include "triangles/triangles_window.h"

#include "common/worksheet_file.h"

namespace veltrano::triangles {

namespace {
WorksheetSpec spec() {
  WorksheetSpec s;
  s.objectName = QStringLiteral("frmTriangles");
  s.caption = QStringLiteral("Triangles");
  s.helpFile = QStringLiteral("\\Triangle.chm");
  s.saveAsCaption = QStringLiteral("SaveAs");
  s.secondFileSeparator = true;
  s.printsInCourier = true;
  return s;
}
}  // namespace

TrianglesWindow::TrianglesWindow(QWidget* parent) : WorksheetWindow(spec(), parent) {}

void TrianglesWindow::writeWorksheetFile(WorksheetWriter&) const {}

std::function<void()> TrianglesWindow::readWorksheetFile(WorksheetReader&) { return [] {}; }

QStringList TrianglesWindow::printedLines() const { return {}; }

}  // namespace veltrano::triangles
