#include "triangles/triangle_figure.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "common/math_constants.h"
#include "common/numeric_text.h"

namespace veltrano::triangles {

namespace {

using figure::Figure;
using figure::Ink;

// An angle within this of a right angle (radians) gets the right-angle mark;
// the shown degrees are exact to about 1E-13.
constexpr double kRightAngleTolerance = 1e-9;
// The mark's side, as a part of the shorter of its two sides.
constexpr double kMarkSize = 0.12;
// Between the two triangles of the ambiguous case, room for their labels, as
// a part of the first's larger extent.
constexpr double kGap = 0.5;
// Sides the painter scales to the pane without leaving the double range; a
// triangle whose largest side lies outside is drawn with that side 1.
constexpr double kSmallestDrawnSide = 1e-150;
constexpr double kLargestDrawnSide = 1e150;

struct Corners {
  QPointF A, B, C;
  QPointF centre() const { return (A + B + C) / 3; }
};

// B at the origin, C along the x-axis, A at angle B above it.
Corners place(double a, double c, double angleB) {
  return {c * QPointF(std::cos(angleB), std::sin(angleB)), QPointF(0, 0), QPointF(a, 0)};
}

QPointF unit(QPointF v) { return v / std::hypot(v.x(), v.y()); }

void addRightAngleMark(Figure& figure, QPointF vertex, QPointF one, QPointF other) {
  const double size = kMarkSize * std::min(std::hypot((one - vertex).x(), (one - vertex).y()),
                                           std::hypot((other - vertex).x(), (other - vertex).y()));
  const QPointF u = unit(one - vertex) * size;
  const QPointF w = unit(other - vertex) * size;
  figure.segments.append({vertex + u, vertex + u + w});
  figure.segments.append({vertex + u + w, vertex + w});
}

QString degreesLabel(QChar letter, const QString& text) {
  return QStringLiteral("%1 = %2\u00B0").arg(letter).arg(text);
}

QString sideLabel(QChar letter, const QString& text) { return QStringLiteral("%1 = %2").arg(letter, text); }

void addVertexLabel(Figure& figure, QPointF at, QPointF centre, const QString& text, bool dashed) {
  figure.labels.append({at, text, at - centre, dashed});
}

void addSideLabel(Figure& figure, QPointF from, QPointF to, QPointF centre, const QString& text,
                  bool dashed) {
  const QPointF middle = (from + to) / 2;
  figure.labels.append({middle, text, middle - centre, dashed});
}

void addOutline(Figure& figure, const Corners& p, bool dashed) {
  for (auto [from, to] : {std::pair{p.B, p.C}, std::pair{p.C, p.A}, std::pair{p.A, p.B}}) {
    figure.segments.append({from, to, Ink::Line, dashed});
  }
}

bool allPositive(const TriangleParts<double>& v) {
  const double parts[] = {v.a, v.b, v.c, v.A, v.B, v.C};
  return std::all_of(std::begin(parts), std::end(parts), [](double p) { return p > 0 && std::isfinite(p); });
}

// The length that stands for 1 in the model: 1 unless the sides are beyond
// what the painter can scale.
double unitOf(const ShownTriangle& shown) {
  const double largest = std::max({shown.values.a, shown.values.b, shown.values.c});
  return largest >= kSmallestDrawnSide && largest <= kLargestDrawnSide ? 1.0 : largest;
}

Figure firstTriangle(const ShownTriangle& shown, double unit) {
  const auto& v = shown.values;
  const auto& t = shown.texts;
  const Corners p = place(v.a / unit, v.c / unit, v.B);
  Figure figure;
  figure.areas.append({{p.A, p.B, p.C}, Ink::LightTint});
  addOutline(figure, p, false);
  const QPointF centre = p.centre();
  addSideLabel(figure, p.B, p.C, centre, sideLabel(u'a', t.a), false);
  addSideLabel(figure, p.C, p.A, centre, sideLabel(u'b', t.b), false);
  addSideLabel(figure, p.A, p.B, centre, sideLabel(u'c', t.c), false);
  addVertexLabel(figure, p.A, centre, degreesLabel(u'A', t.A), false);
  addVertexLabel(figure, p.B, centre, degreesLabel(u'B', t.B), false);
  addVertexLabel(figure, p.C, centre, degreesLabel(u'C', t.C), false);
  const QPointF corners[] = {p.A, p.B, p.C};
  const double angles[] = {v.A, v.B, v.C};
  for (int i = 0; i < 3; ++i) {
    if (std::abs(angles[i] - math::HalfPi) < kRightAngleTolerance) {
      addRightAngleMark(figure, corners[i], corners[(i + 1) % 3], corners[(i + 2) % 3]);
    }
  }
  return figure;
}

// The other triangle on the same a, b and A: only its own parts are labelled.
Figure dashedTriangle(double a, const SecondTriangle& second, double unit) {
  const Corners p = place(a / unit, second.SideC.value() / unit, second.AngleB.value());
  Figure figure;
  addOutline(figure, p, true);
  const QPointF centre = p.centre();
  const auto degrees = [](Real angle) { return NumberToText(RadiansToDegrees(angle).value()); };
  addSideLabel(figure, p.A, p.B, centre, sideLabel(u'c', NumberToText(second.SideC.value())), true);
  addVertexLabel(figure, p.B, centre, degreesLabel(u'B', degrees(second.AngleB)), true);
  addVertexLabel(figure, p.C, centre, degreesLabel(u'C', degrees(second.AngleC)), true);
  return figure;
}

}  // namespace

Figure triangleFigure(const ShownTriangle& shown, const std::optional<SecondTriangle>& second) {
  if (!allPositive(shown.values)) return {};
  const double unit = unitOf(shown);
  Figure figure = firstTriangle(shown, unit);
  if (second) {
    // Beside the first where the pair fits the pane best: below a triangle
    // that is wider than tall, else to its right. (Model rectangles run
    // upwards: top() is the lowest y.)
    Figure other = dashedTriangle(shown.values.a, *second, unit);
    const QRectF mine = figure.bounds();
    const QRectF its = other.bounds();
    const double gap = kGap * std::max(mine.width(), mine.height());
    if (mine.width() >= mine.height()) {
      other.translate(QPointF(0, mine.top() - gap - its.bottom()));
    } else {
      other.translate(QPointF(mine.right() + gap - its.left(), 0));
    }
    figure.append(other);
  }
  figure.description = triangleDescription(shown, second);
  return figure;
}

QString triangleDescription(const ShownTriangle& shown, const std::optional<SecondTriangle>& second) {
  const auto& t = shown.texts;
  QString words = QStringLiteral(
                      "Triangle with a = %1 along the bottom, b = %2, c = %3; "
                      "angles A = %4, B = %5, C = %6 degrees")
                      .arg(t.a, t.b, t.c, t.A, t.B, t.C);
  const double angles[] = {shown.values.A, shown.values.B, shown.values.C};
  for (int i = 0; i < 3; ++i) {
    if (std::abs(angles[i] - math::HalfPi) < kRightAngleTolerance)
      words += QStringLiteral("; right angle at ") + QChar(u'A' + i);
  }
  if (second) {
    const auto degrees = [](Real angle) { return NumberToText(RadiansToDegrees(angle).value()); };
    words += QStringLiteral(". Second triangle, dashed: c = %1, B = %2, C = %3 degrees")
                 .arg(NumberToText(second->SideC.value()), degrees(second->AngleB), degrees(second->AngleC));
  }
  return words;
}

}  // namespace veltrano::triangles
