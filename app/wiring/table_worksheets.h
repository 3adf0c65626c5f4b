#pragma once

#include "app/worksheet_formats.h"
#include "app/worksheet_windows.h"

namespace veltrano {

// The worksheets of the table of worksheets, each row's window class and
// reader, for the program and for the tests that run it with its real
// windows. A row without its window class or its reader does not compile.
WorksheetFactories tableWorksheetFactories();
WorksheetFormats tableWorksheetFormats();

}  // namespace veltrano
