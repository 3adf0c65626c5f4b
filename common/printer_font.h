#pragma once

#include <QString>

#include "common/dimension.h"
#include "common/platform.h"

namespace veltrano {

// Prints in "Courier New" for as long as it lives, when asked to, and gives
// the printer its own font back afterwards, even when the job fails: the
// columns of the worksheets that print in it line up only in a fixed pitch.
class CourierWhilePrinting {
 public:
  CourierWhilePrinting(Printer& printer, bool active) : printer_(printer), active_(active) {
    if (!active_) return;
    Dimension::SavedPrinterFontName = printer_.fontName();
    printer_.setFontName(QStringLiteral("Courier New"));
  }
  ~CourierWhilePrinting() {
    if (active_) printer_.setFontName(Dimension::SavedPrinterFontName);
  }
  CourierWhilePrinting(const CourierWhilePrinting&) = delete;
  CourierWhilePrinting& operator=(const CourierWhilePrinting&) = delete;

 private:
  Printer& printer_;
  bool active_;
};

}  // namespace veltrano
