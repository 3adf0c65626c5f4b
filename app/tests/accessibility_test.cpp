#include <gtest/gtest.h>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <iostream>

#include "app/about_screen.h"
#include "app/task_window.h"
#include "common/testing/accessibility_check.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class ShellAccessibilityTest : public WindowTest {
 protected:
  static WorksheetFactories stubs() {
    WorksheetFactories factories;
    for (auto& factory : factories) factory = [] { return new QWidget; };
    return factories;
  }
};

TEST_F(ShellAccessibilityTest, TheSelectorAndAboutAreNamedForAListener) {
  TaskWindow selector(stubs());
  expectSpokenNames(&selector, {{"frmTask", "Veltrano: select type of problem to solve"},
                                {"cmdOK", "OK, open the selected worksheet"}});
  for (QRadioButton* option : indexedGroup<QRadioButton>(&selector, "OptTask"))
    EXPECT_EQ(spokenName(option), QString(option->text()).remove('&'));
  expectEveryControlNamed(&selector);

  AboutWindow about;
  about.print("Veltrano");
  about.print("Version 1.0");
  EXPECT_EQ(spokenName(&about), "About Veltrano");
  EXPECT_EQ(spokenDescription(&about), "Veltrano\nVersion 1.0");
}

TEST_F(ShellAccessibilityTest, TheSelectorAndAboutOpenCentredOnTheScreen) {
  TaskWindow selector(stubs());
  AboutWindow about;
  for (QWidget* window : std::initializer_list<QWidget*>{&selector, &about}) {
    const QRect area = window->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(window->geometry())) << window->objectName().toStdString();
    // Centred with room for the caption the window manager adds.
    EXPECT_LE((window->geometry().center() - area.center()).manhattanLength(), 32);
  }
}

TEST_F(ShellAccessibilityTest, TheSelectorReadsUnderADarkTheme) {
  DarkTheme dark;
  TaskWindow selector(stubs());
  const SmallestContrast smallest = smallestTextContrast(&selector);
  std::cout << "smallest contrast " << smallest.ratio << " at " << smallest.where.toStdString() << "\n";
  EXPECT_GE(smallest.ratio, 4.5) << smallest.where.toStdString();
}

}  // namespace
