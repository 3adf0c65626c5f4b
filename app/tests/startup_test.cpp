#include <gtest/gtest.h>
#include <QAbstractButton>

#include "app/about_screen.h"
#include "app/tests/shell_fixture.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

struct SplashCase {
  int startMs;  // the fraction of a second the wait starts on
  int stepMs;   // how far the clock moves between two readings
};

class SplashWaitTest : public ShellTest, public ::testing::WithParamInterface<SplashCase> {};

TEST_P(SplashWaitTest, EndsAfterMoreThanTwoAndAtMostThreeSeconds) {
  FakeClock& clock = platform().clock;
  clock.stepMs = GetParam().stepMs;
  clock.time = QDateTime(QDate(2026, 3, 1), QTime(23, 59, 58, GetParam().startMs));
  const QDateTime begin = clock.time;
  SubMain::WaitForSplash();
  const qint64 waited = begin.msecsTo(clock.time);
  EXPECT_GT(waited, 2000);
  EXPECT_LT(waited, 3000 + GetParam().stepMs);  // read once per step
}

INSTANTIATE_TEST_SUITE_P(StartFractions, SplashWaitTest,
                         ::testing::Values(SplashCase{0, 1}, SplashCase{1, 1}, SplashCase{500, 1},
                                           SplashCase{999, 1}, SplashCase{0, 20}, SplashCase{990, 20},
                                           SplashCase{999, 20}, SplashCase{333, 7}));

class StartUpTest : public ShellTest {};

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

  EXPECT_TRUE(platform().messages.shown.empty());
  EXPECT_EQ(clock.splashAlone, clock.pauses);
  EXPECT_GT(clock.pauses, 0);
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{selector});
  EXPECT_EQ(UnloadAll::LoadedWindows(), QList<QWidget*>{selector});
  EXPECT_EQ(platform().decimal.writes, 0);
  EXPECT_EQ(exits, 0);
}

TEST_F(StartUpTest, CommaWarningThenYesKeepsAFullStopUntilTheEnd) {
  TaskWindow* selector = startUpWith(",");

  ASSERT_EQ(platform().messages.shown.size(), 1u);
  const MessageRequest& box = platform().messages.shown.front();
  EXPECT_EQ(box.title, "Decimal Comma Warning!");
  EXPECT_EQ(box.buttons, MessageButtons::YesNoCancel);
  EXPECT_TRUE(box.critical);
  EXPECT_EQ(
      box.text.split('\r'),
      QStringList({"Proper operation of this application requires the use of the DECIMAL POINT.",
                   "Your system is currently using the DECIMAL COMMA.", "",
                   "Do you wish to temporarily change this system setting to decimal point?",
                   "(Upon exiting, this application will restore your setting.)",
                   "(See HELP FILE or visit www.veltrano.org for instructions on how to change MANUALLY)", "",
                   "Press YES to change."}));
  EXPECT_FALSE(box.text.contains('\n'));

  EXPECT_EQ(platform().decimal.separator, ".");
  selector->findChild<QAbstractButton*>("cmdOK")->click();
  EXPECT_EQ(platform().decimal.separator, ".");
  selector->worksheets().window(0)->close();
  EXPECT_EQ(platform().decimal.separator, ",");
  EXPECT_TRUE(UnloadAll::ProgramEnded());
}

class DeclineTest : public ShellTest, public ::testing::WithParamInterface<MessageAnswer> {};

TEST_P(DeclineTest, EndsAtOnceWithNothingChangedAndNoWindow) {
  platform().decimal.separator = ",";
  platform().messages.expect(GetParam());
  EXPECT_FALSE(SubMain::Main(factories));
  EXPECT_TRUE(UnloadAll::ProgramEnded());
  EXPECT_EQ(platform().decimal.writes, 0);
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  EXPECT_EQ(platform().clock.pauses, 0) << "the splash wait ran";
}

INSTANTIATE_TEST_SUITE_P(Answers, DeclineTest, ::testing::Values(MessageAnswer::No, MessageAnswer::Cancel));

// Any separator but a full stop warns; the text read, up to a zero character,
// is what comes back at the end.
struct SeparatorCase {
  std::u16string read;
  std::u16string saved;
};

class SeparatorTest : public ShellTest, public ::testing::WithParamInterface<SeparatorCase> {};

TEST_P(SeparatorTest, IsReadWholeAndRestoredExactly) {
  const QString saved = QString::fromStdU16String(GetParam().saved);
  TaskWindow* selector = startUpWith(QString::fromStdU16String(GetParam().read));
  EXPECT_EQ(DecimalPoint::SavedDecimalSeparator, saved);
  EXPECT_EQ(platform().decimal.separator, ".");
  selector->close();
  EXPECT_EQ(platform().decimal.separator, saved);
}

INSTANTIATE_TEST_SUITE_P(Separators, SeparatorTest,
                         ::testing::Values(SeparatorCase{u",", u","}, SeparatorCase{u"", u""},
                                           SeparatorCase{u"\u066B", u"\u066B"}, SeparatorCase{u",,", u",,"},
                                           SeparatorCase{u". ", u". "},
                                           SeparatorCase{std::u16string(u",\0\0", 3), u","}));

}  // namespace
