#include "common/window_place.h"

#include <gtest/gtest.h>

using namespace veltrano;

namespace {

// Every window lands wholly inside the available area of screens from
// 800x600 to 3840x2160, a second screen beside or above the first included:
// centred without a place, moved in from a place that reaches outside.
TEST(WindowPlaceTest, WindowsLandInsideTheAvailableArea) {
  const QRect areas[] = {
      {0, 0, 800, 568},    {0, 0, 1280, 994},      {0, 27, 1920, 1053},    {0, 0, 3840, 2130},
      {1920, 0, 800, 600}, {-1280, 0, 1280, 1024}, {0, -1080, 1920, 1080}, {3840, 0, 1024, 768},
  };
  // Worksheets with and without their figure, the help window, a box.
  const QSize windows[] = {{632, 474}, {1052, 474}, {760, 600}, {420, 160}};
  for (const QRect& area : areas) {
    for (const QSize& size : windows) {
      const QRect centred = placeInside(QRect(QPoint(5000, 5000), size), area, false);
      const QRect given =
          placeInside(QRect(QPoint(area.right() - 100, area.bottom() - 50), size), area, true);
      const QRect inside = placeInside(QRect(area.topLeft() + QPoint(10, 20), size), area, true);
      if (size.width() <= area.width() && size.height() <= area.height()) {
        EXPECT_TRUE(area.contains(centred)) << area.x() << "," << area.y() << " " << size.width();
        EXPECT_LE(std::abs((centred.center() - area.center()).manhattanLength()), 2);
        EXPECT_TRUE(area.contains(given));
        EXPECT_EQ(given.bottomRight(), area.bottomRight()) << "moved in no further than needed";
        const QRect place(area.topLeft() + QPoint(10, 20), size);
        if (area.contains(place)) EXPECT_EQ(inside, place) << "a place inside is kept";
      } else {
        // Too large: the top left, with the caption and menus, stays in view.
        EXPECT_TRUE(area.contains(centred.topLeft()));
        EXPECT_TRUE(area.contains(given.topLeft()));
      }
      EXPECT_EQ(centred.size(), size);
    }
  }
}

}  // namespace
