#include "common/figure_painter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <functional>

#include "common/file_access.h"
#include "common/runtime_error.h"
#include "common/ui_style.h"

namespace veltrano::figure {

namespace {

constexpr double kMargin = 6;     // around everything, in screen pixels
constexpr double kLabelGap = 3;   // between a point and its label
constexpr double kLabelPad = 2;   // inside a label's box
constexpr double kDotSize = 4;    // a dot; a large one is twice as wide
constexpr double kArrowSize = 9;  // length of an arrow head
constexpr int kFitAttempts = 40;  // each shrinks the scale by a tenth
constexpr int kLabelNudges = 16;  // half a label's height each

// Model coordinates to device pixels: one scale, y flipped.
struct Mapping {
  double scale = 1;
  QPointF origin;  // where model (0, 0) lands
  QPointF operator()(QPointF p) const { return {origin.x() + p.x() * scale, origin.y() - p.y() * scale}; }
};

QFont labelFont(const Colours& colours) {
  QFont font = style::font(QStringLiteral("MS Sans Serif"), 8);
  font.setItalic(colours.italic);
  return font;
}

// The screen direction of a model direction, as a unit vector.
QPointF screenDirection(QPointF away) {
  const double length = std::hypot(away.x(), away.y());
  if (length == 0) return {};
  return {away.x() / length, -away.y() / length};
}

QRectF labelBox(const Label& label, QPointF at, const QFontMetricsF& metrics, double unit) {
  const QSizeF text = metrics.size(Qt::TextSingleLine, label.text);
  const QSizeF box(text.width() + 2 * kLabelPad * unit, text.height() + 2 * kLabelPad * unit);
  const QPointF d = screenDirection(label.away);
  // Far enough along d that the box clears the point by the gap.
  const double reach = std::abs(d.x()) * box.width() / 2 + std::abs(d.y()) * box.height() / 2;
  const QPointF centre = at + d * (reach + (d.isNull() ? 0 : kLabelGap * unit));
  return {centre.x() - box.width() / 2, centre.y() - box.height() / 2, box.width(), box.height()};
}

bool coversAny(const QRectF& box, const QList<QRectF>& others) {
  return std::any_of(others.begin(), others.end(),
                     [&box](const QRectF& other) { return box.intersects(other); });
}

// The label boxes in the figure's order. A box that would cover one placed
// before it moves on outwards, along its own direction, until it is clear:
// close corners and the second triangle of a pair would otherwise hide
// each other's texts.
QList<QRectF> placeLabels(const Figure& figure, const Mapping& map, const QFontMetricsF& metrics,
                          double unit) {
  QList<QRectF> placed;
  for (const Label& label : figure.labels) {
    QRectF box = labelBox(label, map(label.at), metrics, unit);
    QPointF step = screenDirection(label.away);
    if (step.isNull()) step = QPointF(0, 1);
    step *= box.height() / 2;
    for (int i = 0; i < kLabelNudges && coversAny(box, placed); ++i) box.translate(step);
    placed << box;
  }
  return placed;
}

// The pixels that the figure, whose shapes lie in model, covers under a
// mapping, its labels included.
QRectF coveredBy(const Figure& figure, const QRectF& model, const Mapping& map, const QFontMetricsF& metrics,
                 double unit) {
  QRectF covered = QRectF(map(model.topLeft()), map(model.bottomRight())).normalized();
  for (const QRectF& box : placeLabels(figure, map, metrics, unit)) covered |= box;
  return covered;
}

// The largest scale at which the shapes and their labels fit the target,
// then shifted so that they sit in its middle.
Mapping fit(const Figure& figure, const QRectF& target, const QFontMetricsF& metrics, double unit) {
  const QRectF inner = target.adjusted(kMargin * unit, kMargin * unit, -kMargin * unit, -kMargin * unit);
  const QRectF model = figure.bounds();
  const double width = model.width() > 0 ? inner.width() / model.width() : HUGE_VAL;
  const double height = model.height() > 0 ? inner.height() / model.height() : HUGE_VAL;
  Mapping map;
  map.scale = std::min(width, height);
  if (!std::isfinite(map.scale)) map.scale = 1;
  for (int attempt = 0; attempt < kFitAttempts; ++attempt) {
    map.origin = {0, 0};
    const QRectF covered = coveredBy(figure, model, map, metrics, unit);
    map.origin = inner.center() - covered.center();
    if (covered.width() <= inner.width() && covered.height() <= inner.height()) break;
    map.scale *= 0.9;
  }
  return map;
}

QColor inkColour(Ink ink, const Colours& c) {
  switch (ink) {
    case Ink::Line: return c.line;
    case Ink::Input: return c.input;
    case Ink::Result: return c.result;
    case Ink::Axis: return c.axis;
    case Ink::Grid: return c.grid;
    case Ink::LightTint: return c.lightTint;
    case Ink::StrongTint: return c.strongTint;
  }
  return c.line;
}

QPen pen(const QColor& colour, double width, bool dashed) {
  QPen p(colour, width, dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  return p;
}

// A result is light (yellow): it is drawn over a dark outline to show on any paper.
void strokeWithOutline(QPainter& painter, const QColor& colour, const Colours& c, double width, bool dashed,
                       bool outlined, const std::function<void()>& draw) {
  painter.setBrush(Qt::NoBrush);
  if (outlined) {
    painter.setPen(pen(c.outline, width + 2 * painter.device()->logicalDpiX() / 96.0, dashed));
    draw();
  }
  painter.setPen(pen(colour, width, dashed));
  draw();
}

void paintAreas(QPainter& painter, const Figure& figure, const Mapping& map, const Colours& c) {
  painter.setPen(Qt::NoPen);
  for (const Area& area : figure.areas) {
    QPolygonF polygon;
    polygon.reserve(area.corners.size());
    for (QPointF p : area.corners) polygon << map(p);
    painter.setBrush(inkColour(area.ink, c));
    painter.drawPolygon(polygon);
  }
}

void paintArrowHead(QPainter& painter, QPointF from, QPointF to, double unit) {
  const QPointF along = to - from;
  const double length = std::hypot(along.x(), along.y());
  if (length == 0) return;
  const QPointF d = along / length;
  const QPointF side(-d.y(), d.x());
  const double size = std::min(kArrowSize * unit, length / 2);
  QPolygonF head;
  head << to << to - d * size + side * size * 0.4 << to - d * size - side * size * 0.4;
  painter.setBrush(painter.pen().color());
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(head);
}

void paintSegments(QPainter& painter, const Figure& figure, const Mapping& map, const Colours& c,
                   double unit) {
  for (const Segment& s : figure.segments) {
    const QColor colour = inkColour(s.ink, c);
    const double width = (s.thick ? 3 : 1.2) * unit;
    const QLineF line(map(s.from), map(s.to));
    strokeWithOutline(painter, colour, c, width, s.dashed, s.ink == Ink::Result,
                      [&] { painter.drawLine(line); });
    if (s.arrow) {
      painter.setPen(pen(colour, width, false));
      paintArrowHead(painter, line.p1(), line.p2(), unit);
    }
  }
}

void paintArcs(QPainter& painter, const Figure& figure, const Mapping& map, const Colours& c, double unit) {
  for (const Arc& arc : figure.arcs) {
    const QPointF centre = map(arc.centre);
    const double r = arc.radius * map.scale;
    const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    const double width = (arc.thick ? 4 : 1.2) * unit;
    // Qt's angles run counter-clockwise on the screen too, in sixteenths.
    const int start = static_cast<int>(std::lround(arc.startDegrees * 16));
    const int span = static_cast<int>(std::lround(arc.spanDegrees * 16));
    strokeWithOutline(painter, inkColour(arc.ink, c), c, width, arc.dashed, arc.ink == Ink::Result, [&] {
      if (span >= 360 * 16) {
        painter.drawEllipse(box);
      } else {
        painter.drawArc(box, start, span);
      }
    });
  }
}

// A dot that mostly covers the last one drawn adds nothing to see:
// 32767 roots on a circle of a few hundred pixels paint as a few hundred dots.
void paintDots(QPainter& painter, const Figure& figure, const Mapping& map, const Colours& c, double unit) {
  for (const Dots& set : figure.dots) {
    const double size = (set.large ? 2 : 1) * kDotSize * unit;
    QPolygonF points;
    QPointF last(-HUGE_VAL, -HUGE_VAL);
    for (QPointF p : set.at) {
      const QPointF at = map(p);
      if ((at - last).manhattanLength() < size * 0.75) continue;
      last = at;
      points << at;
    }
    painter.setPen(pen(c.outline, size + 2 * unit, false));
    painter.drawPoints(points);
    painter.setPen(pen(inkColour(set.ink, c), size, false));
    painter.drawPoints(points);
  }
}

void paintLabels(QPainter& painter, const Figure& figure, const Mapping& map, const Colours& c, double unit) {
  const QFont font = labelFont(c);
  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  const QList<QRectF> boxes = placeLabels(figure, map, metrics, unit);
  for (qsizetype i = 0; i < boxes.size(); ++i) {
    const Label& label = figure.labels[i];
    const QRectF& box = boxes[i];
    const QPointF anchor = map(label.at);
    if (box != labelBox(label, anchor, metrics, unit)) {
      // Moved out of another's way: a thin line leads back to its point.
      const QPointF nearest(std::clamp(anchor.x(), box.left(), box.right()),
                            std::clamp(anchor.y(), box.top(), box.bottom()));
      painter.setPen(pen(c.line, 0.6 * unit, true));
      painter.drawLine(anchor, nearest);
    }
    painter.setPen(pen(c.line, 0.6 * unit, label.dashed));
    painter.setBrush(c.labelBox);
    painter.drawRect(box);
    painter.setPen(c.text);
    painter.drawText(box, Qt::AlignCenter, label.text);
  }
}

QColor grey(const QColor& colour) {
  const int level = 110 + qGray(colour.rgb()) * 45 / 100;
  return {level, level, level};
}

[[noreturn]] void raiseFor(const QString& path) {
  if (!QFileInfo(path).absoluteDir().exists()) raise(ErrorNumber::PathNotFound, path);
  raise(ErrorNumber::PathFileAccess, path);
}

}  // namespace

Colours worksheetColours() {
  Colours c;
  c.paper = style::Cyan;
  c.line = style::Black;
  c.input = QColor(0, 140, 0);  // the inputs' green, dark enough to show on cyan
  c.result = style::Yellow;
  c.outline = style::Black;
  c.axis = style::Blue;
  c.grid = QColor(0, 200, 200);
  c.lightTint = QColor(255, 255, 190);
  c.strongTint = style::Yellow;
  c.labelBox = QGuiApplication::palette().color(QPalette::ToolTipBase);
  c.text = style::textOn(c.labelBox);  // the label boxes follow the desktop's palette
  return c;
}

Colours printColours() {
  Colours c = worksheetColours();
  c.paper = QColor();
  c.grid = QColor(190, 190, 190);
  c.labelBox = Qt::white;
  c.text = style::Black;
  return c;
}

Colours greyed(Colours c) {
  for (QColor* ink :
       {&c.line, &c.input, &c.result, &c.outline, &c.axis, &c.grid, &c.lightTint, &c.strongTint}) {
    *ink = grey(*ink);
  }
  c.text = QColor(128, 128, 128);
  c.italic = true;
  return c;
}

void paintFigure(QPainter& painter, const Figure& figure, const QRectF& target, const Colours& colours) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  if (colours.paper.isValid()) painter.fillRect(target, colours.paper);
  if (!figure.isEmpty()) {
    const double unit = painter.device()->logicalDpiX() / 96.0;
    painter.setClipRect(target);
    const QFontMetricsF metrics(labelFont(colours), painter.device());
    const Mapping map = fit(figure, target, metrics, unit);
    paintAreas(painter, figure, map, colours);
    paintArcs(painter, figure, map, colours, unit);
    paintSegments(painter, figure, map, colours, unit);
    paintDots(painter, figure, map, colours, unit);
    paintLabels(painter, figure, map, colours, unit);
  }
  painter.restore();
}

QImage figureImage(const Figure& figure, QSize size, const Colours& colours) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintFigure(painter, figure, QRectF(QPointF(0, 0), size), colours);
  return image;
}

// The picture is made in memory and written as worksheet files are, so that
// a full disk is told and an old file of that name stays as it was.
void saveFigure(const Figure& figure, QSize size, const Colours& colours, const QString& path) {
  QByteArray bytes;
  QBuffer file(&bytes);
  file.open(QIODevice::WriteOnly);
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Figure"));
    QPainter painter;
    if (!painter.begin(&svg)) raiseFor(path);
    paintFigure(painter, figure, QRectF(QPointF(0, 0), size), colours);
    painter.end();
  } else if (!figureImage(figure, size, colours).save(&file, "PNG")) {
    raiseFor(path);
  }
  replaceFileContent(path, bytes);
}

}  // namespace veltrano::figure
