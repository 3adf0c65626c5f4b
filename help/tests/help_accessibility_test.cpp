#include <gtest/gtest.h>
#include <QApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <iostream>

#include "common/testing/accessibility_check.h"
#include "common/testing/window_test.h"
#include "help/viewer/chm_browser.h"
#include "help/viewer/chm_help_viewer.h"
#include "help/viewer/help_window.h"

namespace veltrano::help {
namespace {

constexpr char kTriangles[] = VELTRANO_HELP_FOLDER "/Triangle.chm";

class HelpAccessibilityTest : public veltrano::testing::WindowTest {
 protected:
  HelpWindow* open() {
    viewer.showContents(nullptr, kTriangles);
    HelpWindow* window = viewer.window();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return window;
  }
  ChmHelpViewer viewer;
};

// F6 and Shift+F6 move between the contents and the page, and so does Tab
// from the contents; both are named, and the page has headings to jump to.
TEST_F(HelpAccessibilityTest, ContentsAndPageAreReachedByKeyboard) {
  HelpWindow* window = open();
  testing::expectSpokenNames(window, {{"tvwContents", "Contents"}, {"brwTopic", "Help page"}});
  window->contents()->setFocus();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QWidget* to;
  } steps[] = {{Qt::Key_F6, Qt::NoModifier, window->browser()},
               {Qt::Key_F6, Qt::NoModifier, window->contents()},
               {Qt::Key_F6, Qt::ShiftModifier, window->browser()},
               {Qt::Key_F6, Qt::ShiftModifier, window->contents()},
               {Qt::Key_Tab, Qt::NoModifier, window->browser()}};
  for (const auto& step : steps) {
    QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
    EXPECT_EQ(QApplication::focusWidget(), step.to) << step.key;
  }
  EXPECT_TRUE(window->browser()->toHtml().contains(QRegularExpression("<h[12]")));
}

// Opened with no owner, the window lies wholly on the screen, however small.
TEST_F(HelpAccessibilityTest, OpensWhollyOnTheScreen) {
  const HelpWindow* window = open();
  const QRect area = window->screen()->availableGeometry();
  const QRect frame = window->frameGeometry();
  EXPECT_TRUE(area.contains(frame)) << area.width() << "x" << area.height() << " holds no " << frame.x()
                                    << "," << frame.y() << " " << frame.width() << "x" << frame.height();
}

TEST_F(HelpAccessibilityTest, TextsReadUnderADarkTheme) {
  testing::DarkTheme dark;
  HelpWindow* window = open();
  const testing::SmallestContrast smallest = testing::smallestTextContrast(window);
  std::cout << "smallest contrast " << smallest.ratio << " at " << smallest.where.toStdString() << "\n";
  EXPECT_GE(smallest.ratio, 4.5) << smallest.where.toStdString();
}

}  // namespace
}  // namespace veltrano::help
