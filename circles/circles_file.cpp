#include "circles/circles_file.h"

#include "circles/circle_solver.h"
#include "common/worksheet_file.h"

namespace veltrano::circles {

QStringList readCirclesFile(WorksheetReader& file) { return file.readNumberFields(kCircleFieldCount); }

}  // namespace veltrano::circles
