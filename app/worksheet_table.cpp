#include "app/worksheet_table.h"

namespace veltrano {

const std::array<WorksheetRow, kWorksheetCount>& worksheetTable() {
  static const std::array<WorksheetRow, kWorksheetCount> rows{{
#define VELTRANO_WORKSHEET(folder, window, caption, help, tabPlace, windowClass, reader) \
  {QStringLiteral(#window), QStringLiteral(caption), QStringLiteral(help), tabPlace},
#include "app/worksheets.def"
#undef VELTRANO_WORKSHEET
  }};
  return rows;
}

}  // namespace veltrano
