#include <gtest/gtest.h>
#include <QtMath>
#include <cmath>
#include <iostream>

#include "circles/circle_figure.h"
#include "circles/circles_window.h"
#include "circles/tests/circle_cases.h"
#include "common/testing/accessibility_check.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;
using namespace veltrano::circles;

using veltrano::circles::testing::circle;

namespace {

class CirclesAccessibilityTest : public WindowTest {};

TEST_F(CirclesAccessibilityTest, EveryControlIsNamedForAListener) {
  CirclesWindow window;
  expectSpokenNames(&window, {{"txtRadius", "Radius"},
                              {"txtArc", "Arc"},
                              {"txtChord", "Chord"},
                              {"txtCA", "Central angle, degrees"},
                              {"txtSector", "Sector area"},
                              {"txtSegment", "Segment area"},
                              {"Frame1", "Radius, arc, chord and central angle problems"},
                              {"lblStatus", "Status"},
                              {"picFigure", "Figure"}});
  expectEveryControlNamed(&window);
}

TEST_F(CirclesAccessibilityTest, TheFigureIsToldInWords) {
  const struct {
    double radius, degrees;
    QString words;
  } cases[] = {
      {2, 180,
       "Circle of radius 2, central angle 180 degrees, half circle; arc 6.28319, chord 4, sector area "
       "6.28319, segment area 6.28319"},
      {2, 250,
       "Circle of radius 2, central angle 250 degrees, major arc; arc 8.72665, chord 3.27661, sector area "
       "8.72665, segment area 10.606"},
      {1, 60,
       "Circle of radius 1, central angle 60 degrees, minor arc; arc 1.0472, chord 1, sector area 0.523599, "
       "segment area 0.0905861"},
  };
  for (const auto& c : cases) EXPECT_EQ(circleFigure(circle(c.radius, c.degrees)).description, c.words);
}

TEST_F(CirclesAccessibilityTest, TextsReadUnderADarkTheme) {
  DarkTheme dark;
  CirclesWindow window;
  const SmallestContrast smallest = smallestTextContrast(&window);
  std::cout << "smallest contrast " << smallest.ratio << " at " << smallest.where.toStdString() << "\n";
  EXPECT_GE(smallest.ratio, 4.5) << smallest.where.toStdString();
}

}  // namespace
