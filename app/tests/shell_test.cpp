#include <gtest/gtest.h>
#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>

#include "app/about_screen.h"
#include "app/decimal_point.h"
#include "app/shell_commands.h"
#include "app/sub_main.h"
#include "app/task_window.h"
#include "app/unload_all.h"
#include "common/runtime_error.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

// Stands in for a worksheet window: closing it ends the program through the
// shell, as the real ones do.
class StubWorksheet : public QWidget {
 public:
  explicit StubWorksheet(int task) { setProperty("task", task); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    veltrano::platform().shell->shutDown();
  }
};

// The real shell on the fake platform, with stub worksheets and an event loop
// exit that is only counted.
class ShellTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    veltrano::platform().shell = &shell_;
    UnloadAll::BeginRun([this] { ++exits; });
    DecimalPoint::SavedDecimalSeparator.clear();
    for (int task = 0; task < kWorksheetCount; ++task) {
      factories[task] = [this, task]() -> QWidget* {
        ++created[task];
        return new StubWorksheet(task);
      };
    }
  }
  void TearDown() override {
    flushDeletes();
    WindowTest::TearDown();
  }

  // Deletes the unloaded windows, as the event loop's next turn would.
  static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // Any separator but a full stop brings the warning, answered Yes here.
  TaskWindow* startUp(const QString& separator = ".") {
    platform().decimal.separator = separator;
    if (separator != ".") platform().messages.expect(MessageAnswer::Yes);
    EXPECT_TRUE(SubMain::Main(factories));
    flushDeletes();
    return SubMain::TaskSelector();
  }
  // Chooses a task with the mouse and opens its worksheet.
  QWidget* open(TaskWindow* selector, int task) {
    QRadioButton* option = indexedGroup<QRadioButton>(selector, "OptTask").at(task);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(option->width() - 4, 4));
    QTest::mouseClick(child<QPushButton>(selector, "cmdOK"), Qt::LeftButton);
    return selector->worksheets().window(task);
  }

  static QList<QWidget*> visibleWindows() {
    QList<QWidget*> visible;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible()) visible.append(window);
    }
    return visible;
  }

  WorksheetFactories factories;
  std::array<int, kWorksheetCount> created{};
  int exits = 0;

 private:
  ShellCommands shell_;
};

TEST_F(ShellTest, SplashWaitEndsAfterMoreThanTwoAndAtMostThreeSecondsWhateverTheStart) {
  // The fraction of a second the wait starts on, and the clock's step between two readings.
  const int cases[][2] = {{0, 1}, {1, 1}, {500, 1}, {999, 1}, {0, 20}, {990, 20}, {999, 20}, {333, 7}};
  FakeClock& clock = platform().clock;
  for (const auto& [startMs, stepMs] : cases) {
    clock.stepMs = stepMs;
    clock.time = QDateTime(QDate(2026, 3, 1), QTime(23, 59, 58, startMs));
    const QDateTime begin = clock.time;
    SubMain::WaitForSplash();
    const qint64 waited = begin.msecsTo(clock.time);
    EXPECT_TRUE(waited > 2000 && waited < 3000 + stepMs) << startMs << " waited " << waited;
  }
}

TEST_F(ShellTest, ShowsTheSplashDuringTheWaitThenOnlyTheSelector) {
  // The clock's pause is all that runs during the wait: look from there.
  struct WatchingClock : FakeClock {
    void pause() override {
      FakeClock::pause();
      AboutWindow* about = AboutVeltrano::AboutScreen();
      if (about && about->isVisible() && !SubMain::TaskSelector()) ++splashAlone;
    }
    int splashAlone = 0;
  } clock;
  veltrano::platform().clock = &clock;

  TaskWindow* selector = startUp();

  EXPECT_GT(clock.pauses, 0);
  EXPECT_EQ(clock.splashAlone, clock.pauses);
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{selector});
}

// Work held back from the way to the first window runs once the splash is
// painted, before its wait.
TEST_F(ShellTest, WorkForTheSplashWaitRunsOnceWithTheSplashAlone) {
  int runs = 0;
  bool splashAlone = false;
  EXPECT_TRUE(SubMain::Main(factories, [&] {
    ++runs;
    const AboutWindow* about = AboutVeltrano::AboutScreen();
    splashAlone = about && about->isVisible() && !SubMain::TaskSelector() && platform().clock.pauses == 0;
  }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(splashAlone);
}

// What Yes leads to, up to the end, is in the shutdown tests.
TEST_F(ShellTest, CommaWarningAsksWithTheWholeText) {
  startUp(",");
  ASSERT_EQ(platform().messages.shown.size(), 1u);
  const MessageRequest& box = platform().messages.shown.front();
  EXPECT_EQ(box.title, "Decimal Comma Warning!");
  EXPECT_TRUE(box.buttons == MessageButtons::YesNoCancel && box.critical);
  EXPECT_EQ(
      box.text.split('\r'),
      QStringList({"Proper operation of this application requires the use of the DECIMAL POINT.",
                   "Your system is currently using the DECIMAL COMMA.", "",
                   "Do you wish to temporarily change this system setting to decimal point?",
                   "(Upon exiting, this application will restore your setting.)",
                   "(See HELP FILE or visit www.veltrano.org for instructions on how to change MANUALLY)", "",
                   "Press YES to change."}));
}

TEST_F(ShellTest, DecliningTheCommaWarningEndsAtOnceWithNothingChangedAndNoWindow) {
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
    platform().decimal.separator = ",";
    platform().messages.expect(answer);
    EXPECT_FALSE(SubMain::Main(factories));
    EXPECT_TRUE(UnloadAll::ProgramEnded() && QApplication::topLevelWidgets().isEmpty());
    EXPECT_EQ(platform().decimal.writes, 0);
    EXPECT_EQ(platform().clock.pauses, 0) << "the splash wait ran";
  }
}

TEST_F(ShellTest, AboutTwicePrintsTwoBlocksOfTenLinesOneBelowTheOther) {
  AboutVeltrano::ShowAboutScreen();
  AboutVeltrano::ShowAboutScreen();
  AboutWindow* about = AboutVeltrano::AboutScreen();
  const QStringList block =
      QString("\n\n\nVeltrano\n\nCopyright (C) 2026 Veltrano\n\nAll rights reserved.\n\nwww.veltrano.org")
          .split('\n');
  const auto& lines = about->printedLines();
  ASSERT_EQ(lines.size(), 20u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].text, block[i % 10]) << i;
    EXPECT_EQ(lines[i].y, static_cast<int>(i) * about->lineHeight()) << i;
    EXPECT_LE(QFontMetrics(about->font()).horizontalAdvance(lines[i].text), about->width()) << i;
  }
}

TEST_F(ShellTest, AClickClosesAboutAndLeavesTheWorksheetOpen) {
  QWidget* sheet = open(startUp(), 0);
  veltrano::platform().shell->showAboutScreen();  // the worksheet's About
  QTest::mouseClick(AboutVeltrano::AboutScreen(), Qt::LeftButton, {}, QPoint(600, 450));
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  // Shown again before the event loop has deleted the closed one: a new page.
  AboutVeltrano::ShowAboutScreen();
  flushDeletes();
  ASSERT_NE(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_EQ(AboutVeltrano::AboutScreen()->printedLines().size(), 10u);
  QTest::keyClick(AboutVeltrano::AboutScreen(), Qt::Key_Escape);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{sheet});
  EXPECT_FALSE(UnloadAll::ProgramEnded());
}

// Closing either main window ends the program the same way, with the About
// screen open or not, and puts back the separator read at the start: all of
// it, up to a zero character. The nested shutdowns change nothing.
struct CloseCase {
  std::u16string read;
  bool closeWorksheet;
  bool aboutOpen;
};

class ShutDownTest : public ShellTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ShutDownTest, RestoresTheSeparatorUnloadsEverythingAndEnds) {
  const QString read = QString::fromStdU16String(GetParam().read);
  const QString saved = read.left(read.indexOf(QChar(0)));
  TaskWindow* selector = startUp(read);
  QWidget* closing = GetParam().closeWorksheet ? open(selector, 0) : selector;
  if (GetParam().aboutOpen) AboutVeltrano::ShowAboutScreen();
  EXPECT_EQ(platform().decimal.separator, ".");

  closing->close();

  EXPECT_EQ(platform().decimal.separator, saved);
  EXPECT_TRUE(UnloadAll::ProgramEnded() && exits >= 1);
  flushDeletes();
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window was left loaded";
  platform().decimal.separator = ".";  // entered once more, it ends the same way
  UnloadAll::ShutDown();
  EXPECT_EQ(platform().decimal.separator, saved);
}

INSTANTIATE_TEST_SUITE_P(Windows, ShutDownTest,
                         ::testing::Values(CloseCase{u";;", false, false}, CloseCase{u",", false, true},
                                           CloseCase{u"\u066B", true, false}, CloseCase{u"", true, true},
                                           CloseCase{u". ", false, false},
                                           CloseCase{std::u16string(u",\0\0", 3), true, false}));

// "Sort a list" stays out of the group, so it can never be shown or chosen.
class ChooseTaskTest : public ShellTest, public ::testing::WithParamInterface<int> {};

TEST_P(ChooseTaskTest, OkOpensThatWorksheetOnceAndHidesTheSelectorForGood) {
  const int task = GetParam();
  TaskWindow* selector = startUp();
  const QList<QRadioButton*> options = indexedGroup<QRadioButton>(selector, "OptTask");
  ASSERT_EQ(options.size(), kWorksheetCount);
  EXPECT_TRUE(options[0]->isChecked());
  EXPECT_LE(options[task]->sizeHint().width(), options[task]->width()) << "caption cut";
  QWidget* sheet = open(selector, task);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->property("task").toInt(), task);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{sheet});
  child<QPushButton>(selector, "cmdOK")->click();
  for (int other = 0; other < kWorksheetCount; ++other) EXPECT_EQ(created[other], other == task ? 1 : 0);
  EXPECT_FALSE(selector->isVisible() || UnloadAll::ProgramEnded());
}

INSTANTIATE_TEST_SUITE_P(EachTask, ChooseTaskTest, ::testing::Range(0, kWorksheetCount));

// The keyboard alone: the first focus is on the option the tab order puts
// first, and Return or the keypad's Enter opens the chosen worksheet, from
// an option as from OK.
struct EnterCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int task;
  bool fromOk;
};
void PrintTo(const EnterCase& c, std::ostream* out) { *out << c.name; }

class KeyboardTest : public ShellTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(KeyboardTest, FirstFocusFollowsTheTabOrderAndEnterOpensTheChosenWorksheet) {
  const EnterCase& c = GetParam();
  TaskWindow* selector = startUp();
  selector->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(selector));
  const QList<QRadioButton*> options = indexedGroup<QRadioButton>(selector, "OptTask");
  EXPECT_EQ(QApplication::focusWidget(), options[3]) << "not on \"Complex numbers\"";
  options[c.task]->setChecked(true);
  if (c.fromOk) child<QPushButton>(selector, "cmdOK")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
  // The button takes its pressed look before it clicks.
  EXPECT_TRUE(QTest::qWaitFor([&] { return selector->worksheets().window(c.task) != nullptr; }));
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{selector->worksheets().window(c.task)});
}

INSTANTIATE_TEST_SUITE_P(
    ReturnAndEnter, KeyboardTest,
    ::testing::Values(EnterCase{"ReturnOnOption", Qt::Key_Return, Qt::NoModifier, 3, false},
                      EnterCase{"KeypadEnterOnOption", Qt::Key_Enter, Qt::KeypadModifier, 1, false},
                      EnterCase{"ReturnOnOk", Qt::Key_Return, Qt::NoModifier, 4, true},
                      EnterCase{"KeypadEnterOnOk", Qt::Key_Enter, Qt::KeypadModifier, 0, true}),
    [](const ::testing::TestParamInfo<EnterCase>& info) { return info.param.name; });

// Up and Down choose the option above or below the one with the focus, take
// the focus along and stop at either end, whichever option was chosen
// before; OK then opens the task chosen last.
TEST_F(ShellTest, ArrowKeysChooseTheOptionAboveOrBelow) {
  TaskWindow* selector = startUp();
  selector->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(selector));
  const QList<QRadioButton*> options = indexedGroup<QRadioButton>(selector, "OptTask");
  options[3]->setFocus();  // while option 0 is chosen
  const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Down, 4}, {Qt::Key_Down, 4}, {Qt::Key_Up, 3},
                                           {Qt::Key_Up, 2},   {Qt::Key_Up, 1},   {Qt::Key_Up, 0},
                                           {Qt::Key_Up, 0},   {Qt::Key_Down, 1}};
  for (const auto& [key, chosen] : steps) {
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_TRUE(options[chosen]->isChecked() && options[chosen]->hasFocus()) << chosen;
  }
  child<QPushButton>(selector, "cmdOK")->click();
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{selector->worksheets().window(1)});
}

TEST_F(ShellTest, DoubleClickOnAnOptionOpensItsWorksheetAsOkDoes) {
  TaskWindow* selector = startUp();
  QRadioButton* option = indexedGroup<QRadioButton>(selector, "OptTask").at(2);
  QTest::mouseDClick(option, Qt::LeftButton, {}, QPoint(option->width() - 4, 4));
  EXPECT_EQ(selector->SelectedTask, 2);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{selector->worksheets().window(2)});
  EXPECT_EQ(created, (std::array<int, kWorksheetCount>{0, 0, 1, 0, 0}));
}

// The selector's menus answer Alt and their letter.
TEST_F(ShellTest, AltHOpensHelpAndAltAShowsAbout) {
  TaskWindow* selector = startUp();
  selector->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(selector));
  QTest::keyClick(selector, Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(platform().help.opened.size(), 1);
  QTest::keyClick(selector, Qt::Key_A, Qt::AltModifier);
  EXPECT_NE(AboutVeltrano::AboutScreen(), nullptr);
}

TEST_F(ShellTest, AWorksheetThatCannotLoadIsReportedThenEverythingEnds) {
  factories[0] = []() -> QWidget* { raise(ErrorNumber::FileNotFound, "P100008.txt"); };
  TaskWindow* selector = startUp("!");  // so that the restore shows
  platform().messages.expect(MessageAnswer::Ok);
  child<QPushButton>(selector, "cmdOK")->click();
  EXPECT_TRUE(platform().messages.shown.back().text.startsWith("Run-time error '53':"));
  EXPECT_TRUE(UnloadAll::ProgramEnded() && visibleWindows().isEmpty());
  EXPECT_EQ(platform().decimal.separator, "!");
}

TEST_F(ShellTest, HelpOpensOrtanoFromTheProgramFolder) {
  veltrano::platform().programFolder = path("program");
  child<QAction>(startUp(), "mnuHelp")->trigger();
  EXPECT_EQ(platform().help.opened, QStringList{path("program") + "/ortano.chm"});
}

}  // namespace
