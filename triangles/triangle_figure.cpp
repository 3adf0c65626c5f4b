#include "triangles/triangle_figure.h"

#include <QtMath>
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
// The marks that show a and A the same in both triangles of a pair: a tick
// across a, as a part of a; two arcs in A, as parts of its shorter side.
constexpr double kTick = 0.05;
constexpr double kInnerArc = 0.16;
constexpr double kOuterArc = 0.21;
// An angle's label starts its search at the vertex and may turn this far
// from the bisector.
constexpr double kAngleLabelTurn = 30;
// A side's label stays on the outer side of its side's middle.
constexpr double kSideLabelTurn = 60;

// What each line and label stands for: the side or angle of index 0 to 2
// (a, b, c or A, B, C), in the first triangle or the second.
constexpr int kSidePart = 1;
constexpr int kAnglePart = 4;
constexpr int kSecondParts = 10;

struct Corners {
  QPointF A, B, C;
  QPointF centre() const { return (A + B + C) / 3; }
  QPointF vertex(int i) const { return i == 0 ? A : i == 1 ? B : C; }
};

// The parts as the labels tell them: the numbers read, angles in degrees,
// in the order a, b, c and A, B, C.
struct Reading {
  std::array<double, 3> sides{};
  std::array<double, 3> degrees{};
};

// B at the origin, C along the x-axis, A at angle B above it.
Corners place(double a, double c, double angleB) {
  return {c * QPointF(std::cos(angleB), std::sin(angleB)), QPointF(0, 0), QPointF(a, 0)};
}

double length(QPointF v) { return std::hypot(v.x(), v.y()); }
QPointF unit(QPointF v) { return v / length(v); }
double degreesOf(QPointF v) { return qRadiansToDegrees(std::atan2(v.y(), v.x())); }

void addRightAngleMark(Figure& figure, QPointF vertex, QPointF one, QPointF other) {
  const double size = kMarkSize * std::min(length(one - vertex), length(other - vertex));
  const QPointF u = unit(one - vertex) * size;
  const QPointF w = unit(other - vertex) * size;
  figure.segments.append({vertex + u, vertex + u + w});
  figure.segments.append({vertex + u + w, vertex + w});
}

// The three sides, a from B to C, b from C to A, c from A to B; each labelled
// beside its middle on the side away from the opposite vertex.
void addSides(Figure& figure, const Corners& p, const Reading& r, int parts, bool dashed) {
  static const QString names[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
  for (int i = 0; i < 3; ++i) {
    const QPointF from = p.vertex((i + 1) % 3);
    const QPointF to = p.vertex((i + 2) % 3);
    const int part = parts + kSidePart + i;
    figure.segments.append({from, to, Ink::Line, dashed, false, false, part});
    const QPointF middle = (from + to) / 2;
    QPointF normal(from.y() - to.y(), to.x() - from.x());
    if (QPointF::dotProduct(normal, p.vertex(i) - middle) > 0) normal = -normal;
    figure::Label label{middle, figure::namedValue(names[i], r.sides[static_cast<std::size_t>(i)]), normal,
                        dashed};
    label.part = part;
    label.spread = kSideLabelTurn;
    figure.labels.append(label);
  }
}

// Each angle labelled inside the triangle near its vertex; a thin one out
// behind its vertex on a leader line from inside the angle.
void addAngleLabels(Figure& figure, const Corners& p, const Reading& r, int parts, bool dashed) {
  static const QString names[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
  for (int i = 0; i < 3; ++i) {
    const QPointF vertex = p.vertex(i);
    const QPointF bisector =
        unit(unit(p.vertex((i + 1) % 3) - vertex) + unit(p.vertex((i + 2) % 3) - vertex));
    figure::Label label{
        vertex,
        figure::namedValue(names[i], r.degrees[static_cast<std::size_t>(i)], QStringLiteral("\u00B0")),
        bisector, dashed};
    label.place = figure::Place::Inside;
    label.part = parts + kAnglePart + i;
    label.spread = kAngleLabelTurn;
    label.region = {p.A, p.B, p.C};
    // Nearer its own vertex than either other: within half the shorter side.
    label.reach =
        std::min(length(p.vertex((i + 1) % 3) - vertex), length(p.vertex((i + 2) % 3) - vertex)) / 2;
    label.outward = -bisector;
    label.leaderFrom = (4 * vertex + p.centre()) / 5;
    figure.labels.append(label);
  }
}

void addRightAngleMarks(Figure& figure, const Corners& p, const std::array<double, 3>& angles) {
  for (int i = 0; i < 3; ++i) {
    if (std::abs(angles[static_cast<std::size_t>(i)] - math::HalfPi) < kRightAngleTolerance) {
      addRightAngleMark(figure, p.vertex(i), p.vertex((i + 1) % 3), p.vertex((i + 2) % 3));
    }
  }
}

// A tick across a and two arcs in A, drawn alike in both triangles of a pair.
void addSameMarks(Figure& figure, const Corners& p, int parts, bool dashed) {
  const QPointF middle = (p.B + p.C) / 2;
  const double tick = kTick * length(p.C - p.B);
  figure.segments.append({middle - QPointF(0, tick), middle + QPointF(0, tick), Ink::Line, false, false,
                          false, parts + kSidePart});
  const double start = degreesOf(p.B - p.A);
  const double span = degreesOf(p.C - p.A) - start;
  const double side = std::min(length(p.B - p.A), length(p.C - p.A));
  for (double radius : {kInnerArc * side, kOuterArc * side}) {
    figure.arcs.append({p.A, radius, start, span < 0 ? span + 360 : span, Ink::Line, false, dashed});
  }
}

Reading readingOf(const ShownTriangle& shown) {
  const auto& t = shown.texts;
  const QString sides[] = {t.a, t.b, t.c};
  const QString angles[] = {t.A, t.B, t.C};
  Reading r;
  for (std::size_t i = 0; i < 3; ++i) {
    r.sides[i] = TextToNumber(sides[i]);
    r.degrees[i] = TextToNumber(angles[i]);
  }
  return r;
}

Figure firstTriangle(const ShownTriangle& shown, bool paired, double unit) {
  const auto& v = shown.values;
  const Corners p = place(v.a / unit, v.c / unit, v.B);
  Figure figure;
  figure.areas.append({{p.A, p.B, p.C}, Ink::LightTint});
  const Reading r = readingOf(shown);
  addSides(figure, p, r, 0, false);
  addRightAngleMarks(figure, p, {v.A, v.B, v.C});
  if (paired) addSameMarks(figure, p, 0, false);
  addAngleLabels(figure, p, r, 0, false);
  return figure;
}

// The other triangle on the same a, b and A, dashed and with all six parts
// labelled, titled below.
Figure dashedTriangle(const ShownTriangle& shown, const SecondTriangle& second, double unit) {
  const auto& v = shown.values;
  const Corners p = place(v.a / unit, second.SideC.value() / unit, second.AngleB.value());
  const Reading first = readingOf(shown);
  Reading r;
  r.sides = {first.sides[0], first.sides[1], second.SideC.value()};
  r.degrees = {first.degrees[0], RadiansToDegrees(second.AngleB).value(),
               RadiansToDegrees(second.AngleC).value()};
  Figure figure;
  addSides(figure, p, r, kSecondParts, true);
  addRightAngleMarks(figure, p, {v.A, second.AngleB.value(), second.AngleC.value()});
  addSameMarks(figure, p, kSecondParts, true);
  addAngleLabels(figure, p, r, kSecondParts, true);
  const QRectF box = figure.bounds();
  figure::Label title{QPointF(box.center().x(), box.top()), QStringLiteral("second triangle"), QPointF(0, -1),
                      true};
  title.spread = 90;
  figure.labels.append(title);
  return figure;
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

}  // namespace

Figure triangleFigure(const ShownTriangle& shown, const std::optional<SecondTriangle>& second) {
  if (!allPositive(shown.values)) return {};
  const double unit = unitOf(shown);
  Figure figure = firstTriangle(shown, second.has_value(), unit);
  if (second) {
    // Beside the first where the pair fits the pane best: below a triangle
    // that is wider than tall, else to its right. (Model rectangles run
    // upwards: top() is the lowest y.)
    Figure other = dashedTriangle(shown, *second, unit);
    // The marks of a pair do not count in the triangle's shape.
    Figure outline;
    outline.areas = figure.areas;
    const QRectF shape = outline.bounds();
    const QRectF mine = figure.bounds();
    const QRectF its = other.bounds();
    const double gap = kGap * std::max(mine.width(), mine.height());
    if (shape.width() >= shape.height()) {
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
