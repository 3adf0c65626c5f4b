#include "app/worksheet_formats.h"

#include "common/runtime_error.h"
#include "common/worksheet_file.h"

namespace veltrano {
namespace {

bool fits(WorksheetReader file, const FormatCheck& read) {
  if (!read) return false;
  try {
    read(file);
  } catch (const RuntimeError&) {
    // The reader stopped where this format cannot go on: another worksheet's
    // file, or none at all. Anything else is no answer about the format.
    return false;
  }
  return file.misfit().isEmpty();
}

}  // namespace

QList<int> fittingWorksheets(const WorksheetReader& file, const WorksheetFormats& formats) {
  QList<int> tasks;
  for (int task = 0; task < kWorksheetCount; ++task) {
    if (fits(file, formats[task])) tasks << task;
  }
  return tasks;
}

}  // namespace veltrano
