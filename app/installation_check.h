#pragma once

#include "app/worksheet_windows.h"

class QTextStream;

namespace veltrano {

// The installation check behind the option --check: opens every worksheet
// window as OK would (the Factors window reads the prime table), without
// showing it, and the help file of each worksheet and of the task selector
// as their Help menus do, all on the platform installed. Message boxes are
// not shown but written to the report, beside the program folder and each
// window and help file opened. Returns the exit status: 0 when everything
// opened, 1 otherwise.
int CheckInstallation(const WorksheetFactories& factories, QTextStream& report);

}  // namespace veltrano
