#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>
#include <iostream>

#include "bases/bases_window.h"
#include "common/result_list.h"
#include "common/testing/accessibility_check.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class BasesAccessibilityTest : public WindowTest {};

TEST_F(BasesAccessibilityTest, EveryControlIsNamedForAListener) {
  bases::BasesWindow window;
  expectSpokenNames(&window, {{"txtBase", "Enter BASE"},
                              {"txtNumber", "Enter NUMBER"},
                              {"cmdConvert", "Convert"},
                              {"lstResults", "Conversions"},
                              {"lblStatus", "Status"}});
  expectEveryControlNamed(&window);
}

TEST_F(BasesAccessibilityTest, TextsReadUnderADarkTheme) {
  DarkTheme dark;
  bases::BasesWindow window;
  child<QLineEdit>(&window, "txtNumber")->setText("255");
  child<QPushButton>(&window, "cmdConvert")->click();
  const SmallestContrast smallest = smallestTextContrast(&window);
  std::cout << "smallest contrast " << smallest.ratio << " at " << smallest.where.toStdString() << "\n";
  EXPECT_GE(smallest.ratio, 4.5) << smallest.where.toStdString();
}

}  // namespace
