#pragma once

#include <QString>
#include <array>

namespace veltrano {

// How many worksheets the table of worksheets (app/worksheets.def) holds.
constexpr int kWorksheetCount = 0
#define VELTRANO_WORKSHEET(folder, window, caption, help, tabPlace, windowClass, reader) +1
#include "app/worksheets.def"
#undef VELTRANO_WORKSHEET
    ;

// One row of the table of worksheets, without its factory: the shell knows
// no worksheet, main() hands the factories in (WorksheetFactories).
struct WorksheetRow {
  QString windowName;  // "frmFactors": its settings group, its name in --check
  QString caption;     // its option in the task selector
  QString helpFile;    // "Factors.chm", in the program's folder
  int tabPlace;        // its option's place in the selector's tab order, from 1
};

// By task index, the order of the selector's options.
const std::array<WorksheetRow, kWorksheetCount>& worksheetTable();

// The task selector's own help file, beside the worksheets' in the program's folder.
inline QString selectorHelpFile() { return QStringLiteral("ortano.chm"); }

}  // namespace veltrano
