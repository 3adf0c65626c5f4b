#include <QAbstractButton>
#include <QStringList>
#include <gtest/gtest.h>

#include "app/about_screen.h"
#include "app/tests/shell_fixture.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class StartUpTest : public ShellTest {};

struct SplashCase {
  int startMs;  // the fraction of a second the wait starts on
  int stepMs;   // how far the clock moves between two readings
};

class SplashWaitTest : public ShellTest, public ::testing::WithParamInterface<SplashCase> {};

TEST_P(SplashWaitTest, EndsAfterMoreThanTwoAndAtMostThreeSeconds) {
  const SplashCase c = GetParam();
  FakeClock& clock = platform().clock;
  clock.stepMs = c.stepMs;
  clock.time = QDateTime(QDate(2026, 3, 1), QTime(23, 59, 58, c.startMs));
  const QDateTime begin = clock.time;

  SubMain::WaitForSplash();

  const qint64 waited = begin.msecsTo(clock.time);
  EXPECT_GT(waited, 2000);
  // The clock is read once per step, so the end may lie within one step of it.
  EXPECT_LT(waited, 3000 + c.stepMs);
}

INSTANTIATE_TEST_SUITE_P(StartFractions, SplashWaitTest,
                         ::testing::Values(SplashCase{0, 1}, SplashCase{1, 1}, SplashCase{500, 1},
                                           SplashCase{998, 1}, SplashCase{999, 1}, SplashCase{0, 20},
                                           SplashCase{990, 20}, SplashCase{999, 20},
                                           SplashCase{333, 7}));

TEST_F(StartUpTest, FullStopStartsWithoutBoxAndShowsOnlyTheSelectorAfterTheSplash) {
  const QDateTime begin = platform().clock.time;
  TaskWindow* selector = startUp();

  ASSERT_NE(selector, nullptr);
  EXPECT_TRUE(platform().messages.shown.empty());
  EXPECT_EQ(DecimalPoint::SavedDecimalSeparator, ".");
  const qint64 waited = begin.msecsTo(platform().clock.time);
  EXPECT_GT(waited, 2000);
  EXPECT_LE(waited, 3000);
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr) << "the splash stays after start-up";
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{selector});
  EXPECT_EQ(selector->windowTitle(), "Veltrano");
  EXPECT_EQ(UnloadAll::LoadedWindows(), QList<QWidget*>{selector});
  EXPECT_FALSE(UnloadAll::ProgramEnded());
  EXPECT_EQ(exits, 0);
}

TEST_F(StartUpTest, SplashIsTheAboutScreenWhileTheClockRuns) {
  // The clock's pause is the only thing that runs during the wait; look at
  // the windows from there.
  struct WatchingClock : FakeClock {
    void pause() override {
      FakeClock::pause();
      if (AboutVeltrano::AboutScreen() && AboutVeltrano::AboutScreen()->isVisible()) ++splashSeen;
      if (SubMain::TaskSelector()) ++selectorSeen;
    }
    int splashSeen = 0;
    int selectorSeen = 0;
  } clock;
  veltrano::platform().clock = &clock;

  startUp();

  EXPECT_GT(clock.splashSeen, 0);
  EXPECT_EQ(clock.selectorSeen, 0);
  EXPECT_EQ(clock.splashSeen, clock.pauses);
}

TEST_F(StartUpTest, CommaWarningHasItsExactTextButtonsAndIcon) {
  platform().decimal.separator = ",";
  platform().messages.expect(MessageAnswer::Yes);
  startUp();

  ASSERT_EQ(platform().messages.shown.size(), 1u);
  const MessageRequest& box = platform().messages.shown.front();
  EXPECT_EQ(box.title, "Decimal Comma Warning!");
  EXPECT_EQ(box.buttons, MessageButtons::YesNoCancel);
  EXPECT_TRUE(box.critical);
  const QStringList expected{
      "Proper operation of this application requires the use of the DECIMAL POINT.",
      "Your system is currently using the DECIMAL COMMA.",
      "",
      "Do you wish to temporarily change this system setting to decimal point?",
      "(Upon exiting, this application will restore your setting.)",
      "(See HELP FILE or visit www.veltrano.org for instructions on how to change MANUALLY)",
      "",
      "Press YES to change."};
  EXPECT_EQ(box.text, expected.join('\r'));
  EXPECT_FALSE(box.text.contains('\n'));
}

TEST_F(StartUpTest, YesSwitchesToAFullStopUntilTheProgramEnds) {
  platform().decimal.separator = ",";
  platform().messages.expect(MessageAnswer::Yes);
  TaskWindow* selector = startUp();

  EXPECT_EQ(platform().decimal.separator, ".");
  EXPECT_EQ(DecimalPoint::SavedDecimalSeparator, ",");
  child<QAbstractButton>(selector, "cmdOK")->click();
  EXPECT_EQ(platform().decimal.separator, ".") << "choosing a task must not restore the comma";

  selector->worksheets().window(0)->close();
  EXPECT_EQ(platform().decimal.separator, ",");
  EXPECT_TRUE(UnloadAll::ProgramEnded());
}

class DeclineTest : public ShellTest, public ::testing::WithParamInterface<MessageAnswer> {};

TEST_P(DeclineTest, NoOrCancelEndsAtOnceWithNothingChangedAndNoWindow) {
  platform().decimal.separator = ",";
  platform().messages.expect(GetParam());

  EXPECT_FALSE(SubMain::Main(factories));

  EXPECT_TRUE(UnloadAll::ProgramEnded());
  EXPECT_EQ(platform().decimal.writes, 0);
  EXPECT_EQ(platform().decimal.separator, ",");
  EXPECT_EQ(SubMain::TaskSelector(), nullptr);
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  EXPECT_EQ(platform().clock.pauses, 0) << "the splash wait ran";
}

INSTANTIATE_TEST_SUITE_P(Answers, DeclineTest, ::testing::Values(MessageAnswer::No, MessageAnswer::Cancel));

// Any separator but a full stop warns, and the very text read comes back.
class SeparatorTest : public ShellTest, public ::testing::WithParamInterface<const char16_t*> {};

TEST_P(SeparatorTest, IsReadWholeAndRestoredExactly) {
  const QString separator = QString::fromUtf16(GetParam());
  platform().decimal.separator = separator;
  platform().messages.expect(MessageAnswer::Yes);
  TaskWindow* selector = startUp();
  EXPECT_EQ(DecimalPoint::SavedDecimalSeparator, separator);
  EXPECT_EQ(platform().decimal.separator, ".");

  selector->close();

  EXPECT_EQ(platform().decimal.separator, separator);
  EXPECT_TRUE(UnloadAll::ProgramEnded());
}

INSTANTIATE_TEST_SUITE_P(Separators, SeparatorTest,
                         ::testing::Values(u",", u"", u"\u066B", u",,", u". ", u" ,"));

TEST_F(StartUpTest, ReadingStopsAtTheFirstZeroCharacter) {
  platform().decimal.separator = QString::fromUtf16(u",\0\0", 3);
  platform().messages.expect(MessageAnswer::Yes);
  startUp();
  EXPECT_EQ(DecimalPoint::SavedDecimalSeparator, ",");
}

TEST_F(StartUpTest, FullStopFromTheStartIsWrittenBackAtTheEnd) {
  TaskWindow* selector = startUp();
  EXPECT_EQ(platform().decimal.writes, 0);
  selector->close();
  EXPECT_GE(platform().decimal.writes, 1);
  EXPECT_EQ(platform().decimal.separator, ".");
}

}  // namespace
