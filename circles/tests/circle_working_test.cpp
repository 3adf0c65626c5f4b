#include <gtest/gtest.h>

#include "circles/circle_working.h"
#include "common/dimension.h"
#include "common/working_text.h"

namespace veltrano::circles {
namespace {

QString workingOf(std::int32_t task, double r, double arc, double chord, double degrees) {
  Dimension::SetConstants();
  CircleVariables v;
  v.Task = task;
  v.Radius = r;
  v.Arc = arc;
  v.Chord = chord;
  v.CentralAngle = degrees * Dimension::Pi / 180;
  return working::toPlainText(circleWorking(v));
}

TEST(CircleWorking, Print) {
  for (auto [t, r, a, c, d] :
       std::initializer_list<std::tuple<int, double, double, double, double>>{{0, 1, 1, 0, 0},
                                                                              {1, 3, 0, 6, 0},
                                                                              {1, 3, 0, 7, 0},
                                                                              {4, 0, 0, 2, 240},
                                                                              {5, 0, 1, 0.8, 0},
                                                                              {5, 0, 1, 0.5, 0},
                                                                              {5, 0, 1, 1.25, 30},
                                                                              {2, 1e307, 0, 0, 90}})
    printf("%s\n", qPrintable(workingOf(t, r, a, c, d)));
}

}  // namespace
}  // namespace veltrano::circles
