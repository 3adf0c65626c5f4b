#include "triangles/triangle_figure.h"

#include <gtest/gtest.h>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::triangles;
using figure::Figure;

namespace {

class TriangleFigureTest : public ::testing::Test {
 protected:
  void SetUp() override { Dimension::SetConstants(); }

  // The variables and texts of a solve of the case from the given parts.
  static TriangleVariables solved(std::int32_t task, double a, double b, double third) {
    TriangleVariables v;
    v.Task = task;
    v.SideA = a;
    v.SideB = b;
    if (task == SSS) v.SideC = third;
    if (task == SSA) v.AngleA = DegreesToRadians(third);
    if (task == SAS) v.AngleC = DegreesToRadians(third);
    SolveTriangle(v, [](Part, const QString&) {});
    return v;
  }
  static ShownTriangle shown(const TriangleVariables& v) {
    const auto side = [](Real value) { return NumberToText(value.value()); };
    const auto angle = [](Real value) { return NumberToText(RadiansToDegrees(value).value()); };
    return {{v.SideA.value(), v.SideB.value(), v.SideC.value(), v.AngleA.value(), v.AngleB.value(),
             v.AngleC.value()},
            {side(v.SideA), side(v.SideB), side(v.SideC), angle(v.AngleA), angle(v.AngleB), angle(v.AngleC)}};
  }
  static QStringList labels(const Figure& f) {
    QStringList texts;
    for (const auto& label : f.labels) texts << label.text;
    return texts;
  }
};

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
  EXPECT_EQ(labels(f), (QStringList{"a = 3", "b = 4", "c = 5", "A = 36.869897645844\u00B0",
                                    "B = 53.130102354156\u00B0", "C = 90\u00B0"}));
  ASSERT_EQ(f.segments.size(), 5);
  for (int i = 3; i < 5; ++i)
    EXPECT_LT(std::hypot(f.segments[i].from.x() - 3, f.segments[i].from.y()), 0.6) << "the mark sits at C";

  const Figure equilateral = triangleFigure(shown(solved(SSS, 1, 1, 1)));
  EXPECT_EQ(equilateral.segments.size(), 3) << "no right angle, no mark";
}

// a = 5, b = 7, A = 30: B is 44.427... or 135.572...; the window keeps the
// acute one and the other stands dashed to its right, labelled with its own
// B, C and c. Where only one triangle fits nothing is added.
TEST_F(TriangleFigureTest, AmbiguousCaseDrawsTheSecondTriangleDashedBesideTheFirst) {
  const TriangleVariables v = solved(SSA, 5, 7, 30);
  const std::optional<SecondTriangle> second = secondTriangle(v);
  ASSERT_TRUE(second);

  const Figure f = triangleFigure(shown(v), second);
  const Figure first = triangleFigure(shown(v));
  ASSERT_EQ(f.segments.size(), first.segments.size() + 3);
  // The first is about as wide as tall (6.88 by 6.74): the second goes below.
  const double firstBottom = first.bounds().top();
  for (qsizetype i = first.segments.size(); i < f.segments.size(); ++i) {
    EXPECT_TRUE(f.segments[i].dashed);
    EXPECT_LT(std::max(f.segments[i].from.y(), f.segments[i].to.y()), firstBottom);
  }
  EXPECT_EQ(labels(f).mid(6), (QStringList{"c = 2.49146361221965", "B = 135.572995999194\u00B0",
                                           "C = 14.4270040008057\u00B0"}));

  const struct {
    std::int32_t task;
    double a, b, third;
  } single[] = {{SSA, 7, 5, 30}, {SSA, 5, 7, 90}, {SSA, 3.5, 7, 30}, {SAS, 5, 7, 30}};
  for (const auto& s : single) {
    EXPECT_FALSE(secondTriangle(solved(s.task, s.a, s.b, s.third))) << s.a << " " << s.b << " " << s.third;
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
