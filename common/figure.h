#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace veltrano::figure {

// A worksheet's figure as plain geometry in the model's own units, y upwards.
// The worksheets build it from the values they show; the painter scales it to
// any page or pane, so that what it holds can be checked without painting.

// What a stroke or fill stands for; the painter gives each its colour.
enum class Ink {
  Line,        // outlines: triangle sides, circle, chord, radii
  Input,       // what the user typed: x and y in the complex plane
  Result,      // what was computed: the arc, a result point
  Axis,        // the axes of the complex plane
  Grid,        // the grid of the complex plane
  LightTint,   // a shaded area
  StrongTint,  // a second shaded area, over the first
};

struct Segment {
  QPointF from;
  QPointF to;
  Ink ink = Ink::Line;
  bool dashed = false;
  bool arrow = false;  // an arrow head at `to`
  bool thick = false;
};

// A circular arc counter-clockwise from startDegrees through spanDegrees;
// a span of 360 is the whole circle.
struct Arc {
  QPointF centre;
  double radius = 0;
  double startDegrees = 0;
  double spanDegrees = 360;
  Ink ink = Ink::Line;
  bool thick = false;
  bool dashed = false;
};

// A closed area, filled and not outlined.
struct Area {
  QList<QPointF> corners;
  Ink ink = Ink::LightTint;
};

// Dots of one kind; many may fall on one pixel, which the painter draws once.
struct Dots {
  QList<QPointF> at;
  Ink ink = Ink::Result;
  bool large = false;
};

// A text beside a point: `away` points from the point to the side where the
// text goes, as a direction in model coordinates.
struct Label {
  QPointF at;
  QString text;
  QPointF away;
  bool dashed = false;  // belongs to a dashed (second) figure
};

struct Figure {
  QList<Area> areas;  // painted first, in order
  QList<Segment> segments;
  QList<Arc> arcs;
  QList<Dots> dots;
  QList<Label> labels;
  // The figure in words, for those who cannot see it (a screen reader reads
  // it as the pane's description); empty where the worksheet gives none.
  QString description;

  bool isEmpty() const;
  // The smallest rectangle that holds every shape (labels count by their
  // point only); empty for an empty figure.
  QRectF bounds() const;
  // Every shape moved by offset.
  void translate(QPointF offset);
  // The shapes of other added after this figure's own.
  void append(const Figure& other);
};

// Points on an arc, for areas with a curved side: from startDegrees through
// spanDegrees, both ends included.
QList<QPointF> arcPoints(QPointF centre, double radius, double startDegrees, double spanDegrees, int steps);

// A round grid step (1, 2 or 5 times a power of ten) that divides `extent`
// into about `lines` parts.
double roundStep(double extent, int lines);

// The unit vector of an angle in degrees.
QPointF direction(double degrees);

}  // namespace veltrano::figure
