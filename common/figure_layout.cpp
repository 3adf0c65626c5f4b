#include "common/figure_layout.h"

#include <QLineF>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <optional>

namespace veltrano::figure {

namespace {

constexpr double kMargin = 6;     // around everything, in pixels at 96 dpi
constexpr double kLabelPad = 2;   // inside a label's box
constexpr double kClearance = 3;  // between a label's box and anything else
constexpr double kDotRadius = 4;  // a large dot, as the painter draws it
constexpr int kFitAttempts = 16;  // each shrinks the scale
constexpr double kShrink = 0.88;  // by this factor
constexpr int kBesideRings = 12;  // half a label's height further out each
constexpr int kInsideSteps = 90;  // a third of a label's height further in each
constexpr double kTurnStep = 15;  // degrees between the directions tried
constexpr double kInsideTurnStep = 10;

QPointF deviceDirection(QPointF away, double turnDegrees) {
  const double length = std::hypot(away.x(), away.y());
  const QPointF d = length > 0 ? away / length : QPointF(0, 1);
  const double t = qDegreesToRadians(turnDegrees);
  const QPointF turned(d.x() * std::cos(t) - d.y() * std::sin(t), d.x() * std::sin(t) + d.y() * std::cos(t));
  return {turned.x(), -turned.y()};
}

// The turns to try, nearest the wanted direction first: 0, +s, -s, +2s, ...
QList<double> turns(double spread, double step) {
  QList<double> all{0};
  for (double t = step; t <= spread + 1e-9; t += step) all << t << -t;
  return all;
}

QRectF centredBox(QPointF centre, QSizeF size) {
  return {centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height()};
}

QPointF nearestInBox(QPointF p, const QRectF& box) {
  return {std::clamp(p.x(), box.left(), box.right()), std::clamp(p.y(), box.top(), box.bottom())};
}

QPointF centroid(const QList<QPointF>& points) {
  QPointF sum;
  for (QPointF p : points) sum += p;
  return points.isEmpty() ? sum : sum / static_cast<double>(points.size());
}

bool onArc(QPointF p, QPointF centre, double startDegrees, double spanDegrees) {
  if (std::abs(spanDegrees) >= 360) return true;
  if (spanDegrees < 0) {
    startDegrees += spanDegrees;
    spanDegrees = -spanDegrees;
  }
  const double angle = qRadiansToDegrees(std::atan2(centre.y() - p.y(), p.x() - centre.x()));
  const double from = std::fmod(std::fmod(angle - startDegrees, 360.0) + 360.0, 360.0);
  return from <= spanDegrees + 1e-9;
}

QPointF arcPoint(QPointF centre, double radius, double degrees) {
  const double t = qDegreesToRadians(degrees);
  return {centre.x() + radius * std::cos(t), centre.y() - radius * std::sin(t)};
}

// One placing of the labels at one mapping.
class Placer {
 public:
  Placer(const Figure& figure, const Mapping& map, const QRectF& inner, const QList<QSizeF>& sizes,
         double unit)
      : figure_(figure), map_(map), inner_(inner), sizes_(sizes), unit_(unit) {}

  QList<PlacedLabel> placeAll() {
    for (qsizetype i = 0; i < figure_.labels.size(); ++i) placed_ << place(figure_.labels[i], sizes_[i]);
    return placed_;
  }

 private:
  bool clearOfPlaced(const QRectF& grown) const {
    for (const PlacedLabel& other : placed_) {
      if (grown.intersects(other.box)) return false;
      if (other.leader && boxMeetsSegment(grown, other.leaderFrom, nearestInBox(other.leaderFrom, other.box)))
        return false;
    }
    return true;
  }

  bool clearOfDots(const QRectF& grown, int part) const {
    for (const Dots& set : figure_.dots) {
      if (!set.large || (part != 0 && set.part == part)) continue;
      const double r = kDotRadius * unit_;
      for (QPointF p : set.at) {
        const QPointF at = map_(p);
        if (grown.intersects(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r))) return false;
      }
    }
    return true;
  }

  bool fits(const QRectF& box, int part) const {
    if (!inner_.contains(box)) return false;
    const double gap = kClearance * unit_;
    const QRectF grown = box.adjusted(-gap, -gap, gap, gap);
    return clearOfPlaced(grown) && !boxMeetsOtherLines(grown, figure_, map_, part) &&
           clearOfDots(grown, part);
  }

  bool leaderClear(QPointF from, const QRectF& box) const {
    const QPointF to = nearestInBox(from, box);
    return std::none_of(placed_.begin(), placed_.end(),
                        [&](const PlacedLabel& other) { return boxMeetsSegment(other.box, from, to); });
  }

  // Out from anchor towards away, turned up to spread either way, ring by ring.
  std::optional<QRectF> beside(QPointF anchor, QPointF away, double spread, QSizeF size, double start,
                               int part, const std::optional<QPointF>& leaderFrom) const {
    const QList<double> tries = turns(std::min(spread, 180.0), kTurnStep);
    for (int ring = 0; ring <= kBesideRings; ++ring) {
      const double distance = start + ring * size.height() / 2;
      for (double turn : tries) {
        const QPointF d = deviceDirection(away, turn);
        const double reach = std::abs(d.x()) * size.width() / 2 + std::abs(d.y()) * size.height() / 2;
        const QRectF box = centredBox(anchor + d * (reach + distance), size);
        if (fits(box, part) && (!leaderFrom || leaderClear(*leaderFrom, box))) return box;
      }
    }
    return std::nullopt;
  }

  std::optional<QRectF> inside(const Label& label, QSizeF size) const {
    QList<QPointF> region;
    QRectF extent;
    for (QPointF p : label.region) region << map_(p);
    for (QPointF p : region) extent |= QRectF(p, QSizeF(0, 0)).adjusted(-0.5, -0.5, 0.5, 0.5);
    const double step = size.height() / 3;
    const double diagonal = std::hypot(extent.width(), extent.height());
    const double farthest = label.reach > 0 ? label.reach * map_.scale : diagonal;
    const int steps = std::min(kInsideSteps, static_cast<int>(std::min(diagonal, farthest) / step) + 1);
    const QPointF anchor = map_(label.at);
    const QList<double> tries = turns(label.spread, kInsideTurnStep);
    for (int k = 0; k <= steps && k * step <= farthest; ++k) {
      for (double turn : tries) {
        const QRectF box = centredBox(anchor + deviceDirection(label.away, turn) * (k * step), size);
        if (boxInPolygon(box, region) && fits(box, label.part)) return box;
      }
    }
    return std::nullopt;
  }

  PlacedLabel place(const Label& label, QSizeF size) const {
    const double gap = kClearance * unit_;
    if (label.place == Place::Beside) {
      if (auto box = beside(map_(label.at), label.away, label.spread, size, gap, label.part, std::nullopt))
        return {*box};
    } else {
      if (auto box = inside(label, size)) return {*box};
      // No room inside: out along a leader line from a point of the region.
      const QPointF from = map_(label.leaderFrom.isNull() ? centroid(label.region) : label.leaderFrom);
      const QPointF outward = label.outward.isNull() ? -label.away : label.outward;
      if (auto box = beside(from, outward, 90, size, size.height(), label.part, from))
        return {*box, true, from};
    }
    PlacedLabel crowded{centredBox(map_(label.at), size)};
    crowded.clear = false;
    return crowded;
  }

  const Figure& figure_;
  const Mapping& map_;
  QRectF inner_;
  const QList<QSizeF>& sizes_;
  double unit_;
  QList<PlacedLabel> placed_;
};

Mapping centredMapping(const QRectF& model, const QRectF& inner, double scale) {
  Mapping map;
  map.scale = scale;
  const QPointF middle = model.center();
  map.origin = inner.center() - QPointF(middle.x() * scale, -middle.y() * scale);
  return map;
}

int crowdedCount(const QList<PlacedLabel>& labels) {
  return static_cast<int>(
      std::count_if(labels.begin(), labels.end(), [](const PlacedLabel& l) { return !l.clear; }));
}

// The shapes and labels moved together into the middle of inner.
void centre(Layout& layout, const QRectF& model, const QRectF& inner) {
  QRectF used = QRectF(layout.map(model.topLeft()), layout.map(model.bottomRight())).normalized();
  for (const PlacedLabel& label : layout.labels) used |= label.box;
  QPointF shift = inner.center() - used.center();
  if (used.width() > inner.width()) shift.setX(0);
  if (used.height() > inner.height()) shift.setY(0);
  layout.map.origin += shift;
  for (PlacedLabel& label : layout.labels) {
    label.box.translate(shift);
    label.leaderFrom += shift;
  }
}

}  // namespace

TextMeasure fixedMeasure(double charWidth, double height) {
  return [charWidth, height](const QString& text) { return QSizeF(charWidth * text.size(), height); };
}

Layout layoutFigure(const Figure& figure, const QRectF& target, const LayoutMetrics& metrics) {
  const double unit = metrics.unit;
  QRectF inner = target.adjusted(kMargin * unit, kMargin * unit, -kMargin * unit, -kMargin * unit);
  Layout layout;
  if (metrics.withTitle && !figure.title.isEmpty()) {
    const QSizeF title = (metrics.titleMeasure ? metrics.titleMeasure : metrics.measure)(figure.title);
    layout.title = QRectF(inner.left(), inner.top(), inner.width(), title.height());
    inner.setTop(inner.top() + title.height() + kClearance * unit);
  }
  QList<QSizeF> sizes;
  for (const Label& label : figure.labels) {
    sizes << metrics.measure(label.text) + QSizeF(2 * kLabelPad * unit, 2 * kLabelPad * unit);
  }
  const QRectF model = figure.bounds();
  const double width = model.width() > 0 ? inner.width() / model.width() : HUGE_VAL;
  const double height = model.height() > 0 ? inner.height() / model.height() : HUGE_VAL;
  double scale = std::min(width, height);
  if (!std::isfinite(scale) || scale <= 0) scale = 1;

  int fewest = -1;
  for (int attempt = 0; attempt < kFitAttempts && fewest != 0; ++attempt, scale *= kShrink) {
    const Mapping map = centredMapping(model, inner, scale);
    QList<PlacedLabel> labels = Placer(figure, map, inner, sizes, unit).placeAll();
    const int crowded = crowdedCount(labels);
    if (fewest < 0 || crowded < fewest) {
      fewest = crowded;
      layout.map = map;
      layout.labels = std::move(labels);
    }
  }
  centre(layout, model, inner);
  return layout;
}

bool boxMeetsSegment(const QRectF& box, QPointF from, QPointF to) {
  if (box.contains(from) || box.contains(to)) return true;
  const QLineF line(from, to);
  const QLineF edges[] = {{box.topLeft(), box.topRight()},
                          {box.topRight(), box.bottomRight()},
                          {box.bottomRight(), box.bottomLeft()},
                          {box.bottomLeft(), box.topLeft()}};
  return std::any_of(std::begin(edges), std::end(edges), [&line](const QLineF& edge) {
    return line.intersects(edge) == QLineF::BoundedIntersection;
  });
}

// Exact: the circle meets the box's outline where it crosses an edge, and an
// arc with no crossing lies either wholly inside the box or wholly outside.
bool boxMeetsArc(const QRectF& box, QPointF centre, double radius, double startDegrees, double spanDegrees) {
  if (!(radius > 0)) return box.contains(centre);
  const double dx = std::max({box.left() - centre.x(), 0.0, centre.x() - box.right()});
  const double dy = std::max({box.top() - centre.y(), 0.0, centre.y() - box.bottom()});
  double farthest = 0;
  for (QPointF corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
    farthest = std::max(farthest, std::hypot(corner.x() - centre.x(), corner.y() - centre.y()));
  }
  if (radius < std::hypot(dx, dy) || radius > farthest) return false;
  if (box.contains(arcPoint(centre, radius, startDegrees))) return true;
  if (box.contains(arcPoint(centre, radius, startDegrees + spanDegrees))) return true;
  for (double x : {box.left(), box.right()}) {
    const double t = radius * radius - (x - centre.x()) * (x - centre.x());
    if (t < 0) continue;
    for (double y : {centre.y() - std::sqrt(t), centre.y() + std::sqrt(t)}) {
      if (y >= box.top() && y <= box.bottom() && onArc({x, y}, centre, startDegrees, spanDegrees))
        return true;
    }
  }
  for (double y : {box.top(), box.bottom()}) {
    const double t = radius * radius - (y - centre.y()) * (y - centre.y());
    if (t < 0) continue;
    for (double x : {centre.x() - std::sqrt(t), centre.x() + std::sqrt(t)}) {
      if (x >= box.left() && x <= box.right() && onArc({x, y}, centre, startDegrees, spanDegrees))
        return true;
    }
  }
  return false;
}

bool pointInPolygon(QPointF p, const QList<QPointF>& polygon) {
  bool in = false;
  for (qsizetype i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const QPointF a = polygon[i];
    const QPointF b = polygon[j];
    if ((a.y() > p.y()) != (b.y() > p.y()) &&
        p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x())
      in = !in;
  }
  return in;
}

bool boxInPolygon(const QRectF& box, const QList<QPointF>& polygon) {
  for (QPointF corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
    if (!pointInPolygon(corner, polygon)) return false;
  }
  for (qsizetype i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const QRectF strict = box.adjusted(0.01, 0.01, -0.01, -0.01);
    if (boxMeetsSegment(strict, polygon[j], polygon[i])) return false;
  }
  return true;
}

bool boxMeetsOtherLines(const QRectF& box, const Figure& figure, const Mapping& map, int part) {
  const auto other = [part](int shapePart) { return part == 0 || shapePart != part; };
  for (const Segment& s : figure.segments) {
    if (s.ink != Ink::Grid && other(s.part) && boxMeetsSegment(box, map(s.from), map(s.to))) return true;
  }
  for (const Arc& arc : figure.arcs) {
    if (other(arc.part) &&
        boxMeetsArc(box, map(arc.centre), arc.radius * map.scale, arc.startDegrees, arc.spanDegrees))
      return true;
  }
  return false;
}

}  // namespace veltrano::figure
