#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "common/figure.h"
#include "common/page_layout.h"
#include "common/platform.h"

class QPainter;
class QPrinter;

namespace veltrano {

// The default printer on Qt PrintSupport. A document is kept until it ends
// and then laid out whole: lines go down the page in the current font, a
// line wider than the page goes on in the lines below it, and every page
// gets the small header and footer. On a machine without printers the print
// dialog still offers printing to a PDF file.
class QtPrinter : public Printer {
 public:
  QtPrinter();
  ~QtPrinter() override;

  QString fontName() const override { return fontName_; }
  void setFontName(const QString& name) override { fontName_ = name; }
  bool showPrintDialog(QWidget* owner) override;
  void setHeading(const QString& heading) override { heading_ = heading; }
  void printLine(const QString& text) override;
  void printFigure(const figure::Figure& figure, bool greyed) override;
  void endDoc() override;

  // The Qt printer that the print dialog sets up (the tests print to a PDF
  // file on it).
  QPrinter& device();

 private:
  struct ShownFigure {
    figure::Figure figure;
    bool greyed = false;
  };
  struct Document {
    QString heading;
    std::vector<PrintEntry> entries;
    std::vector<ShownFigure> figures;
  };
  class PagePainter;

  void setMargins();
  void beginDocument(QPainter& painter);
  // Paints every page; false when the user cancelled on the way.
  bool paintPages(const Document& document, QPainter& painter);
  void stopJob(QPainter& painter);

  std::unique_ptr<QPrinter> printer_;
  QString fontName_;
  QPointer<QWidget> owner_;  // of the last print dialog, for the progress
  QString heading_;
  std::vector<PrintEntry> entries_;
  std::vector<ShownFigure> figures_;
};

}  // namespace veltrano
