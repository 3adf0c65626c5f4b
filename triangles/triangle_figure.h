#pragma once

#include <QString>
#include <optional>

#include "common/figure.h"
#include "triangles/triangle_solver.h"

namespace veltrano::triangles {

// The three sides and three angles of a triangle, by name.
template <typename T>
struct TriangleParts {
  T a{}, b{}, c{};
  T A{}, B{}, C{};
};

// A triangle as the window shows it: the values of its parts (angles in
// radians) and the texts of their fields (angles in degrees).
struct ShownTriangle {
  TriangleParts<double> values;
  TriangleParts<QString> texts;
};

// The triangle to scale with side a horizontal at the bottom, B at its left
// end and C at its right, A above; each side labelled beside its middle and
// each angle inside it, with the number its field reads rounded for reading
// ("c ≈ 9.633", "A = 30°"), and a right angle marked. The second
// triangle of the ambiguous case, when given, stands dashed beside it at the
// same scale, all six parts labelled and titled "second triangle": below a
// triangle wider than tall, else to its right; a tick across a and two arcs
// in A show them the same in both. Nothing is drawn for a triangle with a
// part that is not positive.
figure::Figure triangleFigure(const ShownTriangle& shown, const std::optional<SecondTriangle>& second = {});

// The figure in words, from the same texts: "Triangle with a = 3 along the
// bottom, b = 4, c = 5; angles A = 36.87, B = 53.13, C = 90 degrees; right
// angle at C", and the second triangle's own parts when there is one.
QString triangleDescription(const ShownTriangle& shown, const std::optional<SecondTriangle>& second = {});

}  // namespace veltrano::triangles
