#include "factors/factors_window.h"

#include "common/worksheet_file.h"

namespace veltrano::factors {

namespace {
WorksheetSpec spec() {
  WorksheetSpec s;
  s.objectName = QStringLiteral("frmFactors");
  s.caption = QStringLiteral("Prime Factors");
  s.helpFile = QStringLiteral("\\Factors.chm");
  s.saveAsCaption = QStringLiteral("Save As");
  s.secondFileSeparator = true;
  s.printsInCourier = false;
  return s;
}
}  // namespace

FactorsWindow::FactorsWindow(QWidget* parent) : WorksheetWindow(spec(), parent) {}

void FactorsWindow::writeWorksheetFile(WorksheetWriter&) const {}

std::function<void()> FactorsWindow::readWorksheetFile(WorksheetReader&) { return [] {}; }

QStringList FactorsWindow::printedLines() const { return {}; }

}  // namespace veltrano::factors
