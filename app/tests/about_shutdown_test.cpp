#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/about_screen.h"
#include "app/tests/shell_fixture.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class AboutTest : public ShellTest {};

QStringList texts(const std::vector<AboutWindow::PrintedLine>& lines) {
  QStringList result;
  for (const auto& line : lines) result << line.text;
  return result;
}

TEST_F(AboutTest, PrintsTheTenLinesOnABlackWindowWithoutCaption) {
  AboutVeltrano::ShowAboutScreen();
  AboutWindow* about = AboutVeltrano::AboutScreen();
  ASSERT_NE(about, nullptr);

  EXPECT_EQ(about->objectName(), "frmAbout");
  EXPECT_TRUE(about->isVisible());
  EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(about->size(), QSize(640, 480));
  EXPECT_EQ(style::background(about), style::Black);
  EXPECT_TRUE(about->font().bold());
  EXPECT_DOUBLE_EQ(about->font().pointSizeF(), 24);

  const QStringList lines = texts(about->printedLines());
  ASSERT_EQ(lines.size(), 10);
  for (int empty : {0, 1, 2, 4, 6, 8}) EXPECT_TRUE(lines[empty].isEmpty()) << empty;
  EXPECT_EQ(lines[3], "Veltrano");
  EXPECT_TRUE(lines[5].contains("Veltrano"));
  EXPECT_FALSE(lines[7].isEmpty());
  EXPECT_EQ(lines[9], "www.veltrano.org");
  const QFontMetrics metrics(about->font());
  for (const auto& line : about->printedLines()) {
    EXPECT_LE(metrics.horizontalAdvance(line.text), about->width()) << line.text.toStdString();
    EXPECT_LE(line.y + about->lineHeight(), about->height()) << "printed below the window";
  }
}

TEST_F(AboutTest, SecondCallPrintsTheBlockAgainBelowTheFirst) {
  AboutVeltrano::ShowAboutScreen();
  AboutVeltrano::ShowAboutScreen();
  AboutWindow* about = AboutVeltrano::AboutScreen();
  const auto& lines = about->printedLines();
  ASSERT_EQ(lines.size(), 20u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].y, static_cast<int>(i) * about->lineHeight()) << i;
    if (i >= 10) {
      EXPECT_EQ(lines[i].text, lines[i - 10].text);
    }
  }
  EXPECT_EQ(UnloadAll::LoadedWindows().size(), 1) << "a second About window was loaded";
}

TEST_F(AboutTest, AClickClosesItAndLeavesTheWorksheetOpen) {
  TaskWindow* selector = startUp();
  child<QPushButton>(selector, "cmdOK")->click();
  QWidget* sheet = selector->worksheets().window(0);
  veltrano::platform().shell->showAboutScreen();  // the worksheet's About
  AboutWindow* about = AboutVeltrano::AboutScreen();
  ASSERT_NE(about, nullptr);
  const int writes = platform().decimal.writes;

  QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(500, 400));
  flushDeletes();

  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_EQ(visibleWindows(), QList<QWidget*>{sheet});
  EXPECT_FALSE(UnloadAll::ProgramEnded());
  EXPECT_EQ(exits, 0);
  EXPECT_EQ(platform().decimal.writes, writes);

  // Opened again, it starts on a fresh page.
  AboutVeltrano::ShowAboutScreen();
  EXPECT_EQ(AboutVeltrano::AboutScreen()->printedLines().size(), 10u);
}

TEST_F(AboutTest, ShownAgainRightAfterAClickItIsANewWindow) {
  AboutVeltrano::ShowAboutScreen();
  QTest::mouseClick(AboutVeltrano::AboutScreen(), Qt::LeftButton);
  // Before the event loop has deleted the closed window.
  AboutVeltrano::ShowAboutScreen();
  flushDeletes();
  ASSERT_NE(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_TRUE(AboutVeltrano::AboutScreen()->isVisible());
  EXPECT_EQ(AboutVeltrano::AboutScreen()->printedLines().size(), 10u);
}

TEST_F(AboutTest, EscapeClosesItToo) {
  AboutVeltrano::ShowAboutScreen();
  QTest::keyClick(AboutVeltrano::AboutScreen(), Qt::Key_Escape);
  EXPECT_EQ(AboutVeltrano::AboutScreen(), nullptr);
  EXPECT_FALSE(UnloadAll::ProgramEnded());
}

// Closing either main window ends the program the same way, with the About
// screen open or not.
struct CloseCase {
  const char* name;
  bool chooseTask;  // close the worksheet (true) or the selector (false)
  bool aboutOpen;
};

class ShutDownTest : public ShellTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ShutDownTest, RestoresTheSeparatorUnloadsEverythingAndEnds) {
  const CloseCase c = GetParam();
  platform().decimal.separator = ";;";
  platform().messages.expect(MessageAnswer::Yes);
  TaskWindow* selector = startUp();
  QWidget* closing = selector;
  if (c.chooseTask) {
    child<QPushButton>(selector, "cmdOK")->click();
    closing = selector->worksheets().window(0);
  }
  if (c.aboutOpen) AboutVeltrano::ShowAboutScreen();
  ASSERT_EQ(platform().decimal.separator, ".");

  closing->close();

  EXPECT_EQ(platform().decimal.separator, ";;");
  EXPECT_TRUE(UnloadAll::ProgramEnded());
  EXPECT_GE(exits, 1);
  EXPECT_TRUE(visibleWindows().isEmpty());
  flushDeletes();
  EXPECT_TRUE(UnloadAll::LoadedWindows().isEmpty());
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window was left loaded";
}

INSTANTIATE_TEST_SUITE_P(Windows, ShutDownTest,
                         ::testing::Values(CloseCase{"Selector", false, false},
                                           CloseCase{"SelectorWithAbout", false, true},
                                           CloseCase{"Worksheet", true, false},
                                           CloseCase{"WorksheetWithAbout", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

class ReentryTest : public ShellTest {};

TEST_F(ReentryTest, EnteredAgainAfterTheEndItStillRestoresAndEnds) {
  platform().decimal.separator = ",";
  platform().messages.expect(MessageAnswer::Yes);
  startUp();
  UnloadAll::ShutDown();
  platform().decimal.separator = ".";
  UnloadAll::ShutDown();
  EXPECT_EQ(platform().decimal.separator, ",");
  EXPECT_TRUE(UnloadAll::ProgramEnded());
}

}  // namespace
