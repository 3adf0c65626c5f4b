#include "circles/circle_figure.h"

#include <gtest/gtest.h>
#include <QtMath>

#include "circles/tests/circle_cases.h"
#include "common/numeric_text.h"
#include "common/testing/figure_checks.h"
#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::circles;
using figure::Figure;
using figure::Ink;

using veltrano::circles::testing::circle;

namespace {

void expectNear(QPointF actual, QPointF expected) {
  EXPECT_NEAR(actual.x(), expected.x(), 1e-12);
  EXPECT_NEAR(actual.y(), expected.y(), 1e-12);
}

const figure::Arc& thickArc(const Figure& f) {
  for (const figure::Arc& arc : f.arcs) {
    if (arc.thick) return arc;
  }
  static const figure::Arc none;
  ADD_FAILURE() << "no thick arc";
  return none;
}

// A half circle: the arc over the top from 0 to 180 degrees, in the result
// ink; its chord the diameter through the centre.
TEST(CircleFigureTest, HalfCircleHasTheDiameterForChord) {
  const Figure f = circleFigure(circle(2, 180));
  const figure::Arc& arc = thickArc(f);
  EXPECT_EQ(arc.ink, Ink::Result);
  EXPECT_DOUBLE_EQ(arc.startDegrees, 0);
  EXPECT_DOUBLE_EQ(arc.spanDegrees, 180);
  ASSERT_EQ(f.segments.size(), 3);
  expectNear(f.segments[0].from, {2, 0});
  expectNear(f.segments[0].to, {-2, 0});
  ASSERT_EQ(f.areas.size(), 2);
  EXPECT_EQ(f.areas[0].ink, Ink::LightTint) << "the sector first, the segment over it";
  EXPECT_EQ(f.areas[1].ink, Ink::StrongTint);
}

// Above 180 degrees the major arc: it runs through the top and its ends lie
// below the centre, and the segment, now the larger, is shaded first.
TEST(CircleFigureTest, AngleAbove180DrawsTheMajorArc) {
  const Figure f = circleFigure(circle(1, 270));
  const figure::Arc& arc = thickArc(f);
  EXPECT_DOUBLE_EQ(arc.startDegrees, -45);
  EXPECT_DOUBLE_EQ(arc.spanDegrees, 270);
  EXPECT_NEAR(f.segments[0].from.y(), -std::sqrt(0.5), 1e-12);
  EXPECT_EQ(f.areas[0].ink, Ink::StrongTint);
  EXPECT_EQ(f.areas[1].ink, Ink::LightTint);
  for (QPointF p : f.areas[0].corners) EXPECT_NEAR(std::hypot(p.x(), p.y()), 1, 1e-12);

  const struct { double radius, degrees; } none[] = {{0, 90}, {1, 0}, {1, 360.5}};
  for (const auto& n : none) EXPECT_TRUE(circleFigure(circle(n.radius, n.degrees)).isEmpty()) << n.degrees;
  EXPECT_FALSE(circleFigure(circle(1, 360)).isEmpty()) << "the whole circle";
}

QStringList labels(const Figure& f) {
  QStringList texts;
  for (const auto& label : f.labels) texts << label.text;
  return texts;
}

// Named as the fields are, each number as the field reads it, rounded for
// reading: a central angle typed "2.5.3" is read, and told, as 2.5.
TEST(CircleFigureTest, LabelsNameTheFieldsAndTellRoundedNumbers) {
  EXPECT_EQ(labels(circleFigure(circle(1, 90))),
            (QStringList{"90\u00B0", "sector \u2248 0.7854", "segment \u2248 0.2854", "Arc \u2248 1.571",
                         "Chord \u2248 1.414", "r = 1"}));
  ShownCircle typed = circle(2, 2.5);
  typed.texts[static_cast<std::size_t>(CircleField::CentralAngle)] = "2.5.3";
  EXPECT_EQ(labels(circleFigure(typed)).first(), "2.5\u00B0");
}

// At the pane's width and maximised: every label clear of the others and of
// the lines it does not name, inside the bounds, and each area's label where
// only that area is shaded (or led there from outside a sliver): above 180
// degrees the segment's in the triangle of chord and radii.
TEST(CircleFigureTest, LabelsKeepClearAndAreasAreToldInsideThem) {
  const struct {
    double radius, degrees;
  } cases[] = {{1, 57.2957795130823}, {2, 2.5},    {1, 45}, {1, 90}, {2, 180}, {1, 250}, {1, 270}, {1, 359},
               {1e-300, 120},         {1e300, 300}};
  const QSizeF sizes[] = {{420, 434}, {1200, 900}};
  for (const auto& c : cases) {
    const Figure f = circleFigure(circle(c.radius, c.degrees));
    ASSERT_FALSE(f.isEmpty()) << c.degrees;
    for (QSizeF size : sizes) {
      EXPECT_EQ(veltrano::testing::labelFaultsAt(f, size), QStringList())
          << c.degrees << " degrees at " << size.width();
    }
    const figure::Label& segment = f.labels[2];
    ASSERT_TRUE(segment.text.startsWith("segment"));
    if (c.degrees > 180) {
      EXPECT_EQ(segment.region.size(), 3) << c.degrees << ": the segment's own part is the triangle";
      EXPECT_EQ(f.areas[0].ink, Ink::StrongTint);
    }
  }
}

// A radius the painter could not scale is drawn as radius 1, its label
// telling the true one; those it can are drawn as they are.
TEST(CircleFigureTest, RadiiAtTheEdgesOfTheDoubleRangeStayDrawable) {
  const struct {
    double radius, drawn;
  } cases[] = {{1e-307, 1}, {1e-306, 1}, {1.7e308, 1}, {1e-150, 1e-150}, {1e150, 1e150}, {2, 2}};
  for (const auto& c : cases) {
    ShownCircle shown = circle(c.radius, 60);
    shown.texts[0] = NumberToText(c.radius);
    const Figure f = circleFigure(shown);
    EXPECT_DOUBLE_EQ(f.bounds().width(), 2 * c.drawn) << c.radius;
    const QStringList texts = labels(f);
    EXPECT_TRUE(texts.contains(figure::namedValue(QStringLiteral("r"), c.radius))) << c.radius;
  }
}

}  // namespace
