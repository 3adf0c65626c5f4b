#include "complex/complex_window.h"

#include "common/worksheet_file.h"

namespace veltrano::complex {

namespace {
WorksheetSpec spec() {
  WorksheetSpec s;
  s.objectName = QStringLiteral("frmComplex");
  s.caption = QStringLiteral("Complex Numbers");
  s.helpFile = QStringLiteral("\\complex.chm");
  s.saveAsCaption = QStringLiteral("SaveAs");
  s.secondFileSeparator = false;
  s.printsInCourier = true;
  return s;
}
}  // namespace

ComplexWindow::ComplexWindow(QWidget* parent) : WorksheetWindow(spec(), parent) {}

void ComplexWindow::writeWorksheetFile(WorksheetWriter&) const {}

std::function<void()> ComplexWindow::readWorksheetFile(WorksheetReader&) { return [] {}; }

QStringList ComplexWindow::printedLines() const { return {}; }

}  // namespace veltrano::complex
