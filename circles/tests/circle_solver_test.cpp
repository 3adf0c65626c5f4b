#include "circles/circle_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/dimension.h"
#include "common/testing/printers.h"

namespace veltrano::circles {
namespace {

using F = CircleField;

// Records the pointer; the root search writes no field.
class PointerView : public CircleView {
 public:
  PointerView() : solver(*this) { Dimension::SetConstants(); }
  void writeField(F, const QString&) override {}
  void setBusy(bool busy) override { pointer.push_back(busy); }
  void solveEnded(const SolveOutcome&) override {}

  CircleVariables& search(double arc, double chord) {
    solver.variables().Arc = arc;
    solver.variables().Chord = chord;
    solver.SolveArcAndChord();
    return solver.variables();
  }

  CircleSolver solver;
  std::vector<bool> pointer;
};

TEST(CircleRoot, KeepsToTheBitTheRootNewtonsIterationFinds) {
  // Half angles from an independent run of the same iteration in doubles.
  struct Case {
    double ratio, halfAngle, iterations;
  };
  for (const Case& c : {Case{0.8, 1.1311025856513446, 6}, Case{0.95, 0.5519109786220067, 5},
                        Case{0.9999, 0.02449526486536953, 13}, Case{0.743, 1.295050248238955, 8}}) {
    PointerView view;
    const CircleVariables& v = view.search(1, c.ratio);
    EXPECT_EQ(v.Converged, 1) << c.ratio;
    EXPECT_EQ(v.CentralAngle.value(), c.halfAngle + c.halfAngle) << c.ratio;
    EXPECT_EQ(v.IterationCount.value(), c.iterations) << c.ratio;
    EXPECT_EQ(view.pointer, (std::vector<bool>{true, false}));
  }
}

TEST(CircleRoot, FindsTheTrueRootToTheLastBitWhereTheIterationMissesIt) {
  for (double ratio : {0.742, 0.6366197723675814, 0.5, 0.2, 0.01, 1e-9}) {
    PointerView view;
    const double t = view.search(3, 3 * ratio).CentralAngle.value() / 2;
    EXPECT_EQ(view.solver.variables().Converged, 1) << ratio;
    EXPECT_EQ(view.pointer, (std::vector<bool>{true, false}));
    ASSERT_GT(t, 0.0);
    ASSERT_LT(t, Dimension::Pi);
    // The neighbouring doubles lie on either side of the ratio.
    const double r = view.solver.variables().ChordArcRatio.value();
    EXPECT_GE(std::sin(std::nextafter(t, 0.0)) / std::nextafter(t, 0.0), r - 1e-16) << ratio;
    EXPECT_LE(std::sin(std::nextafter(t, 4.0)) / std::nextafter(t, 4.0), r + 1e-16) << ratio;
  }
  PointerView view;
  EXPECT_NEAR(view.search(1, 2 / Dimension::Pi).CentralAngle.value(), Dimension::Pi, 1e-15);
}

TEST(CircleRoot, NoCircleOutsideRatiosZeroToOneKeepsTheAngle) {
  // Chord longer than the arc, zero, negative, and a zero arc after a success.
  const std::pair<double, double> cases[] = {{1, 1.2}, {1, 0}, {1, -0.5}, {-1, 0.5}, {0, 1}};
  for (const auto& [arc, chord] : cases) {
    PointerView view;
    view.search(1, 0.8);
    const double angle = view.solver.variables().CentralAngle.value();
    const CircleVariables& v = view.search(arc, chord);
    EXPECT_EQ(v.Converged, 0) << arc << " " << chord;
    EXPECT_EQ(v.CentralAngle.value(), angle) << arc << " " << chord;
    EXPECT_EQ(view.pointer, (std::vector<bool>{true, false, true, false}));
  }
}

}  // namespace
}  // namespace veltrano::circles
