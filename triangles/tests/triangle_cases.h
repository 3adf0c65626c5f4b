#pragma once

#include <cstdint>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "triangles/triangle_figure.h"
#include "triangles/triangle_solver.h"

namespace veltrano::triangles::testing {

// The variables of a solve of the case from the given parts (the third a
// side for SSS, an angle in degrees for SSA and SAS).
inline TriangleVariables solved(std::int32_t task, double a, double b, double third) {
  Dimension::SetConstants();
  TriangleVariables v;
  v.Task = task;
  v.SideA = a;
  v.SideB = b;
  if (task == SSS) v.SideC = third;
  if (task == SSA) v.AngleA = DegreesToRadians(third);
  if (task == SAS) v.AngleC = DegreesToRadians(third);
  SolveTriangle(v, [](Part, const QString&) {});
  return v;
}

// The triangle as the window shows those variables.
inline ShownTriangle shown(const TriangleVariables& v) {
  const auto side = [](Real value) { return NumberToText(value.value()); };
  const auto angle = [](Real value) { return NumberToText(RadiansToDegrees(value).value()); };
  return {{v.SideA.value(), v.SideB.value(), v.SideC.value(), v.AngleA.value(), v.AngleB.value(),
           v.AngleC.value()},
          {side(v.SideA), side(v.SideB), side(v.SideC), angle(v.AngleA), angle(v.AngleB), angle(v.AngleC)}};
}

}  // namespace veltrano::triangles::testing
