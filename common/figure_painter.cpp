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

constexpr double kDotSize = 4;    // a dot; a large one is twice as wide
constexpr double kArrowSize = 9;  // length of an arrow head

QFont labelFont(const Colours& colours) {
  QFont font = style::font(QStringLiteral("MS Sans Serif"), 8);
  font.setItalic(colours.italic);
  return font;
}

QFont titleFont(const Colours& colours) {
  QFont font = labelFont(colours);
  font.setBold(true);
  return font;
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

void paintLabels(QPainter& painter, const Figure& figure, const Layout& layout, const Colours& c,
                 double unit) {
  painter.setFont(labelFont(c));
  for (qsizetype i = 0; i < layout.labels.size(); ++i) {
    const Label& label = figure.labels[i];
    const PlacedLabel& placed = layout.labels[i];
    if (placed.leader) {
      // Out of a region too thin to hold it: a thin line leads back in.
      const QPointF nearest(std::clamp(placed.leaderFrom.x(), placed.box.left(), placed.box.right()),
                            std::clamp(placed.leaderFrom.y(), placed.box.top(), placed.box.bottom()));
      painter.setPen(pen(c.line, 0.6 * unit, false));
      painter.drawLine(placed.leaderFrom, nearest);
      painter.setBrush(c.line);
      painter.drawEllipse(placed.leaderFrom, 1.2 * unit, 1.2 * unit);
    }
    painter.setPen(pen(c.line, 0.6 * unit, label.dashed));
    painter.setBrush(c.labelBox);
    painter.drawRect(placed.box);
    painter.setPen(c.text);
    painter.drawText(placed.box, Qt::AlignCenter, label.text);
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

Colours exportColours() {
  Colours c = worksheetColours();
  c.paper = Qt::white;
  c.grid = QColor(190, 190, 190);
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

void paintFigure(QPainter& painter, const Figure& figure, const QRectF& target, const Colours& colours,
                 bool withTitle) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  if (colours.paper.isValid()) painter.fillRect(target, colours.paper);
  if (!figure.isEmpty()) {
    const double unit = painter.device()->logicalDpiX() / 96.0;
    painter.setClipRect(target);
    const Layout layout = layoutFigure(figure, target, layoutMetrics(painter.device(), colours, withTitle));
    const Mapping& map = layout.map;
    paintAreas(painter, figure, map, colours);
    paintArcs(painter, figure, map, colours, unit);
    paintSegments(painter, figure, map, colours, unit);
    paintDots(painter, figure, map, colours, unit);
    paintLabels(painter, figure, layout, colours, unit);
    if (!layout.title.isEmpty()) {
      painter.setFont(titleFont(colours));
      painter.setPen(colours.text);
      painter.drawText(layout.title, Qt::AlignHCenter | Qt::AlignVCenter, figure.title);
    }
  }
  painter.restore();
}

LayoutMetrics layoutMetrics(QPaintDevice* device, const Colours& colours, bool withTitle) {
  // The title is bold and so a little wider than the labels' font measures.
  const QFontMetricsF labels(labelFont(colours), device);
  const QFontMetricsF title(titleFont(colours), device);
  LayoutMetrics metrics;
  metrics.unit = device->logicalDpiX() / 96.0;
  metrics.withTitle = withTitle;
  metrics.measure = [labels](const QString& text) { return labels.size(Qt::TextSingleLine, text); };
  metrics.titleMeasure = [title](const QString& text) { return title.size(Qt::TextSingleLine, text); };
  return metrics;
}

QImage figureImage(const Figure& figure, QSize size, const Colours& colours, bool withTitle) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintFigure(painter, figure, QRectF(QPointF(0, 0), size), colours, withTitle);
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
    paintFigure(painter, figure, QRectF(QPointF(0, 0), size), colours, true);
    painter.end();
  } else if (!figureImage(figure, size, colours, true).save(&file, "PNG")) {
    raiseFor(path);
  }
  replaceFileContent(path, bytes);
}

}  // namespace veltrano::figure
