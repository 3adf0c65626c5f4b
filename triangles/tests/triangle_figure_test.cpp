#include "triangles/triangle_figure.h"

#include <gtest/gtest.h>

#include <QLineF>

#include "common/dimension.h"
#include "common/figure_layout.h"
#include "common/numeric_text.h"
#include "common/testing/figure_checks.h"
#include "common/testing/printers.h"
#include "triangles/tests/triangle_cases.h"

using namespace veltrano;
using namespace veltrano::triangles;
using figure::Figure;

using veltrano::triangles::testing::shown;
using veltrano::triangles::testing::solved;

namespace {

class TriangleFigureTest : public ::testing::Test {
 protected:
  void SetUp() override { Dimension::SetConstants(); }

  static QStringList labels(const Figure& f) {
    QStringList texts;
    for (const auto& label : f.labels) texts << label.text;
    return texts;
  }
};

QPointF centreOf(const QRectF& box) { return box.center(); }

double cross(QPointF o, QPointF a, QPointF b) {
  return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

double distance(QPointF p, QPointF q) { return std::hypot(p.x() - q.x(), p.y() - q.y()); }

// The labels of each triangle, three sides then three angles, follow its
// three sides a, b, c in the figure's order of solid, then dashed, lines.
void expectSidesOutsideAndAnglesNearTheirVertex(const Figure& f, const figure::Layout& layout,
                                                const QString& where) {
  const int triangles = f.labels.size() > 6 ? 2 : 1;
  for (int triangle = 0; triangle < triangles; ++triangle) {
    const int first = triangle * 6;
    QList<figure::Segment> sides;
    for (const figure::Segment& s : f.segments) {
      if (s.dashed == (triangle == 1) && s.part > 0 && (s.from != s.to) && sides.size() < 3 &&
          s.part % 10 == sides.size() + 1)
        sides << s;
    }
    ASSERT_EQ(sides.size(), 3) << where.toStdString();
    // Vertices on the device: A is where b ends, B where a starts, C where a ends.
    const QPointF vertex[] = {layout.map(sides[1].to), layout.map(sides[0].from), layout.map(sides[0].to)};
    for (int i = 0; i < 3; ++i) {
      const figure::PlacedLabel& side = layout.labels[first + i];
      const QPointF from = layout.map(sides[i].from);
      const QPointF to = layout.map(sides[i].to);
      EXPECT_LT(cross(from, to, centreOf(side.box)) * cross(from, to, vertex[i]), 0)
          << where.toStdString() << ": " << f.labels[first + i].text.toStdString() << " beyond its side";
      const figure::PlacedLabel& angle = layout.labels[first + 3 + i];
      if (angle.leader) continue;
      const QPointF at = centreOf(angle.box);
      EXPECT_LT(distance(at, vertex[i]),
                std::min(distance(at, vertex[(i + 1) % 3]), distance(at, vertex[(i + 2) % 3])))
          << where.toStdString() << ": " << f.labels[first + 3 + i].text.toStdString() << " near its vertex";
    }
  }
}

void expectNear(QPointF actual, QPointF expected) {
  EXPECT_NEAR(actual.x(), expected.x(), 1e-12);
  EXPECT_NEAR(actual.y(), expected.y(), 1e-12);
}

// To scale, side a at the bottom from B to C, each part labelled with its
// field's text; the right angle of 3-4-5 marked at C by two short strokes.
TEST_F(TriangleFigureTest, ThreeFourFiveStandsOnSideAWithItsRightAngleMarkedAtC) {
  const Figure f = triangleFigure(shown(solved(SSS, 3, 4, 5)));
  expectNear(f.segments[0].from, {0, 0});  // B, then C and A
  expectNear(f.segments[1].from, {3, 0});
  expectNear(f.segments[2].from, {3, 4});
  EXPECT_EQ(labels(f), (QStringList{"a = 3", "b = 4", "c = 5", "A \u2248 36.87\u00B0", "B \u2248 53.13\u00B0",
                                    "C = 90\u00B0"}));
  ASSERT_EQ(f.segments.size(), 5);
  for (int i = 3; i < 5; ++i)
    EXPECT_LT(std::hypot(f.segments[i].from.x() - 3, f.segments[i].from.y()), 0.6) << "the mark sits at C";

  const Figure equilateral = triangleFigure(shown(solved(SSS, 1, 1, 1)));
  EXPECT_EQ(equilateral.segments.size(), 3) << "no right angle, no mark";
}

// a = 5, b = 7, A = 30: B is 44.427... or 135.572...; the window keeps the
// acute one and the other stands dashed below it at the same scale, all six
// parts labelled, a and A marked alike in both. Where only one triangle fits
// nothing is added.
TEST_F(TriangleFigureTest, AmbiguousCaseDrawsTheSecondTriangleDashedBesideTheFirst) {
  const TriangleVariables v = solved(SSA, 5, 7, 30);
  const std::optional<SecondTriangle> second = secondTriangle(v);
  ASSERT_TRUE(second);

  const Figure f = triangleFigure(shown(v), second);
  const Figure first = triangleFigure(shown(v));
  // The first is about as wide as tall (6.88 by 6.74): the second goes below.
  const double firstBottom = first.bounds().top();
  QList<figure::Segment> dashed;
  for (const figure::Segment& s : f.segments) {
    if (s.dashed) dashed << s;
  }
  ASSERT_EQ(dashed.size(), 3);
  for (const figure::Segment& s : dashed) EXPECT_LT(std::max(s.from.y(), s.to.y()), firstBottom);
  const QLineF a1(f.segments[0].from, f.segments[0].to);
  const QLineF a2(dashed[0].from, dashed[0].to);
  EXPECT_NEAR(a1.length(), a2.length(), 1e-12) << "a the same length in both";
  EXPECT_NEAR(a1.dy(), 0, 1e-12);
  EXPECT_NEAR(a2.dy(), 0, 1e-12);
  EXPECT_EQ(f.arcs.size(), 4) << "two arcs in A in each";
  for (const figure::Arc& arc : f.arcs) EXPECT_NEAR(arc.spanDegrees, 30, 1e-9);
  EXPECT_EQ(labels(f).mid(6),
            (QStringList{"a = 5", "b = 7", "c \u2248 2.491", "A = 30\u00B0", "B \u2248 135.6\u00B0",
                         "C \u2248 14.43\u00B0", "second triangle"}));

  const struct {
    std::int32_t task;
    double a, b, third;
  } single[] = {{SSA, 7, 5, 30}, {SSA, 5, 7, 90}, {SSA, 3.5, 7, 30}, {SAS, 5, 7, 30}};
  for (const auto& s : single) {
    EXPECT_FALSE(secondTriangle(solved(s.task, s.a, s.b, s.third))) << s.a << " " << s.b << " " << s.third;
  }
}

// The labels at the pane's width, maximised and in a tall pane: each clear of
// the others and of the lines it does not name, inside the bounds, an angle's
// inside its triangle nearer its own vertex than the others (or led out of a
// thin one), a side's beyond its side.
TEST_F(TriangleFigureTest, LabelsKeepClearInEveryCaseAndSize) {
  const struct {
    std::int32_t task;
    double a, b, third;
  } cases[] = {{SSS, 3, 4, 5},
               {SSS, 1, 1, 1},
               {SSS, 1, 1, 1.999},
               {SSA, 5, 7, 30},
               {SSA, 3, 4, 30},
               {SSA, 7, 5, 30},
               {SAS, 7, 5, 21.7867892982618},
               {SAS, 1000, 0.001, 90},
               {SSS, 2, 3, 4.9}};
  const QSizeF sizes[] = {{420, 434}, {1200, 900}, {420, 900}};
  for (const auto& c : cases) {
    const TriangleVariables v = solved(c.task, c.a, c.b, c.third);
    const Figure f = triangleFigure(shown(v), secondTriangle(v));
    ASSERT_FALSE(f.isEmpty()) << c.a << " " << c.b << " " << c.third;
    for (QSizeF size : sizes) {
      const QRectF target(QPointF(0, 0), size);
      const figure::Layout layout = figure::layoutFigure(f, target, veltrano::testing::testMetrics());
      const QString where =
          QStringLiteral("%1, %2, %3 at %4 px").arg(c.a).arg(c.b).arg(c.third).arg(size.width());
      EXPECT_EQ(veltrano::testing::labelFaults(f, layout, target), QStringList()) << where.toStdString();
      expectSidesOutsideAndAnglesNearTheirVertex(f, layout, where);
    }
  }
}

// A part that is not positive (a negative C, a zero side) draws nothing.
TEST_F(TriangleFigureTest, NoFigureForAPartThatIsNotPositive) {
  EXPECT_TRUE(triangleFigure(shown(solved(SSA, 2, 2.02, 100))).isEmpty());
  EXPECT_TRUE(triangleFigure(shown(solved(SSS, 2, 1, 1))).isEmpty()) << "flat: B = C = 0";
  EXPECT_FALSE(triangleFigure(shown(solved(SAS, 7, 5, 21.7867892982618))).isEmpty());
}

// Sides the painter could not scale are drawn with the largest side 1, the
// labels telling the true lengths; those it can are drawn as they are.
TEST_F(TriangleFigureTest, SidesAtTheEdgesOfTheDoubleRangeStayDrawable) {
  const struct { double side, drawn; } cases[] = {{1e-300, 1}, {1e300, 1}, {1e-150, 1e-150}, {3, 3}};
  for (const auto& c : cases) {
    ShownTriangle equilateral;
    equilateral.values = {c.side, c.side, c.side, M_PI / 3, M_PI / 3, M_PI / 3};
    equilateral.texts = {NumberToText(c.side), "b", "c", "A", "B", "C"};
    const Figure f = triangleFigure(equilateral);
    EXPECT_NEAR(f.bounds().width(), c.drawn, 1e-12 * c.drawn) << c.side;
    EXPECT_EQ(labels(f).value(0), "a = " + NumberToText(c.side)) << c.side;
  }
}

}  // namespace
