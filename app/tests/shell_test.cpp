#include <gtest/gtest.h>
#include <QCloseEvent>
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

// How a task is chosen in the selector: with the mouse, or by checking its
// option and pressing a key (Return, or Enter on the keypad) on it. None: the
// selector is closed instead.
enum class Way { None, ClickAndOk, DoubleClick, Key };

// The real shell on the fake platform, with stub worksheets and an event loop
// exit that is only counted.
class ShellTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    veltrano::platform().shell = &shell_;
    for (int task = 0; task < kWorksheetCount; ++task) {
      factories[task] = [this, task]() -> QWidget* {
        ++created[task];
        return new StubWorksheet(task);
      };
    }
    newRun();
  }
  void TearDown() override {
    flushDeletes();
    WindowTest::TearDown();
  }

  // Deletes the unloaded windows, as the event loop's next turn would.
  static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // A new run of the program: nothing loaded or created, no separator read.
  void newRun() {
    flushDeletes();
    UnloadAll::BeginRun([this] { ++exits; });
    DecimalPoint::SavedDecimalSeparator.clear();
    created = {};
    exits = 0;
  }

  // Starts up to the active selector. Any separator but a full stop brings
  // the warning, answered Yes here.
  TaskWindow* startUp(const QString& separator = ".") {
    platform().decimal.separator = separator;
    if (separator != ".") platform().messages.expect(MessageAnswer::Yes);
    EXPECT_TRUE(SubMain::Main(factories));
    flushDeletes();
    TaskWindow* selector = SubMain::TaskSelector();
    selector->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(selector));
    return selector;
  }

  // Chooses a task and returns its worksheet once it has opened (the button
  // takes its pressed look before it clicks).
  static QWidget* choose(TaskWindow* selector, int task, Way way, Qt::Key key = Qt::Key_Return) {
    QRadioButton* option = indexedGroup<QRadioButton>(selector, "OptTask").at(task);
    auto* ok = child<QPushButton>(selector, "cmdOK");
    const QPoint besideTheCaption(option->width() - 4, 4);
    if (way == Way::ClickAndOk) {
      QTest::mouseClick(option, Qt::LeftButton, {}, besideTheCaption);
      QTest::mouseClick(ok, Qt::LeftButton);
    } else if (way == Way::DoubleClick) {
      QTest::mouseDClick(option, Qt::LeftButton, {}, besideTheCaption);
    } else {
      option->setChecked(true);
      QTest::keyClick(QApplication::focusWidget(), key,
                      key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return selector->worksheets().window(task) != nullptr; }));
    return selector->worksheets().window(task);
  }

  static QWidgetList visibleWindows() {
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget* window) { return !window->isVisible(); });
    return windows;
  }
  static bool splashAlone() {
    const AboutWindow* about = AboutVeltrano::AboutScreen();
    return about && about->isVisible() && !SubMain::TaskSelector();
  }

  WorksheetFactories factories;
  std::array<int, kWorksheetCount> created{};
  int exits = 0;

 private:
  ShellCommands shell_;
};

// Work held back from the way to the first window runs once the splash is
// painted, before its wait; the splash shows alone for both, then only the
// selector shows. The wait counts time, not the clock's second hand.
TEST_F(ShellTest, SplashShowsAloneForItsWorkAndMoreThanTwoSecondsThenOnlyTheSelector) {
  // The clock's pause is all that runs during the wait: look from there.
  struct WatchingClock : FakeClock {
    void pause() override {
      FakeClock::pause();
      if (splashAlone()) ++pausesAlone;
    }
    int pausesAlone = 0;
  } clock;
  veltrano::platform().clock = &clock;
  clock.stepMs = 20;
  clock.time = QDateTime(QDate(2026, 3, 1), QTime(23, 59, 58, 999));
  const QDateTime begin = clock.time;
  int runs = 0, runsAlone = 0;
  EXPECT_TRUE(SubMain::Main(factories, [&] {
    ++runs;
    runsAlone += splashAlone() && clock.pauses == 0;
  }));
  EXPECT_EQ(std::pair(runs, runsAlone), std::pair(1, 1));
  EXPECT_EQ(clock.pausesAlone, clock.pauses);
  const qint64 waited = begin.msecsTo(clock.time);
  EXPECT_TRUE(waited > 2000 && waited < 3020) << waited;
  flushDeletes();
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_EQ(visibleWindows(), QWidgetList{SubMain::TaskSelector()});
}

// What Yes leads to, up to the end, is in the run table.
TEST_F(ShellTest, CommaWarningDeclinedEndsAtOnceWithNothingChanged) {
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
    platform().decimal.separator = ",";
    platform().messages.expect(answer);
    EXPECT_FALSE(SubMain::Main(factories));
    const MessageRequest& box = platform().messages.shown.back();
    EXPECT_TRUE(box.buttons == MessageButtons::YesNoCancel && box.critical);
    EXPECT_TRUE(UnloadAll::ProgramEnded() && QApplication::topLevelWidgets().isEmpty());
    EXPECT_EQ(platform().decimal.writes, 0);
    EXPECT_EQ(platform().clock.pauses, 0) << "the splash wait ran";
  }
}

// The selector's menus answer Alt and their letter: Help opens the
// program's own help file, from the program folder. About prints its ten
// lines below those already there, whether from the selector or a
// worksheet, till a click closes it. The selector stays.
TEST_F(ShellTest, AltHOpensOrtanoAndAboutPrintsBlocksOneBelowTheOtherTillAClick) {
  veltrano::platform().programFolder = path("program");
  TaskWindow* selector = startUp();
  QTest::keyClick(selector, Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(platform().help.opened, QStringList{path("program") + "/ortano.chm"});
  QTest::keyClick(selector, Qt::Key_A, Qt::AltModifier);
  veltrano::platform().shell->showAboutScreen();
  AboutWindow* about = AboutVeltrano::AboutScreen();
  ASSERT_NE(about, nullptr);
  const auto& lines = about->printedLines();
  ASSERT_EQ(lines.size(), 20u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].text, lines[i % 10].text) << i;
    EXPECT_EQ(lines[i].y, static_cast<int>(i) * about->lineHeight()) << i;
  }
  QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(600, 450));
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_EQ(visibleWindows(), QWidgetList{selector});
  EXPECT_FALSE(UnloadAll::ProgramEnded());
}

// A run from start to end. The focus starts on the option the tab order puts
// first; the selector hides for good. Closing either main window puts back
// the separator read at the start, up to a zero character; the nested
// shutdowns change nothing.
TEST_F(ShellTest, EachRunOpensTheChosenWorksheetOnceAndEndsWithTheSeparatorPutBack) {
  const struct {
    const char* name;
    std::u16string read;  // the separator the system has
    Way way;
    Qt::Key key;
    int task;
    bool aboutOpen;
  } cases[] = {
      {"selector closed with About open", u",", Way::None, {}, 0, true},
      {"selector closed, a blank after the point", u". ", Way::None, {}, 0, false},
      {"click beside the caption and OK", u"\u066B", Way::ClickAndOk, {}, 1, false},
      {"double click, About open", u"", Way::DoubleClick, {}, 2, true},
      {"Return", std::u16string(u",\0\0", 3), Way::Key, Qt::Key_Return, 3, false},
      {"keypad Enter", u".", Way::Key, Qt::Key_Enter, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    newRun();
    const QString read = QString::fromStdU16String(c.read);
    const QString saved = read.left(read.indexOf(QChar(0)));
    TaskWindow* selector = startUp(read);
    const QList<QRadioButton*> options = indexedGroup<QRadioButton>(selector, "OptTask");
    ASSERT_EQ(options.size(), kWorksheetCount);
    EXPECT_TRUE(options[0]->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), options[3]) << "not on \"Complex numbers\"";
    QWidget* closing = selector;
    if (c.way != Way::None) {
      closing = choose(selector, c.task, c.way, c.key);
      ASSERT_NE(closing, nullptr);
      EXPECT_EQ(closing->property("task").toInt(), c.task);
      EXPECT_EQ(visibleWindows(), QWidgetList{closing});
      child<QPushButton>(selector, "cmdOK")->click();
      for (int other = 0; other < kWorksheetCount; ++other)
        EXPECT_EQ(created[other], other == c.task ? 1 : 0);
      EXPECT_FALSE(selector->isVisible() || UnloadAll::ProgramEnded());
    }
    if (c.aboutOpen) AboutVeltrano::ShowAboutScreen();
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
}

// Up and Down choose the option above or below the one with the focus, take
// the focus along and stop at either end, whichever option was chosen
// before; OK then opens the task chosen last. A worksheet that cannot load
// is reported, then everything ends.
TEST_F(ShellTest, ArrowKeysChooseTheTaskOkOpensAndOneThatCannotLoadEndsEverything) {
  factories[1] = []() -> QWidget* { raise(ErrorNumber::FileNotFound, "P100008.txt"); };
  TaskWindow* selector = startUp("!");  // so that the restore shows
  const QList<QRadioButton*> options = indexedGroup<QRadioButton>(selector, "OptTask");
  options[3]->setFocus();  // while option 0 is chosen
  const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Down, 4}, {Qt::Key_Down, 4}, {Qt::Key_Up, 3},
                                           {Qt::Key_Up, 2},   {Qt::Key_Up, 1},   {Qt::Key_Up, 0},
                                           {Qt::Key_Up, 0},   {Qt::Key_Down, 1}};
  for (const auto& [key, chosen] : steps) {
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_TRUE(options[chosen]->isChecked() && options[chosen]->hasFocus()) << chosen;
  }
  platform().messages.expect(MessageAnswer::Ok);
  child<QPushButton>(selector, "cmdOK")->click();
  EXPECT_TRUE(platform().messages.shown.back().text.startsWith("Run-time error '53':"));
  EXPECT_TRUE(UnloadAll::ProgramEnded() && visibleWindows().isEmpty());
  EXPECT_EQ(platform().decimal.separator, "!");
}

}  // namespace
