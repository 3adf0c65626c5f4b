#pragma once

#include <QString>

// The variables that every worksheet window shares.
namespace Dimension {

// The one file name of Open, Save and Save As; there is none per window.
inline QString CurrentFileName;
// The printer's font name, kept while a window prints in "Courier New".
inline QString SavedPrinterFontName;

inline double Pi = 0.0;
inline double HalfPi = 0.0;
inline double EulerNumber = 0.0;

// Sets HalfPi, Pi and EulerNumber, in that order, as each window that needs
// them does when it loads, to the values of veltrano::math (the solvers and
// the figures read those).
void SetConstants();

}  // namespace Dimension
