#include "app/task_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/about_screen.h"
#include "app/tests/shell_fixture.h"
#include "common/runtime_error.h"
#include "common/ui_style.h"

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

  QAction* menuItem(const char* name) { return child<QAction>(selector, name); }

  TaskWindow* selector = nullptr;
  QList<QRadioButton*> options;
  QPushButton* ok = nullptr;
};

TEST_F(TaskWindowTest, DesignTimeLook) {
  EXPECT_EQ(selector->objectName(), "frmTask");
  EXPECT_EQ(selector->windowTitle(), "Veltrano");
  QWidget* client = selector->centralWidget();
  EXPECT_EQ(client->size(), QSize(243, 249));
  EXPECT_EQ(style::background(client), style::Cyan);

  auto* label = child<QLabel>(selector, "Label1");
  EXPECT_EQ(label->text(), "Select type of problem to solve:");
  EXPECT_TRUE(label->font().bold());
  EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);

  const QStringList captions{"Find the prime factors of a number", "Solve a triangle", "Circle problems",
                             "Complex numbers", "Base conversion"};
  ASSERT_EQ(options.size(), captions.size());
  for (int i = 0; i < options.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(options[i]->property("index").toInt(), i);
    EXPECT_EQ(options[i]->text(), captions[i]);
    EXPECT_EQ(style::background(options[i]), style::Green);
    EXPECT_TRUE(options[i]->font().bold());
    EXPECT_DOUBLE_EQ(options[i]->font().pointSizeF(), 8.25);
    EXPECT_TRUE(options[i]->isVisible());
    EXPECT_EQ(options[i]->isChecked(), i == 0);
    if (i > 0) {
      EXPECT_GT(options[i]->y(), options[i - 1]->y()) << "options stand in index order";
    }
  }
  EXPECT_GT(ok->y(), options.last()->y());
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(ok->toolTip(), "Compute solution");
  EXPECT_EQ(style::background(ok), style::Orange);
}

TEST_F(TaskWindowTest, CaptionsFitTheirControlsAndTheClientArea) {
  QWidget* client = selector->centralWidget();
  auto* label = child<QLabel>(selector, "Label1");
  EXPECT_LE(label->heightForWidth(label->width()), label->height());
  for (QWidget* control : client->findChildren<QWidget*>()) {
    SCOPED_TRACE(control->objectName().toStdString());
    EXPECT_TRUE(client->rect().contains(control->geometry())) << "outside the client area";
    if (control != label) {
      EXPECT_LE(control->sizeHint().width(), control->width()) << "caption cut";
    }
  }
}

TEST_F(TaskWindowTest, SortAListCanNeitherBeSeenNorChosen) {
  for (QAbstractButton* button : selector->findChildren<QAbstractButton*>()) {
    EXPECT_NE(button->text(), "Sort a list");
    EXPECT_LT(button->property("index").toInt(), kWorksheetCount);
  }
  // Walking the whole focus chain never reaches a sixth option.
  QWidget* start = options[3];
  QWidget* widget = start;
  do {
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(widget) &&
                 qobject_cast<QAbstractButton*>(widget)->text() == "Sort a list");
    widget = widget->nextInFocusChain();
  } while (widget != start);
}

TEST_F(TaskWindowTest, TabOrderRunsFromComplexNumbersThroughOkUpToPrimeFactors) {
  QList<QWidget*> expected{options[3], ok, options[4], options[2], options[1], options[0]};
  QWidget* widget = options[3];
  for (int step = 1; step < expected.size(); ++step) {
    do {
      widget = widget->nextInFocusChain();
    } while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible());
    EXPECT_EQ(widget, expected[step]) << "step " << step;
  }
  EXPECT_EQ(selector->focusWidget(), options[3]);
}

TEST_F(TaskWindowTest, MenuBarHoldsHelpThenAbout) {
  const QList<QAction*> items = selector->menuBar()->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->objectName(), "mnuHelp");
  EXPECT_EQ(items[0]->text(), "Help");
  EXPECT_EQ(items[0]->menu(), nullptr);
  EXPECT_EQ(items[1]->objectName(), "mnuAbout");
  EXPECT_EQ(items[1]->text(), "About");
}

class ChooseTaskTest : public TaskWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(ChooseTaskTest, OkOpensThatWorksheetOnceAndHidesTheSelectorForGood) {
  const int task = GetParam();
  QTest::mouseClick(options[task], Qt::LeftButton);
  ASSERT_TRUE(options[task]->isChecked());
  QTest::mouseClick(ok, Qt::LeftButton);

  EXPECT_EQ(selector->SelectedTask, task);
  QWidget* sheet = selector->worksheets().window(task);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->property("task").toInt(), task);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{sheet});
  for (int other = 0; other < kWorksheetCount; ++other) EXPECT_EQ(created[other], other == task ? 1 : 0);
  EXPECT_EQ(UnloadAll::LoadedWindows(), (QList<QWidget*>{selector, sheet}));

  ok->click();  // a window exists at most once
  EXPECT_EQ(created[task], 1);
  EXPECT_FALSE(selector->isVisible());
  EXPECT_FALSE(UnloadAll::ProgramEnded());
}

INSTANTIATE_TEST_SUITE_P(EachTask, ChooseTaskTest, ::testing::Range(0, kWorksheetCount));

TEST_F(TaskWindowTest, EnterChoosesTheSelectedTask) {
  options[2]->setFocus();
  QTest::keyClick(options[2], Qt::Key_Space);
  QTest::keyClick(options[2], Qt::Key_Return);
  QTest::qWait(200);  // the button's animated click
  EXPECT_EQ(created[2], 1);
  EXPECT_FALSE(selector->isVisible());
}

TEST_F(TaskWindowTest, WithNoOptionSelectedTheLastChoiceStands) {
  selector->SelectedTask = 3;
  for (QRadioButton* option : options) {
    option->setAutoExclusive(false);
    option->setChecked(false);
  }
  ok->click();
  EXPECT_EQ(selector->SelectedTask, 3);
  EXPECT_EQ(created[3], 1);
}

TEST_F(TaskWindowTest, AWorksheetThatCannotLoadIsReportedAndEndsTheProgram) {
  platform().decimal.separator = "!";  // the setting in force, so the restore shows
  factories[0] = []() -> QWidget* { raise(ErrorNumber::FileNotFound, "P100008.txt"); };
  TaskWindow failing(factories);
  platform().messages.expect(MessageAnswer::Ok);

  child<QPushButton>(&failing, "cmdOK")->click();

  ASSERT_EQ(platform().messages.shown.size(), 1u);
  EXPECT_EQ(platform().messages.shown[0].title, "Veltrano");
  EXPECT_TRUE(platform().messages.shown[0].text.contains("Run-time error '53':"));
  EXPECT_TRUE(UnloadAll::ProgramEnded());
  EXPECT_GE(exits, 1);
  EXPECT_EQ(platform().decimal.separator, ".") << "the saved separator was not written back";
  EXPECT_TRUE(visibleWindows().isEmpty());
}

TEST_F(TaskWindowTest, HelpOpensTheSelectorsFileFromTheProgramFolder) {
  veltrano::platform().programFolder = path("program");
  menuItem("mnuHelp")->trigger();
  EXPECT_EQ(platform().help.opened, QStringList{path("program") + "/ortano.chm"});
}

TEST_F(TaskWindowTest, AnUntrappedErrorInAHandlerIsShownAndTheProgramGoesOn) {
  struct FailingHelp : HelpViewer {
    void showContents(QWidget*, const QString& file) override { raise(ErrorNumber::PathNotFound, file); }
  } help;
  veltrano::platform().help = &help;
  platform().messages.expect(MessageAnswer::Ok);

  menuItem("mnuHelp")->trigger();

  ASSERT_EQ(platform().messages.shown.size(), 1u);
  EXPECT_TRUE(platform().messages.shown[0].text.contains("Run-time error '76':"));
  EXPECT_FALSE(UnloadAll::ProgramEnded());
  EXPECT_EQ(exits, 0);
  EXPECT_TRUE(selector->isVisible());
  ok->click();
  EXPECT_EQ(created[0], 1) << "the selector no longer works after the error";
}

TEST_F(TaskWindowTest, AboutShowsTheAboutScreenOverTheSelector) {
  menuItem("mnuAbout")->trigger();
  AboutWindow* about = AboutVeltrano::AboutScreen();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_TRUE(selector->isVisible());
}

}  // namespace
