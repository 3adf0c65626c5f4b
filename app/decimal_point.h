#pragma once

#include <QString>

// Keeps the decimal separator a full stop while the program runs: every
// worksheet reads and writes numbers with a point, whatever the user's locale.
namespace veltrano::DecimalPoint {

// The user's separator exactly as read at start-up, several characters too.
inline QString SavedDecimalSeparator;

void ReadDecimalSeparator();
void SetDecimalPoint();
// Writes back the separator read at start-up, even when it never changed.
void RestoreDecimalSeparator();

// The start-up check. Returns false when the user declines the switch to a
// full stop: the program then ends before any window is shown, and nothing
// has been changed.
bool CheckDecimalSeparator();

// The text of the warning, its eight lines joined by a carriage return each.
QString DecimalCommaWarning();

}  // namespace veltrano::DecimalPoint
