#include "app/task_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/tests/shell_fixture.h"
#include "common/runtime_error.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class TaskWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    selector = startUp();
    ASSERT_NE(selector, nullptr);
    options = indexedGroup<QRadioButton>(selector, "OptTask");
    ok = child<QPushButton>(selector, "cmdOK");
  }

  TaskWindow* selector = nullptr;
  QList<QRadioButton*> options;
  QPushButton* ok = nullptr;
};

TEST_F(TaskWindowTest, FiveOptionsEachCaptionWholeInsideTheWindow) {
  QWidget* client = selector->centralWidget();
  auto* label = child<QLabel>(selector, "Label1");
  EXPECT_LE(label->heightForWidth(label->width()), label->height());
  ASSERT_EQ(options.size(), kWorksheetCount) << "\"Sort a list\" must stay out of the group";
  for (int i = 0; i < options.size(); ++i) {
    EXPECT_EQ(options[i]->isChecked(), i == 0) << i;
    EXPECT_LE(options[i]->sizeHint().width(), options[i]->width()) << "caption cut " << i;
  }
  for (QWidget* control : client->findChildren<QWidget*>()) {
    EXPECT_TRUE(client->rect().contains(control->geometry())) << control->objectName().toStdString();
  }
}

TEST_F(TaskWindowTest, TabOrderRunsFromComplexNumbersThroughOkUpToPrimeFactors) {
  const QList<QWidget*> expected{options[3], ok, options[4], options[2], options[1], options[0], options[3]};
  QWidget* widget = selector->focusWidget();
  EXPECT_EQ(widget, options[3]);
  for (int step = 1; step < expected.size(); ++step) {
    do {
      widget = widget->nextInFocusChain();
    } while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible());
    EXPECT_EQ(widget, expected[step]) << "step " << step;
  }
}

class ChooseTaskTest : public TaskWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(ChooseTaskTest, OkOpensThatWorksheetOnceAndHidesTheSelectorForGood) {
  const int task = GetParam();
  QTest::mouseClick(options[task], Qt::LeftButton, {}, QPoint(options[task]->width() - 4, 4));
  QTest::mouseClick(ok, Qt::LeftButton);
  QWidget* sheet = selector->worksheets().window(task);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->property("task").toInt(), task);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{sheet});
  ok->click();
  for (int other = 0; other < kWorksheetCount; ++other) EXPECT_EQ(created[other], other == task ? 1 : 0);
  EXPECT_FALSE(selector->isVisible() || UnloadAll::ProgramEnded());
}

INSTANTIATE_TEST_SUITE_P(EachTask, ChooseTaskTest, ::testing::Range(0, kWorksheetCount));

TEST_F(TaskWindowTest, KeyboardAloneChoosesATask) {
  QTest::keyClick(options[3], Qt::Key_Space);
  QTest::keyClick(options[3], Qt::Key_Return);
  QTest::qWait(200);  // the button's animated click
  EXPECT_EQ(created[3], 1);
  EXPECT_FALSE(selector->isVisible());
}

TEST_F(TaskWindowTest, AWorksheetThatCannotLoadIsReportedThenEverythingEnds) {
  platform().decimal.separator = "!";  // so that the restore shows
  factories[0] = []() -> QWidget* { raise(ErrorNumber::FileNotFound, "P100008.txt"); };
  auto* failing = new TaskWindow(factories);
  UnloadAll::Loaded(failing);
  failing->show();
  platform().messages.expect(MessageAnswer::Ok);
  child<QPushButton>(failing, "cmdOK")->click();
  EXPECT_TRUE(platform().messages.shown.at(0).text.startsWith("Run-time error '53':"));
  EXPECT_TRUE(UnloadAll::ProgramEnded() && visibleWindows().isEmpty());
  EXPECT_EQ(platform().decimal.separator, ".");
}

TEST_F(TaskWindowTest, HelpOpensOrtanoFromTheProgramFolder) {
  veltrano::platform().programFolder = path("program");
  child<QAction>(selector, "mnuHelp")->trigger();
  EXPECT_EQ(platform().help.opened, QStringList{path("program") + "/ortano.chm"});
}

}  // namespace
