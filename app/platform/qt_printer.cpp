#include "app/platform/qt_printer.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "common/figure_painter.h"
#include "common/line_wrap.h"
#include "common/runtime_error.h"

namespace veltrano {

QtPrinter::QtPrinter() : fontName_(QApplication::font().family()) {}

QtPrinter::~QtPrinter() {
  if (painter_) painter_->end();
}

// The print system is loaded on the first print only, so that start-up
// does not wait for it.
QPrinter& QtPrinter::device() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool QtPrinter::showPrintDialog(QWidget* owner) {
  QPrintDialog dialog(&device(), owner);
  return dialog.exec() == QDialog::Accepted;
}

// The margins the printer would use, but never less than 10 mm a side:
// some printers offer 4 mm, which cuts close to the edge of the sheet.
void QtPrinter::setMargins() {
  constexpr double kLeastMillimetres = 10;
  QPageLayout layout = device().pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  const QMarginsF usual = layout.margins();
  const QMarginsF margins(std::max(usual.left(), kLeastMillimetres), std::max(usual.top(), kLeastMillimetres),
                          std::max(usual.right(), kLeastMillimetres),
                          std::max(usual.bottom(), kLeastMillimetres));
  device().setPageMargins(margins, QPageLayout::Millimeter);
}

void QtPrinter::beginDocument() {
  setMargins();
  painter_ = std::make_unique<QPainter>();
  // A printer that cannot start a job is a device error, as a file would be.
  if (!painter_->begin(&device())) {
    painter_.reset();
    raise(ErrorNumber::PathFileAccess, printer_->outputFileName());
  }
  y_ = 0;
}

void QtPrinter::printLine(const QString& text) {
  if (!painter_) beginDocument();
  QFont font(fontName_, 10);
  painter_->setFont(font);
  const QFontMetrics metrics(font, printer_.get());
  const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
  const QStringList pieces = WrapLine(
      text, page.width(), [&metrics](const QString& piece) { return metrics.horizontalAdvance(piece); });
  for (const QString& piece : pieces) {
    if (y_ + metrics.height() > page.height()) {
      printer_->newPage();
      y_ = 0;
    }
    painter_->drawText(0, y_ + metrics.ascent(), piece);
    y_ += metrics.height();
  }
}

int QtPrinter::pageHeight() const {
  return printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
}

// The figure takes the page's width and three quarters of that in height, or
// what is left of the page when at least a third of the width is; otherwise
// it starts a new page.
void QtPrinter::printFigure(const figure::Figure& figure, bool greyed) {
  if (!painter_) beginDocument();
  const int width = printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
  const int wanted = width * 3 / 4;
  int height = std::min(wanted, pageHeight() - y_);
  if (height < width / 3) {
    printer_->newPage();
    y_ = 0;
    height = std::min(wanted, pageHeight());
  }
  const figure::Colours colours = figure::printColours();
  figure::paintFigure(*painter_, figure, QRectF(0, y_, width, height),
                      greyed ? figure::greyed(colours) : colours, true);
  y_ += height;
}

void QtPrinter::endDoc() {
  // An empty document still goes out as an empty job, as on the original.
  if (!painter_) beginDocument();
  painter_->end();
  painter_.reset();
}

}  // namespace veltrano
