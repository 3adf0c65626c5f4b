#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

#include "app/about_screen.h"
#include "app/tests/shell_fixture.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class AboutTest : public ShellTest {};

TEST_F(AboutTest, TwoCallsPrintTwoBlocksOfTenLinesOneBelowTheOther) {
  AboutVeltrano::ShowAboutScreen();
  AboutWindow* about = AboutVeltrano::AboutScreen();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->objectName(), "frmAbout");
  EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(about->size(), QSize(640, 480));
  EXPECT_EQ(style::background(about), style::Black);

  QStringList first;
  const QFontMetrics metrics(about->font());
  for (const auto& line : about->printedLines()) {
    first << line.text;
    EXPECT_LE(metrics.horizontalAdvance(line.text), about->width()) << line.text.toStdString();
    EXPECT_LE(line.y + about->lineHeight(), about->height());
  }
  EXPECT_EQ(first, QStringList({"", "", "", "Veltrano", "", "Copyright (C) 2026 Veltrano", "",
                                "All rights reserved.", "", "www.veltrano.org"}));

  AboutVeltrano::ShowAboutScreen();
  EXPECT_EQ(AboutVeltrano::AboutScreen(), about);
  const auto& lines = about->printedLines();
  ASSERT_EQ(lines.size(), 20u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].y, static_cast<int>(i) * about->lineHeight()) << i;
    EXPECT_EQ(lines[i].text, first[i % 10]);
  }
}

TEST_F(AboutTest, AClickClosesItAndLeavesTheWorksheetOpen) {
  TaskWindow* selector = startUp();
  child<QPushButton>(selector, "cmdOK")->click();
  QWidget* sheet = selector->worksheets().window(0);
  veltrano::platform().shell->showAboutScreen();  // the worksheet's About
  const int writes = platform().decimal.writes;

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
  EXPECT_EQ(platform().decimal.writes, writes);
}

// Closing either main window ends the program the same way, with the About
// screen open or not; the nested shutdowns change nothing.
struct CloseCase {
  const char* name;
  bool closeWorksheet;
  bool aboutOpen;
};

class ShutDownTest : public ShellTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ShutDownTest, RestoresTheSeparatorUnloadsEverythingAndEnds) {
  TaskWindow* selector = startUpWith(";;");
  QWidget* closing = selector;
  if (GetParam().closeWorksheet) {
    child<QPushButton>(selector, "cmdOK")->click();
    closing = selector->worksheets().window(0);
  }
  if (GetParam().aboutOpen) AboutVeltrano::ShowAboutScreen();

  closing->close();

  EXPECT_EQ(platform().decimal.separator, ";;");
  EXPECT_TRUE(UnloadAll::ProgramEnded());
  EXPECT_GE(exits, 1);
  EXPECT_TRUE(visibleWindows().isEmpty());
  flushDeletes();
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window was left loaded";

  platform().decimal.separator = ".";  // entered once more, it ends the same way
  UnloadAll::ShutDown();
  EXPECT_EQ(platform().decimal.separator, ";;");
}

INSTANTIATE_TEST_SUITE_P(Windows, ShutDownTest,
                         ::testing::Values(CloseCase{"Selector", false, false},
                                           CloseCase{"SelectorWithAbout", false, true},
                                           CloseCase{"Worksheet", true, false},
                                           CloseCase{"WorksheetWithAbout", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
