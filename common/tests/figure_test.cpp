#include "common/figure.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QSvgRenderer>

#include "common/figure_layout.h"
#include "common/figure_painter.h"
#include "common/figure_pane.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::figure;

namespace {

TEST(FigureTest, RoundStepsAndBoundsOfArcs) {
  const struct {
    double extent;
    int lines;
    double step;
  } steps[] = {{10, 5, 2}, {9, 10, 1}, {0.03, 4, 0.01}, {7000, 4, 2000}, {4.5, 1, 5}, {0, 5, 1}};
  for (const auto& s : steps) EXPECT_DOUBLE_EQ(roundStep(s.extent, s.lines), s.step) << s.extent;

  Figure figure;
  EXPECT_TRUE(figure.bounds().isNull());
  // An upper half circle reaches up through 90 degrees, not only to its ends.
  figure.arcs.append({QPointF(1, 1), 2, 0, 180});
  const QRectF half = figure.bounds();
  EXPECT_DOUBLE_EQ(half.left(), -1);
  EXPECT_DOUBLE_EQ(half.right(), 3);
  EXPECT_NEAR(half.top(), 1, 1e-12);
  EXPECT_DOUBLE_EQ(half.bottom(), 3);
  // A major arc from 300 through 300 degrees holds 360, 450 and 540.
  figure.arcs = {{QPointF(0, 0), 1, 300, 300}};
  const QRectF major = figure.bounds();
  EXPECT_DOUBLE_EQ(major.right(), 1);
  EXPECT_DOUBLE_EQ(major.bottom(), 1);
  EXPECT_DOUBLE_EQ(major.left(), -1);
  EXPECT_NEAR(major.top(), -std::sqrt(0.75), 1e-12);
}

// Four significant digits for reading; "=" only where nothing was rounded.
TEST(FigureTest, LabelsTellNumbersRoundedForReading) {
  const struct {
    QString name;
    double value;
    QString suffix;
    QString label;
  } cases[] = {
      {"c", 9.6328920407625, "", "c \u2248 9.633"},
      {"B", 44.4270040008057, "\u00B0", "B \u2248 44.43\u00B0"},
      {"a", 5, "", "a = 5"},
      {"r", 0.1, "", "r = 0.1"},
      {"s", 999.96, "", "s \u2248 1000"},
      {"s", 12345.6, "", "s \u2248 12346"},
      {"s", 1e300, "", "s = 1E+300"},
      {"s", -1.23456e-7, "", "s \u2248 -1.235E-07"},
      {"s", -0.000012, "", "s = -1.2E-05"},
      {"", 90, "\u00B0", "90\u00B0"},
      {"", 57.2957795130823, "\u00B0", "\u2248 57.3\u00B0"},
      {"s", 0, "", "s = 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(namedValue(c.name, c.value, c.suffix), c.label) << c.value;
}

// The geometry the label rules are checked by, on the device's pixels.
TEST(FigureTest, BoxesMeetLinesAndArcsWhereTheyCross) {
  const QRectF box(10, 10, 20, 10);  // x 10..30, y 10..20
  const struct {
    QPointF from, to;
    bool meets;
  } lines[] = {{{0, 0}, {40, 30}, true},
               {{0, 0}, {40, 0}, false},
               {{15, 15}, {16, 16}, true},
               {{0, 25}, {40, 25}, false},
               {{20, 0}, {20, 40}, true}};
  for (const auto& l : lines)
    EXPECT_EQ(boxMeetsSegment(box, l.from, l.to), l.meets) << l.from.x() << l.from.y();
  // A circle of radius 10 about (20, 30): its top (20, 20) touches the box;
  // the upper half only does, drawn counter-clockwise from 0 through 180.
  const struct {
    QPointF centre;
    double radius, start, span;
    bool meets;
  } arcs[] = {{{20, 30}, 10, 0, 360, true}, {{20, 30}, 10, 0, 180, true},  {{20, 30}, 10, 180, 180, false},
              {{20, 15}, 2, 0, 360, true},  {{20, 15}, 30, 0, 360, false}, {{20, 40}, 5, 0, 360, false},
              {{0, 15}, 12, -30, 60, true}, {{0, 15}, 12, 120, 60, false}};
  for (const auto& a : arcs) {
    EXPECT_EQ(boxMeetsArc(box, a.centre, a.radius, a.start, a.span), a.meets)
        << a.centre.y() << " r " << a.radius << " from " << a.start;
  }
  const QList<QPointF> triangle{{0, 0}, {100, 0}, {0, 100}};
  EXPECT_TRUE(boxInPolygon(QRectF(5, 5, 20, 20), triangle));
  EXPECT_FALSE(boxInPolygon(QRectF(40, 40, 30, 30), triangle)) << "a corner outside";
  EXPECT_FALSE(pointInPolygon(QPointF(60, 60), triangle));
}

class FigureFileTest : public veltrano::testing::WindowTest {};

// One plain colour for each ink on white paper, no outlines, so that the
// pixels of each shape can be told apart in a painted image.
Colours plainColours() {
  Colours c;
  c.paper = Qt::white;
  c.outline = Qt::white;
  c.line = Qt::red;
  c.input = Qt::green;
  c.result = Qt::blue;
  c.labelBox = Qt::yellow;
  c.text = Qt::black;
  return c;
}

// The smallest rectangle that holds every pixel of exactly this colour.
QRect pixelsOf(const QImage& image, QColor colour) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == colour.rgb()) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// Whether nothing is painted within `width` pixels of the image's edge.
bool edgeIsBlank(const QImage& image, int width) {
  const QRect inside = image.rect().adjusted(width, width, -width, -width);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!inside.contains(x, y) && image.pixel(x, y) != QColor(Qt::white).rgb()) return false;
    }
  }
  return true;
}

// A figure that fits the pane one way but not the other is scaled to the
// tighter way, its label included: nothing of it is cut off at the edge.
TEST_F(FigureFileTest, AFigureTooTallOrTooWideIsScaledDownToFitWhole) {
  const struct {
    QPointF end;
    QSize pane;
  } cases[] = {{QPointF(0, 10), QSize(400, 100)}, {QPointF(10, 0), QSize(100, 400)}};
  for (const auto& c : cases) {
    Figure figure;
    figure.segments.append({QPointF(0, 0), c.end, Ink::Line, false, false, true});
    figure.labels.append({c.end, "end", c.end});
    const QImage image = figureImage(figure, c.pane, plainColours());
    EXPECT_TRUE(edgeIsBlank(image, 4)) << c.pane.width();
    const QRect line = pixelsOf(image, Qt::red);
    // Scaled to the tighter way, room kept for its label, not shrunk away.
    EXPECT_GT(std::max(line.width(), line.height()), 40) << c.pane.width();
    EXPECT_FALSE(pixelsOf(image, Qt::yellow).isEmpty());
  }
}

// y grows upwards in the figure and downwards on the screen: a point above
// another is painted above it, and an arc counter-clockwise from 0 through
// 180 degrees is the upper half of its circle.
TEST_F(FigureFileTest, FiguresArePaintedTheRightWayUp) {
  Figure figure;
  figure.arcs.append({QPointF(0, 0), 1, 0, 180, Ink::Line, true});
  figure.dots.append({{QPointF(0, 0)}, Ink::Input, true});
  const QImage image = figureImage(figure, QSize(200, 200), plainColours());
  const QRect centre = pixelsOf(image, Qt::green);
  const QRect upperHalf = pixelsOf(image, Qt::red);
  ASSERT_FALSE(centre.isEmpty() || upperHalf.isEmpty());
  EXPECT_LT(upperHalf.bottom(), centre.bottom()) << upperHalf.bottom() << " " << centre.bottom();
  EXPECT_LT(upperHalf.top(), centre.top() - 20);

  figure.dots.append({{QPointF(0, 1)}, Ink::Result, true});
  figure.arcs.clear();
  figure.arcs.append({QPointF(0, 0), 1, 0, 360, Ink::Line});
  const QImage dots = figureImage(figure, QSize(200, 200), plainColours());
  EXPECT_LT(pixelsOf(dots, Qt::blue).bottom(), pixelsOf(dots, Qt::green).top());
}

// SVG and PNG by the name's suffix; Qt SVG reads back what was written.
TEST_F(FigureFileTest, SavesSvgOrPngBySuffix) {
  Figure figure;
  figure.segments.append({QPointF(0, 0), QPointF(4, 3), Ink::Line});
  figure.arcs.append({QPointF(0, 0), 5, 0, 90, Ink::Result, true});
  figure.labels.append({QPointF(2, 1.5), "c = 5", QPointF(-3, 4)});
  const QSize size(FigurePane::kWidth, style::kWorksheetHeight);
  saveFigure(figure, size, worksheetColours(), path("figure.SVG"));
  QSvgRenderer svg(path("figure.SVG"));
  ASSERT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), size));

  saveFigure(figure, size, worksheetColours(), path("figure.png"));
  QImage png(path("figure.png"));
  EXPECT_EQ(png.size(), size);
}

// A saved figure goes on white, whatever the pane's paper, with its title.
TEST_F(FigureFileTest, SavedFiguresAreOnWhiteWithTheirTitle) {
  Figure figure;
  figure.title = "Triangle, case a,b,c (SSS)";
  figure.segments.append({QPointF(0, 0), QPointF(4, 3), Ink::Line});
  saveFigure(figure, QSize(420, 434), exportColours(), path("figure.png"));
  const QImage png(path("figure.png"));
  EXPECT_EQ(png.pixelColor(2, 430), QColor(Qt::white));
  saveFigure(figure, QSize(420, 434), exportColours(), path("figure.svg"));
  QFile svg(path("figure.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray text = svg.readAll();
  EXPECT_FALSE(text.contains("#00ffff")) << "no cyan paper";
  EXPECT_TRUE(text.contains("#ffffff"));
  const Layout titled = layoutFigure(figure, QRectF(0, 0, 420, 434), {1, fixedMeasure(7, 14), {}, true});
  EXPECT_GT(titled.title.width(), 0);
  EXPECT_GT(titled.map(QPointF(4, 3)).y(), titled.title.bottom()) << "the figure below its title";
}

}  // namespace
