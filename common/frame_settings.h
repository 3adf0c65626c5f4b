#pragma once

#include <QString>

namespace veltrano {

// What distinguishes one worksheet window's frame from another.
struct FrameSettings {
  QString objectName;                                 // "frmFactors", the Factors worksheet
  QString caption;                                    // the window's title
  QString helpFile;                                   // "\\Factors.chm"
  QString saveAsCaption = QStringLiteral("Save As");  // "SaveAs" in two windows
  bool secondFileSeparator = true;                    // frmComplex has none
  bool printsInCourier = false;                       // Triangles, Circles, Complex
  bool hasFigure = false;                             // Triangles, Circles, Complex

  // The worksheet's kind as the user knows it: "Factors" for frmFactors.
  QString worksheetName() const { return objectName.mid(3); }
};

}  // namespace veltrano
