#include "circles/circle_figure.h"

#include <QtMath>
#include <cmath>

#include "common/numeric_text.h"

namespace veltrano::circles {

namespace {

using figure::direction;
using figure::Figure;
using figure::Ink;
using figure::Label;
using figure::Place;

constexpr int kArcSteps = 96;  // straight pieces of a shaded curved side
// Radii the painter scales to the pane without leaving the double range.
constexpr double kSmallestDrawnRadius = 1e-150;
constexpr double kLargestDrawnRadius = 1e150;
constexpr double kAngleMark = 0.18;  // radius of the angle's mark, in radii
constexpr double kRegionTurn = 30;   // how far a region's label may turn from its way in
constexpr double kLineTurn = 60;     // how far a line's label may turn from its outer side
constexpr double kChordTurn = 90;

// What each line and label stands for.
enum Part { kRadiusPart = 1, kArcPart, kChordPart, kAnglePart };

QString text(const ShownCircle& shown, CircleField field) {
  return shown.texts[static_cast<std::size_t>(field)];
}

double reading(const ShownCircle& shown, CircleField field) { return TextToNumber(text(shown, field)); }

Label beside(QPointF at, const QString& text, QPointF away, int part, double spread) {
  Label label{at, text, away};
  label.part = part;
  label.spread = spread;
  return label;
}

// A label inside region, searched from `at` along `away`; where the region is
// too thin it goes out towards `outward` on a leader line from `leaderFrom`.
Label inside(QPointF at, const QString& text, QPointF away, const QList<QPointF>& region, QPointF outward,
             QPointF leaderFrom, int part = 0) {
  Label label{at, text, away};
  label.place = Place::Inside;
  label.part = part;
  label.spread = kRegionTurn;
  label.region = region;
  label.outward = outward;
  label.leaderFrom = leaderFrom;
  return label;
}

QPointF middleOf(const QList<QPointF>& points) {
  QPointF sum;
  for (QPointF p : points) sum += p;
  return sum / static_cast<double>(points.size());
}

}  // namespace

Figure circleFigure(const ShownCircle& shown) {
  const double degrees = qRadiansToDegrees(shown.angle);
  if (!(shown.radius > 0) || !std::isfinite(shown.radius) || !(degrees > 0) || !(degrees <= 360)) return {};
  // Every circle looks alike up to its size, which the labels tell: one too
  // small or too large for the painter to scale is drawn with radius 1.
  const bool scalable = shown.radius >= kSmallestDrawnRadius && shown.radius <= kLargestDrawnRadius;
  const double r = scalable ? shown.radius : 1.0;

  // The arc is centred on the upward vertical.
  const double start = 90 - degrees / 2;
  const QPointF centre(0, 0);
  const QPointF first = r * direction(start);
  const QPointF last = r * direction(start + degrees);
  const QList<QPointF> arc = figure::arcPoints(centre, r, start, degrees, kArcSteps);
  const QList<QPointF> pie = QList<QPointF>{centre} + arc;
  const QList<QPointF> triangle{centre, first, last};
  const bool minor = degrees <= 180;
  // At 180 degrees sector and segment are one half disc: the sector has no part of its own.
  const bool flat = degrees == 180;

  Figure f;
  // Of sector and segment the larger is shaded first, the smaller over it:
  // below 180 degrees the segment lies in the sector, above it the sector in
  // the segment, whose own part is then the triangle of the chord and radii.
  const figure::Area sector{pie, Ink::LightTint};
  const figure::Area segment{arc, Ink::StrongTint};
  f.areas = minor ? QList<figure::Area>{sector, segment} : QList<figure::Area>{segment, sector};

  f.arcs.append({centre, r, 0, 360, Ink::Line, false, false, kArcPart});
  f.arcs.append({centre, kAngleMark * r, start, degrees, Ink::Line, false, false, kAnglePart});
  f.arcs.append({centre, r, start, degrees, Ink::Result, true, false, kArcPart});
  f.segments.append({first, last, Ink::Line, false, false, false, kChordPart});
  f.segments.append({centre, first, Ink::Line, false, false, false, kRadiusPart});
  f.segments.append({centre, last, Ink::Line, false, false, false, kRadiusPart});

  const QPointF up = direction(90);
  const QPointF down = direction(270);
  const QPointF chordMiddle = (first + last) / 2;
  // Each area is told where only it is shaded: below 180 degrees the sector
  // in the triangle of its radii and the segment between chord and arc;
  // above, the sector in its own part and the major segment in the triangle.
  f.labels.append(inside(
      centre, figure::namedValue({}, reading(shown, CircleField::CentralAngle), QStringLiteral("\u00B0")), up,
      pie, direction(0), 0.3 * r * up, kAnglePart));
  if (minor) {
    f.labels.append(
        inside(centre, figure::namedValue(QStringLiteral("sector"), reading(shown, CircleField::Sector)), up,
               flat ? pie : triangle, direction(0), flat ? 0.5 * r * up : middleOf(triangle)));
    f.labels.append(inside(
        chordMiddle, figure::namedValue(QStringLiteral("segment"), reading(shown, CircleField::Segment)), up,
        arc, up, (chordMiddle + r * up) / 2));
  } else {
    f.labels.append(inside(centre,
                           figure::namedValue(QStringLiteral("sector"), reading(shown, CircleField::Sector)),
                           up, pie, up, 0.5 * r * up));
    f.labels.append(
        inside(centre, figure::namedValue(QStringLiteral("segment"), reading(shown, CircleField::Segment)),
               down, triangle, down, middleOf(triangle)));
  }
  f.labels.append(beside(r * up, figure::namedValue(QStringLiteral("Arc"), reading(shown, CircleField::Arc)),
                         up, kArcPart, kLineTurn));
  f.labels.append(beside(chordMiddle,
                         figure::namedValue(QStringLiteral("Chord"), reading(shown, CircleField::Chord)),
                         down, kChordPart, kChordTurn));
  f.labels.append(beside(first / 2,
                         figure::namedValue(QStringLiteral("r"), reading(shown, CircleField::Radius)),
                         direction(start - 90), kRadiusPart, kLineTurn));
  f.description = circleDescription(shown);
  return f;
}

QString circleDescription(const ShownCircle& shown) {
  const double degrees = qRadiansToDegrees(shown.angle);
  const QString kind = degrees > 180   ? QStringLiteral("major arc")
                       : degrees < 180 ? QStringLiteral("minor arc")
                                       : QStringLiteral("half circle");
  return QStringLiteral(
             "Circle of radius %1, central angle %2 degrees, %3; arc %4, chord %5, sector area %6, "
             "segment area %7")
      .arg(text(shown, CircleField::Radius), text(shown, CircleField::CentralAngle), kind,
           text(shown, CircleField::Arc), text(shown, CircleField::Chord), text(shown, CircleField::Sector),
           text(shown, CircleField::Segment));
}

}  // namespace veltrano::circles
