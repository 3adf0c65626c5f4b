#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

#include "app/about_screen.h"
#include "app/tests/shell_fixture.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class AboutTest : public ShellTest {};

TEST_F(AboutTest, TwoCallsPrintTwoBlocksOfTenLinesOneBelowTheOther) {
  AboutVeltrano::ShowAboutScreen();
  AboutVeltrano::ShowAboutScreen();
  AboutWindow* about = AboutVeltrano::AboutScreen();
  ASSERT_NE(about, nullptr);
  const QStringList block = {"", "",
                             "", "Veltrano",
                             "", "Copyright (C) 2026 Veltrano",
                             "", "All rights reserved.",
                             "", "www.veltrano.org"};
  const QFontMetrics metrics(about->font());
  const auto& lines = about->printedLines();
  ASSERT_EQ(lines.size(), 20u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].text, block[i % 10]) << i;
    EXPECT_EQ(lines[i].y, static_cast<int>(i) * about->lineHeight()) << i;
    EXPECT_LE(metrics.horizontalAdvance(lines[i].text), about->width()) << i;
  }
}

TEST_F(AboutTest, AClickClosesItAndLeavesTheWorksheetOpen) {
  TaskWindow* selector = startUp();
  child<QPushButton>(selector, "cmdOK")->click();
  QWidget* sheet = selector->worksheets().window(0);
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
  TaskWindow* selector = startUpWith(read);
  QWidget* closing = selector;
  if (GetParam().closeWorksheet) {
    child<QPushButton>(selector, "cmdOK")->click();
    closing = selector->worksheets().window(0);
  }
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

}  // namespace
