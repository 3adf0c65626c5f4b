#pragma once

#include <QString>
#include <memory>

#include "common/platform.h"

class QPainter;
class QPrinter;

namespace veltrano {

// The default printer on Qt PrintSupport. Lines go down the page in the
// current font, a line wider than the page goes on in the lines below it,
// and a new page starts when one is full. On a machine without
// printers the print dialog still offers printing to a PDF file.
class QtPrinter : public Printer {
 public:
  QtPrinter();
  ~QtPrinter() override;

  QString fontName() const override { return fontName_; }
  void setFontName(const QString& name) override { fontName_ = name; }
  bool showPrintDialog(QWidget* owner) override;
  void printLine(const QString& text) override;
  void printFigure(const figure::Figure& figure, bool greyed) override;
  void endDoc() override;

 private:
  QPrinter& device();
  void setMargins();
  void beginDocument();
  int pageHeight() const;

  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  QString fontName_;
  int y_ = 0;
};

}  // namespace veltrano
