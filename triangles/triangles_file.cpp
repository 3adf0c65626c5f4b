#include "triangles/triangles_file.h"

#include "common/worksheet_file.h"
#include "triangles/triangle_solver.h"

namespace veltrano::triangles {

QStringList readTrianglesFile(WorksheetReader& file) { return file.readNumberFields(kPartCount); }

}  // namespace veltrano::triangles
