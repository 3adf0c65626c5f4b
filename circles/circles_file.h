#pragma once

#include <QStringList>

namespace veltrano {
class WorksheetReader;
}

namespace veltrano::circles {

// A Circles file holds the six quantity texts, one a line. Reads them; a text
// with no number in it is a sign that the file is another worksheet's
// (WorksheetReader::misfit).
QStringList readCirclesFile(WorksheetReader& file);

}  // namespace veltrano::circles
