#pragma once

#include <QString>
#include <QtMath>
#include <cmath>

#include "circles/circle_figure.h"

namespace veltrano::circles::testing {

// A circle as the window shows it, its texts as the fields would show them:
// the figure cases of the figure and accessibility tests.
inline ShownCircle circle(double radius, double degrees) {
  const double angle = qDegreesToRadians(degrees);
  const double arc = radius * angle;
  const double chord = 2 * radius * std::sin(angle / 2);
  const double sector = radius * arc / 2;
  return {radius,
          arc,
          chord,
          angle,
          {QString::number(radius), QString::number(arc), QString::number(chord), QString::number(degrees),
           QString::number(sector), QString::number(sector - chord * radius / 2 * std::cos(angle / 2))}};
}

}  // namespace veltrano::circles::testing
