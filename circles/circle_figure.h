#pragma once

#include <QString>
#include <array>

#include "circles/circle_solver.h"
#include "common/figure.h"

namespace veltrano::circles {

// A circle problem as the window shows it: radius, arc, chord and central
// angle (radians) as values, and the texts of all six fields, in the order of
// CircleField (the angle in degrees).
struct ShownCircle {
  double radius = 0, arc = 0, chord = 0, angle = 0;
  std::array<QString, kCircleFieldCount> texts;
};

// The circle with the arc on top, thick, and its chord below it; the two radii
// to the arc's ends with the central angle marked between them; the sector
// and the segment shaded in two tints. An angle above 180 degrees gives the
// major arc. Labelled r, s, c, the angle in degrees and both areas. Nothing is
// drawn unless the radius is positive and the angle lies in (0, 360] degrees.
figure::Figure circleFigure(const ShownCircle& shown);

// The figure in words: "Circle of radius 2, central angle 250 degrees, major
// arc; arc 8.72, chord 3.06, sector area 8.72, segment area 10.6".
QString circleDescription(const ShownCircle& shown);

}  // namespace veltrano::circles
