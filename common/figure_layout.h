#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>

#include "common/figure.h"

namespace veltrano::figure {

// How large a text is in device pixels. The painter measures with the
// label font on its device; the tests use a fixed glyph size, so that the
// layout can be checked without a font or a widget.
using TextMeasure = std::function<QSizeF(const QString&)>;

// Every character charWidth wide, every line height high.
TextMeasure fixedMeasure(double charWidth, double height);

// Model coordinates to device pixels: one scale, y flipped.
struct Mapping {
  double scale = 1;
  QPointF origin;  // where model (0, 0) lands
  QPointF operator()(QPointF p) const { return {origin.x() + p.x() * scale, origin.y() - p.y() * scale}; }
};

struct PlacedLabel {
  QRectF box;  // in device pixels, the padding inside
  bool leader = false;
  QPointF leaderFrom;  // device pixels; the leader runs from here to the box
  bool clear = true;   // false when no clear place was found at any scale tried
};

struct Layout {
  Mapping map;
  QList<PlacedLabel> labels;  // in the figure's order
  QRectF title;               // empty when no title is drawn
};

// Sizes in device pixels at 96 dots per inch; `unit` scales them to the device.
struct LayoutMetrics {
  double unit = 1;
  TextMeasure measure;
  TextMeasure titleMeasure;  // when empty, measure
  bool withTitle = false;    // a line at the top names the case
};

// The largest scale at which every label has a place of its own inside the
// target, then everything centred in it.
Layout layoutFigure(const Figure& figure, const QRectF& target, const LayoutMetrics& metrics);

// The geometry the layout is checked by, all in device pixels.
bool boxMeetsSegment(const QRectF& box, QPointF from, QPointF to);
// A circular arc on the device: its centre, radius, and start and span in
// the model's degrees (counter-clockwise with y upwards).
bool boxMeetsArc(const QRectF& box, QPointF centre, double radius, double startDegrees, double spanDegrees);
bool pointInPolygon(QPointF p, const QList<QPointF>& polygon);
bool boxInPolygon(const QRectF& box, const QList<QPointF>& polygon);
// Whether a box meets a drawn line of a part other than `part` (grid lines
// lie behind the labels' boxes and do not count).
bool boxMeetsOtherLines(const QRectF& box, const Figure& figure, const Mapping& map, int part);

}  // namespace veltrano::figure
