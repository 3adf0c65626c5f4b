#include "common/figure.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace veltrano::figure {

namespace {

void grow(QRectF& box, bool& any, QPointF p) {
  if (!any) {
    box = QRectF(p, p);
    any = true;
    return;
  }
  box.setLeft(std::min(box.left(), p.x()));
  box.setRight(std::max(box.right(), p.x()));
  box.setTop(std::min(box.top(), p.y()));
  box.setBottom(std::max(box.bottom(), p.y()));
}

// The points of an arc that bound it: its ends and the quarter points inside it.
void growByArc(QRectF& box, bool& any, const Arc& arc) {
  const double start = arc.startDegrees;
  const double end = start + arc.spanDegrees;
  grow(box, any, arc.centre + arc.radius * direction(start));
  grow(box, any, arc.centre + arc.radius * direction(end));
  const double low = std::min(start, end);
  const double high = std::max(start, end);
  for (double quarter = std::ceil(low / 90) * 90; quarter <= high; quarter += 90) {
    grow(box, any, arc.centre + arc.radius * direction(quarter));
  }
}

}  // namespace

bool Figure::isEmpty() const {
  return areas.isEmpty() && segments.isEmpty() && arcs.isEmpty() && dots.isEmpty() && labels.isEmpty();
}

QRectF Figure::bounds() const {
  QRectF box;
  bool any = false;
  for (const Area& area : areas) {
    for (QPointF p : area.corners) grow(box, any, p);
  }
  for (const Segment& s : segments) {
    grow(box, any, s.from);
    grow(box, any, s.to);
  }
  for (const Arc& arc : arcs) growByArc(box, any, arc);
  for (const Dots& set : dots) {
    for (QPointF p : set.at) grow(box, any, p);
  }
  for (const Label& label : labels) grow(box, any, label.at);
  return box;
}

void Figure::translate(QPointF offset) {
  for (Area& area : areas) {
    for (QPointF& p : area.corners) p += offset;
  }
  for (Segment& s : segments) {
    s.from += offset;
    s.to += offset;
  }
  for (Arc& arc : arcs) arc.centre += offset;
  for (Dots& set : dots) {
    for (QPointF& p : set.at) p += offset;
  }
  for (Label& label : labels) {
    label.at += offset;
    label.leaderFrom += offset;
    for (QPointF& p : label.region) p += offset;
  }
}

void Figure::append(const Figure& other) {
  if (title.isEmpty()) title = other.title;
  areas += other.areas;
  segments += other.segments;
  arcs += other.arcs;
  dots += other.dots;
  labels += other.labels;
}

QList<QPointF> arcPoints(QPointF centre, double radius, double startDegrees, double spanDegrees, int steps) {
  QList<QPointF> points;
  points.reserve(steps + 1);
  for (int i = 0; i <= steps; ++i) {
    points.append(centre + radius * direction(startDegrees + spanDegrees * i / steps));
  }
  return points;
}

double roundStep(double extent, int lines) {
  if (!(extent > 0) || !std::isfinite(extent)) return 1;
  const double rough = extent / std::max(lines, 1);
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) return factor * power;
  }
  return 10 * power;
}

QPointF direction(double degrees) {
  const double radians = qDegreesToRadians(degrees);
  return {std::cos(radians), std::sin(radians)};
}

namespace {

constexpr int kReadingDigits = 4;

void trimZeros(QString& number) {
  if (!number.contains(u'.')) return;
  while (number.endsWith(u'0')) number.chop(1);
  if (number.endsWith(u'.')) number.chop(1);
}

}  // namespace

// Fixed notation while it reads well, integers kept whole; an exponent in the
// program's own style ("1E+300") beyond.
QString roundedForReading(double value) {
  if (value == 0 || !std::isfinite(value)) return QString::number(value == 0 ? 0 : value);
  const double size = std::abs(value);
  QString text;
  if (size >= 1e-4 && size < 1e6) {
    const int before = static_cast<int>(std::floor(std::log10(size))) + 1;
    text = QString::number(value, 'f', std::max(0, kReadingDigits - before));
    trimZeros(text);
  } else {
    text = QString::number(value, 'E', kReadingDigits - 1);
    const qsizetype e = text.indexOf(u'E');
    QString mantissa = text.left(e);
    trimZeros(mantissa);
    QString exponent = text.mid(e + 2);
    if (exponent.size() < 2) exponent.prepend(u'0');
    text = mantissa + u'E' + text[e + 1] + exponent;
  }
  if (text == QStringLiteral("-0")) text = QStringLiteral("0");
  return text;
}

QString namedValue(const QString& name, double value, const QString& suffix) {
  const QString number = roundedForReading(value);
  const bool exact = number.toDouble() == value;
  const QString relation = exact ? QStringLiteral("=") : QStringLiteral("\u2248");
  if (name.isEmpty() && exact) return number + suffix;
  return (name.isEmpty() ? relation : name + u' ' + relation) + u' ' + number + suffix;
}

}  // namespace veltrano::figure
