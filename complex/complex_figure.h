#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <optional>

#include "common/figure.h"

namespace veltrano::complex {

// What the complex window shows, as points of the plane: x and y as typed,
// the result of the chosen task with its text, and the listed roots.
struct ShownComplex {
  std::int32_t task = 0;
  QPointF x;
  std::optional<QPointF> y;  // in the two-number tasks
  std::optional<QPointF> result;
  QString resultText;
  QList<QPointF> roots;  // in the roots task, first root first
  QString firstRootText;
};

// The point of a complex text as the results show it ("3+4*i", "-2",
// "1E+300-1E-05*i"); nothing for a text that is no complex number.
std::optional<QPointF> pointOfText(const QString& text);

// The Argand plane: a grid in round steps with the axes through 0; x (and y)
// as arrows from 0; the result as a point with its text, the argument of x
// marked for the polar form; in the roots task every root on its circle, the
// first marked and told.
figure::Figure complexFigure(const ShownComplex& shown);

// The figure in words: "Complex plane with x = 3 + 4i, y = 1 - 2i; result
// 4 + 2i", or in the roots task "5 roots on the circle of radius 2, the first
// at 2 + 0i".
QString complexDescription(const ShownComplex& shown);

}  // namespace veltrano::complex
