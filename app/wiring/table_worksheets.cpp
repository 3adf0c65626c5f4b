#include "app/wiring/table_worksheets.h"

#include "common/worksheet_file.h"
#include "worksheet_headers.h"  // made by the build: each worksheet's window and file header

namespace veltrano {

WorksheetFactories tableWorksheetFactories() {
  return {
#define VELTRANO_WORKSHEET(folder, window, caption, help, tabPlace, windowClass, reader) \
  []() -> QWidget* { return new windowClass; },
#include "app/worksheets.def"
#undef VELTRANO_WORKSHEET
  };
}

// What a reader returns is the window's business; here only whether it read.
WorksheetFormats tableWorksheetFormats() {
  return {
#define VELTRANO_WORKSHEET(folder, window, caption, help, tabPlace, windowClass, reader) \
  [](WorksheetReader& file) { static_cast<void>(reader(file)); },
#include "app/worksheets.def"
#undef VELTRANO_WORKSHEET
  };
}

}  // namespace veltrano
