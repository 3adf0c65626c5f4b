#include "circles/circle_solver.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <vector>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/testing/printers.h"

namespace veltrano::circles {
namespace {

// Six text fields whose changes store the value and solve again, as the
// window's change handlers do; records the pointer changes and outcomes.
class FieldsView : public CircleView {
 public:
  FieldsView() : solver(*this) { Dimension::SetConstants(); }

  void writeField(CircleField field, const QString& text) override {
    ++writes;
    QString& shown = texts[static_cast<std::size_t>(field)];
    if (shown == text) return;
    shown = text;
    changed(field);
  }
  void setBusy(bool busy) override { pointer.push_back(busy); }
  void solveEnded(const SolveOutcome& result) override {
    ++outcomes;
    outcome = result;
  }

  // The user types text into a field.
  void type(CircleField field, const QString& text) {
    texts[static_cast<std::size_t>(field)] = text;
    changed(field);
  }
  QString text(CircleField field) const { return texts[static_cast<std::size_t>(field)]; }
  double value(CircleField field) const { return TextToNumber(text(field)); }

  CircleSolver solver;
  std::array<QString, kCircleFieldCount> texts;
  std::vector<bool> pointer;
  SolveOutcome outcome;
  int outcomes = 0;
  int writes = 0;

 private:
  void changed(CircleField field) {
    CircleVariables& v = solver.variables();
    const double typed = TextToNumber(text(field));
    switch (field) {
      case CircleField::Radius: v.Radius = typed; break;
      case CircleField::Arc: v.Arc = typed; break;
      case CircleField::Chord: v.Chord = typed; break;
      case CircleField::CentralAngle: v.CentralAngle = Real(typed) * Dimension::Pi / 180; break;
      default: return;
    }
    solver.SolveCircle();
  }
};

double halfAngleRatio(double t) { return std::sin(t) / t; }

TEST(CircleIteration, KeepsTheRootNewtonsIterationFindsFromItsFixedStart) {
  // Half angles from an independent run of the same iteration in double
  // precision; the solver must keep them to the last bit.
  struct Case {
    double ratio;
    double halfAngle;
    double iterations;
  };
  for (const Case& c : {Case{0.8, 1.1311025856513446, 6}, Case{0.95, 0.5519109786220067, 5},
                        Case{0.9999, 0.02449526486536953, 13}, Case{0.743, 1.295050248238955, 8}}) {
    FieldsView view;
    CircleVariables& v = view.solver.variables();
    v.Arc = 1;
    v.Chord = c.ratio;
    view.solver.SolveArcAndChord();
    EXPECT_EQ(v.Converged, 1) << c.ratio;
    EXPECT_EQ(v.HalfAngle.value(), c.halfAngle) << c.ratio;
    EXPECT_EQ(v.CentralAngle.value(), c.halfAngle + c.halfAngle) << c.ratio;
    EXPECT_EQ(v.IterationCount.value(), c.iterations) << c.ratio;
  }
}

TEST(CircleIteration, FindsTheTrueHalfAngleWhereTheIterationMissesIt) {
  for (double ratio : {0.742, 0.7, 0.5, 0.2, 0.01, 1e-6}) {
    FieldsView view;
    CircleVariables& v = view.solver.variables();
    v.Arc = 3;
    v.Chord = 3 * ratio;
    view.solver.SolveArcAndChord();
    const double t = v.CentralAngle.value() / 2;
    EXPECT_EQ(v.Converged, 1) << ratio;
    EXPECT_GT(t, 0.0) << ratio;
    EXPECT_LT(t, Dimension::Pi) << ratio;
    EXPECT_NEAR(halfAngleRatio(t), v.ChordArcRatio.value(), 4e-16) << ratio;
  }
}

TEST(CircleIteration, BracketedRootIsAccurateToTheLastBits) {
  for (double ratio : {0.999999, 0.9, 0.6366197723675814, 0.3, 0.05, 1e-9}) {
    const double t = CircleSolver::bracketedHalfAngle(ratio);
    EXPECT_GT(t, 0.0);
    EXPECT_LT(t, Dimension::Pi);
    // The neighbouring doubles bracket the ratio: no better double exists.
    const double below = std::nextafter(t, 0.0);
    const double above = std::nextafter(t, 4.0);
    EXPECT_GE(halfAngleRatio(below), ratio - 1e-16) << ratio;
    EXPECT_LE(halfAngleRatio(above), ratio + 1e-16) << ratio;
  }
  // sin(t)/t = 2/Pi at a right half angle.
  EXPECT_NEAR(CircleSolver::bracketedHalfAngle(2 / Dimension::Pi), Dimension::HalfPi, 1e-15);
}

TEST(CircleIteration, RatiosOutsideZeroToOneHaveNoCircleAndKeepTheAngle) {
  struct Case {
    double arc;
    double chord;
  };
  for (const Case& c : {Case{1, 1.2}, Case{1, 0}, Case{1, -0.5}, Case{-1, 0.5}, Case{2, 5}}) {
    FieldsView view;
    CircleVariables& v = view.solver.variables();
    v.Arc = c.arc;
    v.Chord = c.chord;
    v.CentralAngle = 0.75;
    v.Converged = 1;
    view.solver.SolveArcAndChord();
    EXPECT_EQ(v.Converged, 0) << c.arc << " " << c.chord;
    EXPECT_EQ(v.CentralAngle.value(), 0.75) << c.arc << " " << c.chord;
  }
}

TEST(CircleIteration, ZeroArcIsNoResultEvenAfterASuccessfulSolve) {
  FieldsView view;
  CircleVariables& v = view.solver.variables();
  v.Arc = 1;
  v.Chord = 0.8;
  view.solver.SolveArcAndChord();
  ASSERT_EQ(v.Converged, 1);
  const double angle = v.CentralAngle.value();
  v.Arc = 0;
  view.solver.SolveArcAndChord();
  EXPECT_EQ(v.Converged, 0);
  EXPECT_EQ(v.CentralAngle.value(), angle);
}

TEST(CircleIteration, ChordEqualToArcKeepsTheIterationsTinyAngle) {
  FieldsView view;
  CircleVariables& v = view.solver.variables();
  v.Arc = 1;
  v.Chord = 1;
  view.solver.SolveArcAndChord();
  EXPECT_EQ(v.Converged, 1);
  EXPECT_GT(v.CentralAngle.value(), 0.0);
  EXPECT_LT(v.CentralAngle.value(), 1e-5);
}

TEST(CircleIteration, BusyPointerIsSetOnceAndRestoredOnEveryPath) {
  struct Case {
    double arc;
    double chord;
  };
  // Iteration, bracketed root, no circle, and a zero arc that fails at once.
  for (const Case& c : {Case{1, 0.8}, Case{1, 0.3}, Case{1, 2}, Case{0, 1}}) {
    FieldsView view;
    view.solver.variables().Arc = c.arc;
    view.solver.variables().Chord = c.chord;
    view.solver.SolveArcAndChord();
    EXPECT_EQ(view.pointer, (std::vector<bool>{true, false})) << c.arc << " " << c.chord;
  }
}

TEST(CircleSolve, OutermostSolveAloneReportsAndDecides) {
  FieldsView view;
  view.type(CircleField::Arc, QStringLiteral("1"));
  view.outcomes = 0;
  view.type(CircleField::Radius, QStringLiteral("2"));
  // The writes of the angle and the chord each start nested solves.
  EXPECT_EQ(view.outcomes, 1);
  EXPECT_TRUE(view.outcome.failure.isEmpty());
  EXPECT_EQ(view.outcome.stale, FieldFlags{});
  EXPECT_EQ(view.text(CircleField::CentralAngle), QStringLiteral("28.6478897565412"));
}

TEST(CircleSolve, NoResultCascadeEndsWithTheAreasOfTheOldRadius) {
  FieldsView view;
  view.solver.variables().Task = ArcAndChord;
  view.texts = {"", "1", "0.8", "", "", ""};
  view.type(CircleField::Arc, QStringLiteral("1"));
  view.type(CircleField::Chord, QStringLiteral("0.8"));  // settles: angle about 129.6 degrees
  const double oldAngle = view.solver.variables().CentralAngle.value();

  view.type(CircleField::Chord, QStringLiteral("1.5"));
  EXPECT_EQ(view.text(CircleField::CentralAngle), QStringLiteral("No result"));
  // The radius comes from the angle the field held before; "No result" reads
  // as angle 0, so the segment uses cos(0) = 1.
  const double radius = view.value(CircleField::Radius);
  EXPECT_NEAR(radius, 1 / oldAngle, 1e-13);
  EXPECT_EQ(view.solver.variables().CentralAngle.value(), 0.0);
  EXPECT_NEAR(view.value(CircleField::Sector), radius / 2, 1e-13);
  EXPECT_NEAR(view.value(CircleField::Segment), radius / 2 - 1.5 * radius / 2, 1e-13);
  EXPECT_EQ(view.outcome.failure, QStringLiteral("The chord is longer than the arc"));
  EXPECT_EQ(view.outcome.stale, (FieldFlags{true, false, false, false, true, true}));

  // A second impossible chord: the angle variable is now 0, so the radius
  // division fails and nothing more is written.
  const auto before = view.texts;
  view.type(CircleField::Chord, QStringLiteral("2"));
  EXPECT_EQ(view.texts[0], before[0]);
  EXPECT_EQ(view.texts[4], before[4]);
  EXPECT_EQ(view.outcome.failure, QStringLiteral("The chord is longer than the arc"));
  EXPECT_EQ(view.outcome.stale, (FieldFlags{true, false, false, true, true, true}));
}

TEST(CircleSolve, FailuresAreExplainedInPlainWords) {
  struct Case {
    std::int32_t task;
    CircleField first;
    const char* firstText;
    CircleField second;
    const char* secondText;
    const char* failure;
  };
  using F = CircleField;
  const Case cases[] = {
      {RadiusAndArc, F::Arc, "1", F::Radius, "0", "The radius is zero"},
      {RadiusAndChord, F::Chord, "1", F::Radius, "0", "The radius is zero"},
      {RadiusAndChord, F::Radius, "1", F::Chord, "2.5", "The chord is longer than the diameter"},
      {ArcAndCentralAngle, F::Arc, "1", F::CentralAngle, "0", "The central angle is zero"},
      {ChordAndCentralAngle, F::Chord, "1", F::CentralAngle, "0", "The central angle is zero"},
      {ArcAndChord, F::Chord, "0", F::Arc, "1", "The chord is zero"},
      {ArcAndChord, F::Chord, "1", F::Arc, "0", "The arc is zero"},
      {ArcAndChord, F::Chord, "-1", F::Arc, "2", "No circle has this arc and chord"},
      {ArcAndChord, F::Chord, "1", F::Arc, "1", "The chord equals the arc, so the arc is a straight line"},
      {RadiusAndCentralAngle, F::CentralAngle, "90", F::Radius, "1E307", "The result is too large"},
  };
  for (const Case& c : cases) {
    FieldsView view;
    view.solver.variables().Task = c.task;
    view.type(c.first, QString::fromLatin1(c.firstText));
    view.type(c.second, QString::fromLatin1(c.secondText));
    EXPECT_EQ(view.outcome.failure, QString::fromLatin1(c.failure)) << c.task << " " << c.secondText;
    bool anyStale = false;
    for (bool stale : view.outcome.stale) anyStale = anyStale || stale;
    EXPECT_TRUE(anyStale) << c.task << " " << c.secondText;
  }
}

}  // namespace
}  // namespace veltrano::circles
