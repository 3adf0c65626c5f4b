#include "circles/circles_window.h"

#include "common/worksheet_file.h"

namespace veltrano::circles {

namespace {
WorksheetSpec spec() {
  WorksheetSpec s;
  s.objectName = QStringLiteral("frmCircles");
  s.caption = QStringLiteral("Circles");
  s.helpFile = QStringLiteral("\\circles.chm");
  s.saveAsCaption = QStringLiteral("Save As");
  s.secondFileSeparator = true;
  s.printsInCourier = true;
  return s;
}
}  // namespace

CirclesWindow::CirclesWindow(QWidget* parent) : WorksheetWindow(spec(), parent) {}

void CirclesWindow::writeWorksheetFile(WorksheetWriter&) const {}

std::function<void()> CirclesWindow::readWorksheetFile(WorksheetReader&) { return [] {}; }

QStringList CirclesWindow::printedLines() const { return {}; }

}  // namespace veltrano::circles
