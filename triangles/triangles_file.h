#pragma once

#include <QStringList>

namespace veltrano {
class WorksheetReader;
}

namespace veltrano::triangles {

// A Triangles file holds the seven part texts, a to C and the area, one a
// line. Reads them; a text with no number in it is a sign that the file is
// another worksheet's (WorksheetReader::misfit).
QStringList readTrianglesFile(WorksheetReader& file);

}  // namespace veltrano::triangles
