#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/decimal_point.h"
#include "app/shell_commands.h"
#include "app/sub_main.h"
#include "app/task_window.h"
#include "app/tests/worksheet_files.h"
#include "app/unload_all.h"
#include "app/wiring/table_worksheets.h"
#include "common/dimension.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

// veltrano FILE: the real shell and the real worksheet windows on the fake
// platform.
class StartFileTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    veltrano::platform().shell = &shell_;
    newRun();
  }
  void TearDown() override {
    endRun();
    WindowTest::TearDown();
  }

  // A new run of the program: nothing loaded, no file named, no box shown.
  void newRun() {
    endRun();
    UnloadAll::BeginRun([] {});
    DecimalPoint::SavedDecimalSeparator.clear();
    platform().decimal.separator = ".";
    platform().messages.shown.clear();
    Dimension::CurrentFileName.clear();
  }
  static void endRun() {
    UnloadAll::ShutDown();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Starts the program with the file at path.
  TaskWindow* startWith(const QString& path) {
    EXPECT_TRUE(SubMain::Main(tableWorksheetFactories(), {}, {path, tableWorksheetFormats()}));
    return SubMain::TaskSelector();
  }

  // The task whose window shows the file at path as its Open leaves it.
  static void expectOpenIn(TaskWindow* selector, int task, const QString& path) {
    for (int other = 0; other < kWorksheetCount; ++other) {
      QWidget* window = selector->worksheets().window(other);
      EXPECT_EQ(window != nullptr && window->isVisible(), other == task) << other;
    }
    QWidget* window = selector->worksheets().window(task);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Dimension::CurrentFileName, path);
    EXPECT_TRUE(window->windowTitle().endsWith(" - " + QFileInfo(path).fileName() + "[*]"))
        << window->windowTitle().toStdString();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(selector->isVisible());
  }

 private:
  ShellCommands shell_;
};

// A file of one worksheet opens in it, after the splash, without the
// selector and without a question.
TEST_F(StartFileTest, EachWorksheetsFileOpensInItsWorksheetWithoutTheSelector) {
  for (const SampleFile& file : sampleFiles()) {
    SCOPED_TRACE(file.name.toStdString());
    newRun();
    writeBytes(path(file.name), file.bytes);
    TaskWindow* selector = startWith(path(file.name));
    expectOpenIn(selector, file.task, path(file.name));
    EXPECT_EQ(selector->SelectedTask, file.task);
    EXPECT_TRUE(platform().messages.shown.empty());
  }
}

// A file that several worksheets or none could take shows the selector,
// which names it; the worksheet chosen opens it as its Open would: asking
// first when it looks like another's, with the error box when it cannot
// read it.
TEST_F(StartFileTest, AFileOfSeveralWorksheetsOrNoneIsOpenedInTheOneChosen) {
  const char* const noFormat =
      "The file \"%1\" does not look like any worksheet's file. Choose the worksheet to open it in anyway.";
  const struct {
    const char* name;
    QByteArray bytes;
    int firstChosen;  // the option chosen when the selector shows
    const char* message;
    int chosen;             // the option then chosen
    const char* secondBox;  // what the worksheet's box holds; empty: it shows none
    bool opened;
  } cases[] = {
      {"empty list.txt", " 0 \r\n", kFactorsTask,
       "The file \"%1\" could be a file of \"Find the prime factors of a number\" or \"Base conversion\". "
       "Choose the worksheet to open it in.",
       kBasesTask, "", true},
      {"shopping.txt", "bread\r\nmilk\r\neggs\r\napples\r\nrice\r\ntea\r\nsoap\r\n", kFactorsTask, noFormat,
       kTrianglesTask, "Open it anyway?", true},
      {"letter.txt", "Dear Anna,\r\n", kFactorsTask, noFormat, kTrianglesTask, "Run-time error '62':", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    newRun();
    writeBytes(path(c.name), c.bytes);
    platform().messages.expect(MessageAnswer::Ok);
    TaskWindow* selector = startWith(path(c.name));
    EXPECT_TRUE(selector->isVisible());
    ASSERT_EQ(platform().messages.shown.size(), 1u);
    EXPECT_EQ(platform().messages.shown[0].text, QString(c.message).arg(c.name));
    EXPECT_EQ(child<QLabel>(selector, "Label1")->text(), QStringLiteral("Open \"%1\" in:").arg(c.name));
    const QList<QRadioButton*> options = indexedGroup<QRadioButton>(selector, "OptTask");
    EXPECT_TRUE(options[c.firstChosen]->isChecked());

    const bool boxed = *c.secondBox != 0;
    if (boxed) platform().messages.expect(c.opened ? MessageAnswer::Yes : MessageAnswer::Ok);
    options[c.chosen]->setChecked(true);
    child<QPushButton>(selector, "cmdOK")->click();
    ASSERT_EQ(platform().messages.shown.size(), boxed ? 2u : 1u);
    if (boxed) {
      EXPECT_TRUE(platform().messages.shown[1].text.contains(c.secondBox))
          << platform().messages.shown[1].text.toStdString();
    }
    if (c.opened) {
      expectOpenIn(selector, c.chosen, path(c.name));
    } else {
      EXPECT_TRUE(selector->worksheets().window(c.chosen)->isVisible());
      EXPECT_TRUE(Dimension::CurrentFileName.isEmpty());
    }
  }
}

// A file that cannot be read gives the error box with its cause, then the
// selector as on a start without a file.
TEST_F(StartFileTest, AFileThatCannotBeReadGivesTheErrorBoxThenTheSelector) {
  platform().messages.expect(MessageAnswer::Ok);
  TaskWindow* selector = startWith(path("missing.txt"));
  ASSERT_EQ(platform().messages.shown.size(), 1u);
  EXPECT_TRUE(platform().messages.shown[0].text.startsWith("Run-time error '53':"))
      << platform().messages.shown[0].text.toStdString();
  EXPECT_TRUE(platform().messages.shown[0].text.contains("missing.txt"));
  EXPECT_TRUE(selector->isVisible());
  EXPECT_EQ(child<QLabel>(selector, "Label1")->text(), "Select type of problem to solve:");
  child<QPushButton>(selector, "cmdOK")->click();
  EXPECT_EQ(platform().messages.shown.size(), 1u);
  EXPECT_NE(selector->worksheets().window(0), nullptr);
  EXPECT_TRUE(Dimension::CurrentFileName.isEmpty());
}

}  // namespace
