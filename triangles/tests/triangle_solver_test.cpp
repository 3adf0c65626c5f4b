#include "triangles/triangle_solver.h"

#include <QMap>
#include <cmath>
#include <gtest/gtest.h>

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

// Stores the given parts as the window's change handlers do: sides as typed,
// angles from degrees to radians.
TriangleVariables variablesFor(std::int32_t task, Given g) {
  TriangleVariables v;
  v.Task = task;
  auto deg = [](double d) { return DegreesToRadians(d); };
  switch (task) {
    case SSS: v.SideA = g.first; v.SideB = g.second; v.SideC = g.third; break;
    case SSA: v.SideA = g.first; v.SideB = g.second; v.AngleA = deg(g.third); break;
    case SAS: v.SideA = g.first; v.SideB = g.second; v.AngleC = deg(g.third); break;
    case ASA: v.SideA = g.first; v.AngleB = deg(g.second); v.AngleC = deg(g.third); break;
    case SAA: v.SideA = g.first; v.AngleA = deg(g.second); v.AngleC = deg(g.third); break;
  }
  return v;
}

struct Shown {
  QMap<Part, QString> texts;
  QList<Part> order;
};

SolveOutcome solve(TriangleVariables& v, Shown& shown) {
  return SolveTriangle(v, [&](Part part, const QString& text) {
    shown.texts[part] = text;
    shown.order.append(part);
  });
}

class SolverTest : public ::testing::Test {
 protected:
  void SetUp() override { Dimension::SetConstants(); }
};

struct SolvedCase {
  const char* name;
  std::int32_t task;
  Given given;
  // The three result texts in the order shown, then the area; an entry
  // ending in "~" is a value rounded to the digits given.
  const char* results[4];
};

class SolvedCases : public SolverTest, public ::testing::WithParamInterface<SolvedCase> {};

TEST_P(SolvedCases, ShowTheResultsDigitForDigitInTheCaseOrder) {
  const SolvedCase& c = GetParam();
  TriangleVariables v = variablesFor(c.task, c.given);
  Shown shown;
  const SolveOutcome outcome = solve(v, shown);

  EXPECT_FALSE(outcome.stopped) << outcome.why.toStdString();
  ASSERT_EQ(shown.order, resultParts(c.task));
  for (int i = 0; i < 4; ++i) {
    const QString expected = QString::fromLatin1(c.results[i]);
    const QString actual = shown.texts[shown.order[i]];
    if (expected.endsWith(u'~')) {
      const QString digits = expected.chopped(1);
      const qsizetype point = digits.indexOf(u'.');
      const int decimals = point < 0 ? 0 : int(digits.size() - point - 1);
      EXPECT_NEAR(TextToNumber(actual), TextToNumber(digits), 0.5 * std::pow(10.0, -decimals) + 1e-12)
          << "result " << i << ": " << actual.toStdString();
    } else {
      EXPECT_EQ(actual, expected) << "result " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SolvedCases,
    ::testing::Values(
        SolvedCase{"RightTriangle", SSS, {3, 4, 5}, {"36.869897645844", "53.130102354156", "90", "6"}},
        SolvedCase{"ObtuseFirstAngle", SSS, {7, 3, 5},
                   {"120", "21.7867892982618", "38.2132107017382", "6.49519052838329"}},
        SolvedCase{"ObtuseSecondAngle", SSS, {3, 7, 5}, {"21.7867892982618", "120", "38.2132107017382~", "6.495190528383~"}},
        SolvedCase{"Equilateral", SSS, {1, 1, 1}, {"60", "60", "60", "0.433012701892219"}},
        SolvedCase{"Flat", SSS, {2, 1, 1}, {"180", "0", "0", "0"}},
        SolvedCase{"TwoFitOnlyAcuteB", SSA, {3, 4, 30}, {"5.70017~", "41.8103148957786", "108.189685104221", "5.70017~"}},
        SolvedCase{"ObtuseAGivesNegativeC", SSA, {2, 2.02, 100}, {"0.14~", "84.0738677069438", "-4.07386770694381", "0.1~"}},
        SolvedCase{"RightAngleBetween", SAS, {3, 4, 90}, {"5", "36.869897645844", "53.130102354156", "6"}},
        SolvedCase{"RightAngleOpposite", SAS, {5, 4, 36.869897645844}, {"3~", "90~", "53.130102354156~", "6~"}},
        SolvedCase{"HalfEquilateral", ASA, {2, 30, 60}, {"1", "1.73205080756888", "90", "0.866025403784438"}},
        SolvedCase{"RightAngleGiven", SAA, {5, 90, 30}, {"4.33013~", "2.5", "60", "5.41265877365~"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Case 2 gives the triangle's own angle A, obtuse when a^2 > b^2 + c^2:
// the sides 7, 5, 3 have A = 120 degrees, not the acute 60 the sine allows.
TEST_F(SolverTest, IncludedAngleCaseFindsAnObtuseA) {
  TriangleVariables v = variablesFor(SAS, {7, 5, 21.7867892982618});
  Shown shown;
  EXPECT_FALSE(solve(v, shown).stopped);
  EXPECT_NEAR(TextToNumber(shown.texts[Part::SideC]), 3, 1e-12);
  EXPECT_NEAR(TextToNumber(shown.texts[Part::AngleA]), 120, 1e-9);
  EXPECT_NEAR(TextToNumber(shown.texts[Part::AngleB]), 38.2132107017382, 1e-9);
  EXPECT_NEAR(TextToNumber(shown.texts[Part::Area]), 6.49519052838329, 1e-9);
}

struct StoppedCase {
  const char* name;
  std::int32_t task;
  Given given;
  int fieldsWritten;
  const char* why;
};

class StoppedCases : public SolverTest, public ::testing::WithParamInterface<StoppedCase> {};

TEST_P(StoppedCases, StopSilentlyAfterTheFieldsWrittenSoFar) {
  const StoppedCase& c = GetParam();
  TriangleVariables v = variablesFor(c.task, c.given);
  Shown shown;
  const SolveOutcome outcome = solve(v, shown);

  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.why, QString::fromLatin1(c.why));
  EXPECT_EQ(shown.order, resultParts(c.task).mid(0, c.fieldsWritten));
  EXPECT_EQ(outcome.written, shown.order);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, StoppedCases,
    ::testing::Values(
        StoppedCase{"SideAZero", SSS, {0, 1, 1}, 0, "A side is zero"},
        StoppedCase{"SideBZero", SSS, {1, 0, 1}, 0, "A side is zero"},
        StoppedCase{"SideTooLong", SSS, {3, 1, 1}, 0, "No triangle has these parts"},
        StoppedCase{"SidesTooLarge", SSS, {1e200, 1e200, 1e200}, 0, "A number is too large to solve with"},
        StoppedCase{"OppositeSideZero", SSA, {0, 3, 60}, 0, "A side is zero"},
        StoppedCase{"SideTooShortToReach", SSA, {1, 3, 60}, 0, "No triangle has these parts"},
        StoppedCase{"ThirdSideZero", SAS, {1, 1, 0}, 0, "Side c comes out zero: no triangle"},
        StoppedCase{"NoRoomForA", ASA, {2, 90, 90}, 0, "The angles leave no room for a triangle"},
        StoppedCase{"GivenAZero", SAA, {2, 0, 30}, 0, "The angles leave no room for a triangle"},
        StoppedCase{"NegativeAreaProduct", ASA, {1, 10, 180}, 3, "No area: the parts found make no triangle"}),
    [](const auto& info) { return std::string(info.param.name); });

// What a failed solve stored stays stored; what it did not reach keeps the
// value of the solve before.
TEST_F(SolverTest, AStoppedSolveKeepsWhatItStored) {
  TriangleVariables v = variablesFor(SAS, {3, 4, 90});
  Shown shown;
  solve(v, shown);
  const Real angleA = v.AngleA;
  v.SideA = 1;
  v.SideB = 1;
  v.AngleC = 0;
  EXPECT_TRUE(solve(v, shown).stopped);
  EXPECT_EQ(v.SideC, Real(0));
  EXPECT_EQ(v.AngleA, angleA);

  v = variablesFor(ASA, {2, 90, 90});
  EXPECT_TRUE(solve(v, shown).stopped);
  EXPECT_EQ(v.AngleA, Real(0));
}

// Parts that are no triangle but raise no error are shown as computed, with
// a word that they are no triangle; a flat triangle is still a triangle.
TEST_F(SolverTest, PartsThatAreNoTriangleAreShownButNamed) {
  const QString negative = "No triangle has these parts: a side or angle is negative";
  struct Row {
    std::int32_t task;
    Given given;
    QString why;
  } rows[] = {
      {SSA, {2, 2.02, 100}, negative},  {ASA, {1, 100, 100}, negative}, {SAA, {1, 100, 120}, negative},
      {SSS, {-3, 4, 5}, negative},      {ASA, {1, -30, 60}, negative},  {SAS, {7, 0, 30}, "A side is zero"},
      {ASA, {1, 30, 0}, "A side is zero"}, {SSS, {2, 1, 1}, ""},        {SAS, {3, 4, 90}, ""},
  };
  for (const Row& row : rows) {
    TriangleVariables v = variablesFor(row.task, row.given);
    Shown shown;
    const SolveOutcome outcome = solve(v, shown);
    EXPECT_FALSE(outcome.stopped);
    EXPECT_EQ(shown.order.size(), 4);
    EXPECT_EQ(outcome.why, row.why) << "case " << row.task << " a = " << row.given.first;
  }
}

}  // namespace
