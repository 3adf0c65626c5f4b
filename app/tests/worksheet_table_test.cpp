#include <gtest/gtest.h>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>

#include "app/installation_check.h"
#include "app/task_window.h"
#include "app/worksheet_table.h"
#include "app/worksheet_windows.h"
#include "common/runtime_error.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

// Stand-ins named as the table names their worksheets.
WorksheetFactories standIns() {
  WorksheetFactories factories;
  for (int task = 0; task < kWorksheetCount; ++task) {
    factories[task] = [task] {
      auto* window = new QWidget;
      window->setObjectName(worksheetTable()[task].windowName);
      return window;
    };
  }
  return factories;
}

class WorksheetTableTest : public WindowTest {};

// A task whose row has no factory would open nothing when chosen: the
// selector refuses to start, naming the worksheet.
TEST_F(WorksheetTableTest, ARowWithoutAFactoryStopsTheStart) {
  WorksheetFactories factories = standIns();
  factories[2] = nullptr;
  try {
    TaskWindow selector(factories);
    FAIL() << "the selector started";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ErrorNumber::InvalidCall);
    EXPECT_TRUE(e.message().contains("frmCircles")) << e.what();
  }
}

// Tab goes from "Complex numbers" to OK, "Base conversion", then up the
// options to "Find the prime factors of a number".
TEST_F(WorksheetTableTest, TheSelectorsTabOrderFollowsTheTable) {
  TaskWindow selector(standIns());
  const QList<QRadioButton*> options = indexedGroup<QRadioButton>(&selector, "OptTask");
  ASSERT_EQ(options.size(), kWorksheetCount);
  const QList<QWidget*> expected{
      options[3], child<QPushButton>(&selector, "cmdOK"), options[4], options[2], options[1], options[0]};
  for (qsizetype i = 0; i + 1 < expected.size(); ++i) {
    QWidget* next = expected[i]->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    EXPECT_EQ(next, expected[i + 1]) << "after place " << i;
  }
}

// The check opens each worksheet under the name the table gives it, since
// its remembered settings are kept under that name.
TEST_F(WorksheetTableTest, TheCheckFailsForAWindowNamedOtherwiseThanTheTable) {
  for (const bool misnamed : {false, true}) {
    SCOPED_TRACE(misnamed ? "misnamed" : "named as the table");
    WorksheetFactories factories = standIns();
    if (misnamed) factories[4] = [] { return new QWidget; };
    QString text;
    QTextStream report(&text);
    EXPECT_EQ(CheckInstallation(factories, report), misnamed ? 1 : 0);
    EXPECT_EQ(text.contains("The window is named , not frmBases"), misnamed) << text.toStdString();
  }
}

}  // namespace
