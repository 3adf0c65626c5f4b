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
  int part = 0;  // what the line is; a label of the same part may touch it
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
  int part = 0;
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
  int part = 0;
};

// Where a label goes.
enum class Place {
  // Beside its point, as near as it is clear: towards `away` first, then
  // turned by up to `spread` degrees either way (a vertex, a side, a point).
  Beside,
  // In `region`, as near to its point as it is clear, along `away` turned by
  // up to `spread` degrees (an angle at its vertex, a shaded area). Where the
  // region leaves no room it goes outside instead, towards `outward` from
  // `leaderFrom`, with a leader line back to that point of the region.
  Inside,
};

// A text that names a part of the figure. Its box is placed by the painter's
// layout in pixels, clear of every other label and of every line of another
// part, so that labels read the same at any size.
struct Label {
  QPointF at;
  QString text;
  QPointF away;         // a direction in model coordinates
  bool dashed = false;  // belongs to a dashed (second) figure
  Place place = Place::Beside;
  int part = 0;  // the part it names, whose lines it may touch; 0 names none
  double spread = 60;
  QList<QPointF> region;  // Inside: the polygon it belongs in
  double reach = 0;       // Inside: how far from `at` its box's centre may be; 0 for anywhere
  QPointF outward;
  QPointF leaderFrom;
};

struct Figure {
  QString title;      // names the case on a saved or printed figure
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

// A number rounded for reading to 4 significant digits: "9.633", "44.43",
// "12346", "1.235E+07"; a value that needs no rounding as it is ("5", "0.1").
QString roundedForReading(double value);
// "c = 5" or, when the number was rounded, "c ≈ 9.633"; the suffix (a degree
// sign) follows the number. Without a name "90°" or "≈ 57.3°".
QString namedValue(const QString& name, double value, const QString& suffix = {});

}  // namespace veltrano::figure
