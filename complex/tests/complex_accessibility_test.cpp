#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <iostream>

#include "common/testing/accessibility_check.h"
#include "common/testing/window_test.h"
#include "complex/complex_figure.h"
#include "complex/complex_window.h"

using namespace veltrano;
using namespace veltrano::testing;
using namespace veltrano::complex;

namespace {

class ComplexAccessibilityTest : public WindowTest {};

TEST_F(ComplexAccessibilityTest, EveryControlAndResultIsNamedForAListener) {
  ComplexWindow window;
  // Symbols spelled out; every other control is checked for a name below.
  expectSpokenNames(&window, {{"txtA", "Real part of x"},
                              {"lblYtoX", "y to the power x"},
                              {"lstResults", "nth roots of x"},
                              {"lblStatus", "Status"},
                              {"picFigure", "Figure"}});
  expectEveryControlNamed(&window);
  // A result is read with its value.
  retype(child<QLineEdit>(&window, "txtA"), "3");
  retype(child<QLineEdit>(&window, "txtC"), "1");
  EXPECT_TRUE(spokenName(child<QLabel>(&window, "lblSum")).startsWith("x plus y: 4"))
      << spokenName(child<QLabel>(&window, "lblSum")).toStdString();
}

TEST_F(ComplexAccessibilityTest, TheFigureIsToldInWords) {
  ShownComplex sum;
  sum.x = QPointF(3, 4);
  sum.y = QPointF(1, -2);
  sum.result = QPointF(4, 2);
  sum.resultText = "4+2*i";
  ShownComplex roots;
  roots.task = 9;
  roots.x = QPointF(-8, 0);
  roots.roots = {QPointF(1, 1.7320508075688772), QPointF(-2, 0), QPointF(1, -1.7320508075688772)};
  const struct {
    ShownComplex shown;
    QString words;
  } cases[] = {
      {sum, "Complex plane with x = 3 + 4i, y = 1 - 2i; result 4 + 2i"},
      {roots,
       "Complex plane with x = -8 + 0i; 3 roots on the circle of radius 2, the first at 1 + "
       "1.73205080756888i"},
  };
  for (const auto& c : cases) EXPECT_EQ(complexFigure(c.shown).description, c.words);
}

TEST_F(ComplexAccessibilityTest, TextsReadUnderADarkTheme) {
  DarkTheme dark;
  ComplexWindow window;
  child<QLineEdit>(&window, "txtA")->setText("3");
  const SmallestContrast smallest = smallestTextContrast(&window);
  std::cout << "smallest contrast " << smallest.ratio << " at " << smallest.where.toStdString() << "\n";
  EXPECT_GE(smallest.ratio, 4.5) << smallest.where.toStdString();
}

}  // namespace
