#include "triangles/triangle_solver.h"

#include <gtest/gtest.h>
#include <QMap>
#include <algorithm>
#include <cmath>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::triangles;

namespace {

// The three given parts of a case, in the order of its caption.
struct Given {
  double first, second, third;
};

// Stores the given parts as the change handlers do: angles as radians.
TriangleVariables variablesFor(std::int32_t task, Given g) {
  TriangleVariables v;
  v.Task = task;
  v.SideA = g.first;
  Real* second[] = {&v.SideB, &v.SideB, &v.SideB, &v.AngleB, &v.AngleA};
  Real* third[] = {&v.SideC, &v.AngleA, &v.AngleC, &v.AngleC, &v.AngleC};
  *second[task] = task >= ASA ? DegreesToRadians(g.second) : Real(g.second);
  *third[task] = task >= SSA ? DegreesToRadians(g.third) : Real(g.third);
  return v;
}

SolveOutcome solve(TriangleVariables& v, QMap<Part, QString>& shown, QList<Part>& order) {
  return SolveTriangle(v, [&](Part part, const QString& text) {
    shown[part] = text;
    order.append(part);
  });
}

const char* const kNegative = "No triangle has these parts: a side or angle is negative";

struct Example {
  const char* name;
  std::int32_t task;
  Given given;
  // The three results in the order shown, then the area; nullptr for a field
  // the solve does not reach, and a trailing "~" for a value rounded to the
  // digits given.
  const char* results[4];
  const char* why;
};

class Examples : public ::testing::TestWithParam<Example> {
 protected:
  void SetUp() override { Dimension::SetConstants(); }
};

TEST_P(Examples, ShowTheResultsInTheCaseOrderOrStopSilently) {
  const Example& c = GetParam();
  TriangleVariables v = variablesFor(c.task, c.given);
  QMap<Part, QString> shown;
  QList<Part> order;
  const SolveOutcome outcome = solve(v, shown, order);

  const int reached = int(std::find(c.results, c.results + 4, nullptr) - c.results);
  EXPECT_EQ(outcome.stopped, reached < 4);
  EXPECT_EQ(outcome.why, QString::fromLatin1(c.why));
  ASSERT_EQ(order, resultParts(c.task).mid(0, reached));
  EXPECT_EQ(outcome.written, order);
  for (int i = 0; i < reached; ++i) {
    const QString expected = QString::fromLatin1(c.results[i]);
    const QString actual = shown[order[i]];
    if (!expected.endsWith(u'~')) {
      EXPECT_EQ(actual, expected) << "result " << i;
      continue;
    }
    const QString digits = expected.chopped(1);
    const int decimals = digits.contains(u'.') ? int(digits.size() - digits.indexOf(u'.') - 1) : 0;
    EXPECT_NEAR(TextToNumber(actual), TextToNumber(digits), 0.5 * std::pow(10.0, -decimals) + 1e-12)
        << "result " << i << ": " << actual.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Examples,
    ::testing::Values(
        Example{"RightTriangle", SSS, {3, 4, 5}, {"36.869897645844", "53.130102354156", "90", "6"}, ""},
        Example{"ObtuseFirstAngle",
                SSS,
                {7, 3, 5},
                {"120", "21.7867892982618", "38.2132107017382", "6.49519052838329"},
                ""},
        Example{"ObtuseSecondAngle",
                SSS,
                {3, 7, 5},
                {"21.7867892982618", "120", "38.2132107017382~", "6.495190528383~"},
                ""},
        Example{"Equilateral", SSS, {1, 1, 1}, {"60", "60", "60", "0.433012701892219"}, ""},
        Example{"Flat", SSS, {2, 1, 1}, {"180", "0", "0", "0"}, ""},
        Example{"NegativeSide",
                SSS,
                {-3, 4, 5},
                {"36.869897645844~", "126.869897645844~", "16.26~", "6~"},
                kNegative},
        Example{"TwoFitOnlyAcuteB",
                SSA,
                {3, 4, 30},
                {"5.70017~", "41.8103148957786", "108.189685104221", "5.70017~"},
                ""},
        Example{"ObtuseAGivesNegativeC",
                SSA,
                {2, 2.02, 100},
                {"0.14~", "84.0738677069438", "-4.07386770694381", "0.1~"},
                kNegative},
        Example{"RightAngleBetween", SAS, {3, 4, 90}, {"5", "36.869897645844", "53.130102354156", "6"}, ""},
        // The true angle A, obtuse when a^2 > b^2 + c^2, not the acute 60.
        Example{"ObtuseOpposite",
                SAS,
                {7, 5, 21.7867892982618},
                {"3~", "120~", "38.2132107017~", "6.4951905284~"},
                ""},
        // A sine a hair above 1 is rounding, not "no triangle".
        Example{
            "RightAngleOpposite", SAS, {5, 4, 36.869897645844}, {"3~", "90~", "53.130102354156~", "6~"}, ""},
        Example{"ZeroSideGiven", SAS, {7, 0, 30}, {"7", "30~", "120~", "0"}, "A side is zero"},
        Example{
            "HalfEquilateral", ASA, {2, 30, 60}, {"1", "1.73205080756888", "90", "0.866025403784438"}, ""},
        Example{"AnglesOver180", ASA, {1, 100, 100}, {"-2.879~", "-2.879~", "-20~", "1.4~"}, kNegative},
        Example{"RightAngleGiven", SAA, {5, 90, 30}, {"4.33013~", "2.5", "60", "5.41265877365~"}, ""},
        Example{"SideAZero", SSS, {0, 1, 1}, {}, "A side is zero"},
        Example{"SideBZero", SSS, {1, 0, 1}, {}, "A side is zero"},
        Example{"SideTooLong", SSS, {3, 1, 1}, {}, "No triangle has these parts"},
        Example{"SidesTooLarge", SSS, {1e200, 1e200, 1e200}, {}, "A number is too large to solve with"},
        Example{"OppositeSideZero", SSA, {0, 3, 60}, {}, "A side is zero"},
        Example{"SideTooShortToReach", SSA, {1, 3, 60}, {}, "No triangle has these parts"},
        Example{"ThirdSideZero", SAS, {1, 1, 0}, {}, "Side c comes out zero: no triangle"},
        Example{"NoRoomForA", ASA, {2, 90, 90}, {}, "The angles leave no room for a triangle"},
        Example{"GivenAZero", SAA, {2, 0, 30}, {}, "The angles leave no room for a triangle"},
        Example{"NegativeAreaProduct",
                ASA,
                {1, 10, 180},
                {"-1~", "0~", "-10~"},
                "No area: the parts found make no triangle"}),
    [](const auto& info) { return std::string(info.param.name); });

// What a failed solve stored stays stored; what it did not reach keeps the
// value of the solve before.
TEST(SolverState, AStoppedSolveKeepsWhatItStored) {
  Dimension::SetConstants();
  TriangleVariables v = variablesFor(SAS, {3, 4, 90});
  QMap<Part, QString> shown;
  QList<Part> order;
  solve(v, shown, order);
  const Real angleA = v.AngleA;
  v.SideA = v.SideB = 1;
  v.AngleC = 0;
  EXPECT_TRUE(solve(v, shown, order).stopped);
  EXPECT_EQ(v.SideC, Real(0));
  EXPECT_EQ(v.AngleA, angleA);
}

}  // namespace
