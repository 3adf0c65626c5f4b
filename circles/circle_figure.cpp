#include "circles/circle_figure.h"

#include <QtMath>
#include <cmath>

namespace veltrano::circles {

namespace {

using figure::direction;
using figure::Figure;
using figure::Ink;

constexpr int kArcSteps = 96;  // straight pieces of a shaded curved side
// Radii the painter scales to the pane without leaving the double range.
constexpr double kSmallestDrawnRadius = 1e-150;
constexpr double kLargestDrawnRadius = 1e150;
constexpr double kAngleMark = 0.18;    // radius of the angle's mark, in radii
constexpr double kSectorLabel = 0.55;  // where the sector's area is told, in radii

QString text(const ShownCircle& shown, CircleField field) {
  return shown.texts[static_cast<std::size_t>(field)];
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

  Figure f;
  // Of sector and segment the larger is shaded first, the smaller over it:
  // below 180 degrees the segment lies in the sector, above it the sector in
  // the segment.
  const figure::Area sector{QList<QPointF>{centre} + arc, Ink::LightTint};
  const figure::Area segment{arc, Ink::StrongTint};
  f.areas = degrees <= 180 ? QList<figure::Area>{sector, segment} : QList<figure::Area>{segment, sector};

  f.arcs.append({centre, r, 0, 360, Ink::Line});
  f.arcs.append({centre, kAngleMark * r, start, degrees, Ink::Line});
  f.arcs.append({centre, r, start, degrees, Ink::Result, true});
  f.segments.append({first, last, Ink::Line});
  f.segments.append({centre, first, Ink::Line});
  f.segments.append({centre, last, Ink::Line});

  const QPointF top = r * direction(90);
  const QPointF chordMiddle = (first + last) / 2;
  f.labels.append(
      {first / 2, QStringLiteral("r = ") + text(shown, CircleField::Radius), direction(start - 90)});
  f.labels.append({top, QStringLiteral("s = ") + text(shown, CircleField::Arc), direction(90)});
  f.labels.append({chordMiddle, QStringLiteral("c = ") + text(shown, CircleField::Chord), direction(270)});
  f.labels.append(
      {kAngleMark * top, text(shown, CircleField::CentralAngle) + QStringLiteral("\u00B0"), direction(90)});
  f.labels.append({kSectorLabel * top, QStringLiteral("sector = ") + text(shown, CircleField::Sector), {}});
  // The segment is often a sliver: its area is told outside, at the arc's end.
  f.labels.append(
      {last, QStringLiteral("segment = ") + text(shown, CircleField::Segment), direction(start + degrees)});
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
