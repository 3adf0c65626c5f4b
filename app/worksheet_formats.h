#pragma once

#include <QList>
#include <array>
#include <functional>

#include "app/worksheet_table.h"
#include "common/worksheet_file.h"

namespace veltrano {

// Reads a whole file in one worksheet's format, as its window's Open does,
// and raises a run-time error for one that cannot be in it (a short file, a
// bad count). main() hands in the readers of the table of worksheets, so the
// shell itself knows no worksheet.
using FormatCheck = std::function<void(WorksheetReader& file)>;

// By task index, as in the table of worksheets.
using WorksheetFormats = std::array<FormatCheck, kWorksheetCount>;

// The tasks whose format the file has, in the table's order: those whose
// reader took the whole file without an error and without a sign that it is
// another worksheet's (WorksheetReader::misfit). Each reader reads its own
// copy of file. A row without a reader fits nothing.
QList<int> fittingWorksheets(const WorksheetReader& file, const WorksheetFormats& formats);

}  // namespace veltrano
