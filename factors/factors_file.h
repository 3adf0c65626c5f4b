#pragma once

#include <QStringList>

namespace veltrano {
class WorksheetReader;
}

namespace veltrano::factors {

// A Factors file holds the count of rows, then the rows of the list. Reads
// them; a row that no factorisation writes ("360= 2  2  2  3  3  5",
// "1E+20= TOO LARGE") is a sign that the file is another worksheet's
// (WorksheetReader::misfit). More rows than the list holds raise Overflow.
QStringList readFactorsFile(WorksheetReader& file);

}  // namespace veltrano::factors
