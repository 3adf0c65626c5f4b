#include "complex/complex_figure.h"

#include <gtest/gtest.h>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "common/testing/figure_checks.h"
#include "common/testing/printers.h"
#include "complex/complex_solver.h"

using namespace veltrano;
using namespace veltrano::complex;
using figure::Figure;

namespace {

QStringList labels(const Figure& f) {
  QStringList texts;
  for (const auto& label : f.labels) texts << label.text;
  return texts;
}

TEST(ComplexFigureTest, ResultTextsReadBackAsPoints) {
  const struct {
    QString text;
    std::optional<QPointF> point;
  } cases[] = {
      {"3+4*i", QPointF(3, 4)},
      {"1E+300-1E-05*i", QPointF(1e300, -1e-5)},
      {"NOT DEFINED FOR X = 0", std::nullopt},
      {"5,0.927295218001612", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(pointOfText(c.text), c.point) << c.text.toStdString();
}

// Records the roots a run gives the list.
struct RootsSheet : ComplexSheet {
  QString result(Target) const override { return {}; }
  void setResult(Target, const QString&) override {}
  void clearRoots() override { roots = {}; }
  void setRoots(const RootSeries& series) override { roots = series; }
  void focusExponent() override {}
  RootSeries roots;
};

ShownComplex rootsOf(double a, double n) {
  ComplexSolver solver;
  solver.Task = 9, solver.a = a, solver.n = n;
  RootsSheet sheet;
  solver.SolveComplex(sheet);
  ShownComplex shown;
  shown.task = 9;
  shown.x = QPointF(a, 0);
  for (int k = 0; k < sheet.roots.count; ++k) shown.roots.append({sheet.roots.re(k), sheet.roots.im(k)});
  shown.firstRootText = sheet.roots.row(0);
  return shown;
}

// The cube roots of -8 lie 120 degrees apart on the circle of radius 2, the
// first at 60 degrees marked large and told with its row's text.
TEST(ComplexFigureTest, CubeRootsOfMinusEightOnTheCircleOfRadiusTwo) {
  const Figure f = complexFigure(rootsOf(-8, 3));
  ASSERT_EQ(f.arcs.size(), 1);
  EXPECT_DOUBLE_EQ(f.arcs[0].radius, 2);
  ASSERT_EQ(f.dots.size(), 2);
  const QList<QPointF>& roots = f.dots[0].at;
  ASSERT_EQ(roots.size(), 3);
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(std::hypot(roots[k].x(), roots[k].y()), 2, 1e-15);
    EXPECT_NEAR(qRadiansToDegrees(std::atan2(roots[k].y(), roots[k].x())), k == 2 ? -60 : 60 + 120 * k,
                1e-12);
  }
  EXPECT_TRUE(f.dots[1].large);
  EXPECT_EQ(f.dots[1].at, QList<QPointF>{roots[0]});
  EXPECT_EQ(labels(f).mid(4), (QStringList{"x = -8", "root 1 \u2248 1+1.732i", "radius = 2"}));
}

// Every label clear at the pane's width and maximised, in each kind of
// plane: two numbers, the polar form, one root and the most roots the list
// holds, numbers near and far from 1.
TEST(ComplexFigureTest, LabelsKeepClearInEveryTaskAndSize) {
  ShownComplex sum;
  sum.x = QPointF(3, 4);
  sum.y = QPointF(1, -2);
  sum.result = QPointF(4, 2);
  sum.resultText = "4+2*i";
  ShownComplex polar;
  polar.task = 7;
  polar.x = QPointF(3, 4);
  polar.result = polar.x;
  polar.resultText = "5,0.927295218001612";
  ShownComplex huge;
  huge.task = 2;
  huge.x = QPointF(1e300, -1e-5);
  huge.y = QPointF(0, 1);
  huge.result = QPointF(1e-5, 1e300);
  huge.resultText = "1E-05+1E+300*i";
  const struct {
    const char* name;
    ShownComplex shown;
    QStringList told;
  } cases[] = {
      {"sum", sum, {"x = 3+4i", "y = 1-2i", "x + y = 4+2i"}},
      {"polar", polar, {"x = 3+4i", "|x| = 5, arg \u2248 0.9273"}},
      {"one root", rootsOf(1, 1), {"x = 1", "root 1 = 1", "radius = 1"}},
      {"32767 roots", rootsOf(1, 32767), {"x = 1", "root 1 = 1", "radius = 1"}},
      {"far", huge, {"x = 1E+300-1E-05i", "y = i", "x * y = 1E-05+1E+300i"}},
  };
  const QSizeF sizes[] = {{420, 434}, {1200, 900}};
  for (const auto& c : cases) {
    const Figure f = complexFigure(c.shown);
    EXPECT_EQ(labels(f).mid(0, 2), (QStringList{"Re", "Im"})) << c.name;
    EXPECT_EQ(labels(f).mid(4), c.told) << c.name;
    for (QSizeF size : sizes) {
      EXPECT_EQ(veltrano::testing::labelFaultsAt(f, size), QStringList()) << c.name << " at " << size.width();
    }
  }
}

// A grid of round steps reaching past the farthest point; the result a point.
TEST(ComplexFigureTest, PlaneInRoundStepsWithTheResult) {
  ShownComplex shown;
  shown.x = QPointF(3, 4);
  shown.y = QPointF(1, -2);
  shown.result = QPointF(4, 2);
  shown.resultText = "4+2*i";
  const Figure f = complexFigure(shown);
  EXPECT_EQ(f.bounds(), QRectF(QPointF(-4, -4), QPointF(4, 4)));
  EXPECT_EQ(f.dots.value(0).at, QList<QPointF>{QPointF(4, 2)});
}

// The argument of x is marked from the positive real axis as the polar form
// gives it, from -90 up to 270 degrees: the fourth quadrant clockwise, the
// short way, the third counter-clockwise.
TEST(ComplexFigureTest, TheArgumentMarkRunsAsThePolarFormGivesIt) {
  const std::pair<QPointF, double> cases[] = {{QPointF(1, 1), 45},    {QPointF(-1, 1), 135},
                                              {QPointF(-1, -1), 225}, {QPointF(1, -1), -45},
                                              {QPointF(0, -2), -90},  {QPointF(-2, 0), 180}};
  for (const auto& [x, degrees] : cases) {
    ShownComplex shown;
    shown.task = 7;
    shown.x = x;
    const Figure f = complexFigure(shown);
    const double modulus = std::hypot(x.x(), x.y());
    const auto mark = std::find_if(f.arcs.begin(), f.arcs.end(),
                                   [&](const figure::Arc& arc) { return arc.radius == 0.3 * modulus; });
    ASSERT_NE(mark, f.arcs.end()) << x.x() << ", " << x.y();
    EXPECT_EQ(mark->startDegrees, 0);
    EXPECT_NEAR(mark->spanDegrees, degrees, 1e-6) << x.x() << ", " << x.y();
  }
}

// Near the end of the double range the plane is drawn in a power of ten as
// its unit: its size stays one the painter can scale, the result still lies
// on its grid, and the step labels tell the true values.
TEST(ComplexFigureTest, PlaneAtTheEdgeOfTheDoubleRangeStaysDrawable) {
  const struct {
    QPointF result;
    QString stepLabel;
  } cases[] = {
      {QPointF(1e308, 0), "5E+307"},
      {QPointF(-1.7e308, 1.7e308), "5E+307"},
      {QPointF(1e151, 1), "5E+150"},
      {QPointF(1e150, 1), "5E+149"},  // the last extent drawn as it is
  };
  for (const auto& c : cases) {
    ShownComplex shown;
    shown.task = 8;
    shown.x = QPointF(10, 0);
    shown.result = c.result;
    shown.resultText = "r";
    const Figure f = complexFigure(shown);
    const QRectF box = f.bounds();
    EXPECT_TRUE(std::isfinite(box.width()) && box.width() > 0) << c.result.x();
    const QPointF dot = f.dots.value(0).at.value(0);
    EXPECT_TRUE(box.contains(dot) && std::abs(dot.x()) > box.width() / 10) << c.result.x();
    EXPECT_TRUE(std::any_of(f.labels.begin(), f.labels.end(), [&](const figure::Label& l) {
      return l.text == c.stepLabel;
    })) << c.result.x();
  }
}

}  // namespace
