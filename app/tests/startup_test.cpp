#include <gtest/gtest.h>

#include "app/about_screen.h"
#include "app/tests/shell_fixture.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class StartUpTest : public ShellTest {};

TEST_F(StartUpTest, SplashWaitEndsAfterMoreThanTwoAndAtMostThreeSecondsWhateverTheStart) {
  const struct {
    int startMs;  // the fraction of a second the wait starts on
    int stepMs;   // how far the clock moves between two readings
  } cases[] = {{0, 1}, {1, 1}, {500, 1}, {999, 1}, {0, 20}, {990, 20}, {999, 20}, {333, 7}};
  FakeClock& clock = platform().clock;
  for (const auto& c : cases) {
    clock.stepMs = c.stepMs;
    clock.time = QDateTime(QDate(2026, 3, 1), QTime(23, 59, 58, c.startMs));
    const QDateTime begin = clock.time;
    SubMain::WaitForSplash();
    const qint64 waited = begin.msecsTo(clock.time);
    EXPECT_GT(waited, 2000) << c.startMs;
    EXPECT_LT(waited, 3000 + c.stepMs) << c.startMs;  // read once per step
  }
}

TEST_F(StartUpTest, ShowsTheSplashDuringTheWaitThenOnlyTheSelector) {
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

// What Yes leads to, up to the end, is in the shutdown tests.
TEST_F(StartUpTest, CommaWarningAsksWithTheWholeText) {
  startUpWith(",");

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

class DeclineTest : public ShellTest, public ::testing::WithParamInterface<MessageAnswer> {};

TEST_P(DeclineTest, EndsAtOnceWithNothingChangedAndNoWindow) {
  platform().decimal.separator = ",";
  platform().messages.expect(GetParam());
  EXPECT_FALSE(SubMain::Main(factories));
  EXPECT_TRUE(UnloadAll::ProgramEnded() && QApplication::topLevelWidgets().isEmpty());
  EXPECT_EQ(platform().decimal.writes, 0);
  EXPECT_EQ(platform().clock.pauses, 0) << "the splash wait ran";
}

INSTANTIATE_TEST_SUITE_P(Answers, DeclineTest, ::testing::Values(MessageAnswer::No, MessageAnswer::Cancel));

}  // namespace
