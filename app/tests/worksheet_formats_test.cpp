#include "app/worksheet_formats.h"

#include <gtest/gtest.h>

#include "app/tests/worksheet_files.h"
#include "app/wiring/table_worksheets.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

QList<int> fitting(const QByteArray& bytes, const WorksheetFormats& formats = tableWorksheetFormats()) {
  return fittingWorksheets(WorksheetReader(bytes), formats);
}

// Each worksheet's own file read by each worksheet's reader: only its own
// takes it whole.
TEST(WorksheetFormatsTest, EachWorksheetsFileFitsItsOwnReaderAlone) {
  const WorksheetFormats all = tableWorksheetFormats();
  for (const SampleFile& file : sampleFiles()) {
    for (int reader = 0; reader < kWorksheetCount; ++reader) {
      SCOPED_TRACE(
          QStringLiteral("%1 read by %2").arg(file.name, worksheetTable()[reader].windowName).toStdString());
      WorksheetFormats one{};
      one[reader] = all[reader];
      EXPECT_EQ(fitting(file.bytes, one), reader == file.task ? QList<int>{reader} : QList<int>{});
    }
  }
}

TEST(WorksheetFormatsTest, FilesOfSeveralWorksheetsOrNone) {
  const struct {
    const char* what;
    QByteArray bytes;
    QList<int> tasks;
  } cases[] = {
      {"an empty list", " 0 \r\n", {kFactorsTask, kBasesTask}},
      {"a list of one factorisation", " 1 \r\n97= PRIME\r\n", {kFactorsTask}},
      {"a list of one conversion", " 1 \r\n255 = #FF (BASE16)\r\n", {kBasesTask}},
      {"plain text", "Dear Anna,\r\nthe numbers you asked for.\r\n", {}},
      {"an empty file", "", {}},
      {"seven numbers and one more", "1\r\n1\r\n1\r\n60\r\n60\r\n60\r\n0.43\r\n9\r\n", {}},
      {"a list whose count is one too many", " 2 \r\n97= PRIME\r\n", {}},
      {"bytes that no worksheet writes", QByteArray("\x01\x02\x03\x04", 4), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(fitting(c.bytes), c.tasks);
  }
}

}  // namespace
