#include <gtest/gtest.h>
#include <algorithm>

#include "circles/circle_working.h"
#include "common/dimension.h"
#include "common/working_text.h"

namespace veltrano::circles {
namespace {

struct Given {
  std::int32_t task;
  double r, arc, chord, degrees;  // only the case's two are read
};

working::Working workingOf(const Given& g) {
  Dimension::SetConstants();
  CircleVariables v;
  v.Task = g.task;
  v.Radius = g.r;
  v.Arc = g.arc;
  v.Chord = g.chord;
  v.CentralAngle = g.degrees * Dimension::Pi / 180;
  return circleWorking(v);
}

// Lines of the working start so; a number may stand for its first digits.
void expectLines(const working::Working& w, const QStringList& expected) {
  const QStringList shown = working::toPlainText(w).split(u'\n');
  for (const QString& line : expected) {
    const bool found =
        std::any_of(shown.begin(), shown.end(), [&](const QString& s) { return s.startsWith(line); });
    EXPECT_TRUE(found) << line.toStdString() << "\n" << shown.join(u'\n').toStdString();
  }
}

// Each case's formulas with the numbers put in, against values worked out
// independently: 2·sin(0.5), 3π, 2/√3 and 240° in Python's math module, and
// the segment of radius 1 and arc 1 as 0.5 − sin(1)/2.
TEST(CircleWorking, EachCaseShowsItsFormulasWithTheNumbers) {
  const struct {
    Given given;
    bool stopped;
    QStringList lines;
  } cases[] = {
      {{RadiusAndArc, 1, 1, 0, 0},
       false,
       {"   θ = arc / r = 1 / 1 = 1 rad", "   θ = 57.2957795130823°", "2. Chord: chord = 2r·sin(θ/2)",
        "   chord = 0.958851077208406", "   Sector area = 0.5", "   Segment area = 0.07926450759605"}},
      {{RadiusAndChord, 3, 0, 6, 0},
       false,
       {"   k = (chord / 2) / r = (6 / 2) / 3 = 1", "   cos(θ/2) = 0: the chord is a diameter", "   θ = 180°",
        "   arc = 9.42477796076938"}},
      {{RadiusAndChord, 3, 0, 7, 0},
       true,
       {"1. Stopped: The chord is longer than the diameter", "   chord / 2 = 3.5 is more than r = 3"}},
      {{RadiusAndCentralAngle, 2, 0, 0, 60},
       false,
       {"1. Central angle from degrees to radians", "   θ = 60° · π / 180 = 1.0471975511966 rad",
        "   chord = 2"}},
      {{ArcAndCentralAngle, 0, 1, 0, 0}, true, {"2. Stopped: The central angle is zero"}},
      // Above 180° the arc is the major one and the triangle adds to the sector.
      {{ChordAndCentralAngle, 0, 0, 2, 240},
       false,
       {"   r = 1.15470053837925", "   θ is above 180°: the arc is the major arc",
        "   = 2.79252680319093 − (2·1.15470053837925 / 2)·(-0.5)"}},
      {{RadiusAndCentralAngle, 1e307, 0, 0, 90},
       true,
       {"   chord = 1.41421356237309E+307", "4. Stopped: The result is too large"}},
  };
  for (const auto& c : cases) {
    const working::Working w = workingOf(c.given);
    EXPECT_EQ(w.stopped, c.stopped) << c.lines[0].toStdString();
    expectLines(w, c.lines);
  }
}

// The arc-and-chord search as the program runs it: Newton's iterates (those
// of ratio 0.8 from the same iteration in Python's floats), why it stopped,
// the bracketed search where Newton's root is not the half angle (its root
// 1.89549426703398 by bisection in Python), and "No result" beyond the arc.
TEST(CircleWorking, ArcAndChordShowsEveryStepOfTheSearch) {
  const struct {
    double chord;
    QStringList lines;
  } cases[] = {
      {0.8,
       {"2. Newton's steps on sin(t) − k·t = 0 from t = π/4",
        "      1 | 0.785398163397448 | 1.63355749596198 |",
        "      2 |  1.63355749596198 | 1.27560260732665 |",
        "      5 |  1.13153519365004 | 1.13110281164299 |",
        "      6 |  1.13110281164299 | 1.13110258565134 | 2.2599", "3. Where the iteration stopped",
        "   The change is at most the tolerance 0.000001 after 6 steps: t = 1.13110258565134",
        "   t lies in (0, π) and sin(t) / t = 0.79999999999998, within 1E-9 of k", "4. Central angle: θ = 2t",
        "   θ = 129.614808708314°"}},
      // Newton's settles on t = 0: the bracket finds the root after 53 halvings,
      // eight listed at each end.
      {0.5,
       {"   The change is at most the tolerance 0.000001 after 6 steps: t = 0",
        "4. Bracketed search for t in (0, π)", "         1 |  1.5707963267949 | 3.14159265358979",
        "   … 37 more rows …", "        53 | 1.89549426703398 | 1.89549426703398",
        "   After 53 halvings low and high are neighbouring numbers; t is the one whose sin(t) / t is nearer "
        "k: "
        "t = 1.89549426703398",
        "   θ = 217.207643184581°", "   θ is above 180°: the arc is the major arc"}},
      // cos(π/4) − k = 0: the first step divides by zero.
      {0.7071067811865476,
       {"   Step 1 could not be made: cos t − k is 0.", "4. Bracketed search for t in (0, π)"}},
      {1.25,
       {"   No result: The chord is longer than the arc",
        "   The central angle shows \"No result\"; the radius comes from the angle it held, "
        "0.523598775598299 rad.",
        "   k = 1.25 is more than 1: a chord is never longer than its arc"}},
  };
  for (const auto& c : cases) {
    const working::Working w = workingOf({ArcAndChord, 0, 1, c.chord, 30});
    EXPECT_EQ(w.stopped, c.chord > 1) << c.chord;
    expectLines(w, c.lines);
  }
}

}  // namespace
}  // namespace veltrano::circles
