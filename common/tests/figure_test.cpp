#include "common/figure.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QSvgRenderer>

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

class FigureFileTest : public veltrano::testing::WindowTest {};

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

}  // namespace
