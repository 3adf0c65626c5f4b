#include "bases/bases_window.h"

#include "common/worksheet_file.h"

namespace veltrano::bases {

namespace {
WorksheetSpec spec() {
  WorksheetSpec s;
  s.objectName = QStringLiteral("frmBases");
  s.caption = QStringLiteral("Base Conversion");
  s.helpFile = QStringLiteral("\\bases.chm");
  s.saveAsCaption = QStringLiteral("Save As");
  s.secondFileSeparator = true;
  s.printsInCourier = false;
  return s;
}
}  // namespace

BasesWindow::BasesWindow(QWidget* parent) : WorksheetWindow(spec(), parent) {}

void BasesWindow::writeWorksheetFile(WorksheetWriter&) const {}

std::function<void()> BasesWindow::readWorksheetFile(WorksheetReader&) { return [] {}; }

QStringList BasesWindow::printedLines() const { return {}; }

}  // namespace veltrano::bases
