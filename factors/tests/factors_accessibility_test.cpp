#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <iostream>

#include "common/result_list.h"
#include "common/testing/accessibility_check.h"
#include "common/testing/window_test.h"
#include "factors/factors_window.h"

using namespace veltrano;
using namespace veltrano::testing;
using veltrano::factors::FactorsWindow;

namespace {

class FactorsAccessibilityTest : public WindowTest {};

TEST_F(FactorsAccessibilityTest, EveryControlIsNamedForAListener) {
  FactorsWindow window;
  expectSpokenNames(&window, {{"txtNumber", "Enter number to be factored"},
                              {"cmdFactor", "Factor"},
                              {"lstFactors", "Prime factors"},
                              {"lblStatus", "Status"}});
  expectEveryControlNamed(&window);
}

// The newest row is the list's current item, read first when the list gets
// the focus, with its text.
TEST_F(FactorsAccessibilityTest, TheNewRowIsTheOneReadOnTheList) {
  FactorsWindow window;
  auto* list = child<ResultList>(&window, "lstFactors");
  for (const char* number : {"12", "35"}) {
    child<QLineEdit>(&window, "txtNumber")->setText(number);
    child<QPushButton>(&window, "cmdFactor")->click();
    ASSERT_TRUE(list->currentIndex().isValid());
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_EQ(list->currentIndex().data().toString(), list->row(0)) << "the row as an item with its text";
    EXPECT_TRUE(list->row(0).contains(number)) << list->row(0).toStdString();
  }
  EXPECT_TRUE(list->selectionModel()->selectedIndexes().isEmpty()) << "current, not selected";
}

TEST_F(FactorsAccessibilityTest, TextsReadUnderADarkTheme) {
  DarkTheme dark;
  FactorsWindow window;
  child<QLineEdit>(&window, "txtNumber")->setText("360");
  child<QPushButton>(&window, "cmdFactor")->click();
  const SmallestContrast smallest = smallestTextContrast(&window);
  std::cout << "smallest contrast " << smallest.ratio << " at " << smallest.where.toStdString() << "\n";
  EXPECT_GE(smallest.ratio, 4.5) << smallest.where.toStdString();
}

}  // namespace
