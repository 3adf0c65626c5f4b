#pragma once

#include <QStringList>

namespace veltrano {
class WorksheetReader;
}

namespace veltrano::bases {

// A Bases file holds the count of rows, then the rows of the list. Reads
// them; a row that no conversion writes ("11 = #1011 (BASE2)", "#1011
// (BASE2) = 11") is a sign that the file is another worksheet's
// (WorksheetReader::misfit). More rows than the list holds raise Overflow.
QStringList readBasesFile(WorksheetReader& file);

}  // namespace veltrano::bases
