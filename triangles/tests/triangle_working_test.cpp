#include <gtest/gtest.h>
#include <algorithm>

#include "common/dimension.h"
#include "common/working_text.h"
#include "triangles/triangle_working.h"

namespace veltrano::triangles {
namespace {

struct Given {
  std::int32_t task;
  double a, b, c, A, B, C;  // angles in degrees; only the case's parts are read
};

working::Working workingOf(const Given& g) {
  Dimension::SetConstants();
  TriangleVariables v;
  v.Task = g.task;
  v.SideA = g.a;
  v.SideB = g.b;
  v.SideC = g.c;
  v.AngleA = DegreesToRadians(g.A);
  v.AngleB = DegreesToRadians(g.B);
  v.AngleC = DegreesToRadians(g.C);
  return triangleWorking(v);
}

// Each step's lines, checked against values worked out by hand (the 3-4-5
// and 7-5-3 triangles, whose cosines are 0.8, 0.6 and -0.5) and with
// Python's math module (asin, cos and Heron in doubles, equal to the 13th
// digit; the program's own order of operations gives the last ones).
TEST(TriangleWorking, EachStepShowsTheFormulaTheNumbersAndTheResult) {
  const struct {
    Given given;
    QStringList lines;
  } cases[] = {
      {{SSS, 3, 4, 5, 0, 0, 0},
       {"1. Angle A by the law of cosines", "   = (16 + 25 − 9) / (2·4·5)", "   = 0.8",
        "   sin A = √(1 − cos² A) = 0.6", "   A = 36.869897645844°", "   = (9 + 25 − 16) / (2·3·5)",
        "   sin B = √(1 − cos² B) = 0.8", "3. Angle C from the angle sum", "   C = 90°",
        "   s = (a + b + c) / 2 = (3 + 4 + 5) / 2 = 6", "   = √(6·3·2·1)", "   Area = 6"}},
      // The obtuse angle opposite the first side, from a negative cosine.
      {{SSS, 7, 3, 5, 0, 0, 0},
       {"   = (9 + 25 − 49) / (2·3·5)", "   = -0.5",
        "   cos A < 0, so A is obtuse: A = π − arctan(|sin A / cos A|) = 2.0943951023932 rad",
        "   A = 120°"}},
      {{SSA, 5, 7, 0, 30, 0, 0},
       {"   A = 30° · π / 180 = 0.523598775598299 rad", "2. Angle B by the law of sines",
        "   sin B = b·sin A / a = 7·0.5 / 5", "   = 0.7", "   B = 44.4270040008057°",
        "   Two angles have this sine: B ≈ 44.43° and 180° − B ≈ 135.57°.", "   C = 105.572995999194°",
        "   c = 9.6328920407625", "6. Second triangle (B obtuse), drawn dashed",
        "   B = 180° − 44.4270040008057° = 135.572995999194°", "   C = 180° − A − B = 14.4270040008057°",
        "   c = √(a² + b² − 2·a·b·cos C) = 2.491463612219"}},
      // a ≥ b: one triangle only, said why.
      {{SSA, 7, 5, 0, 30, 0, 0}, {"   a ≥ b, so B is at most A and cannot be obtuse: only B ≈ 20.92° fits."}},
      {{SAS, 7, 5, 0, 0, 0, 21.7867892982618},
       {"   c = 3", "   b² + c² − a² = -15 < 0, so A is obtuse: cos A = -0.500000000000001", "   A = 120°",
        "   B = 180° − A − C = 180° − 120° − 21.7867892982618°", "   = √(7.5·0.5·2.5·4.5)"}},
      {{ASA, 2, 0, 0, 0, 30, 60},
       {"   A = 90°", "   b = sin B · a / sin A = 0.5·2 / 1", "   b = 1", "   c = 1.73205080756888"}},
      {{SAA, 5, 0, 0, 90, 0, 30}, {"   B = 60°", "   c = 2.5"}},
  };
  for (const auto& c : cases) {
    const working::Working w = workingOf(c.given);
    const QStringList shown = working::toPlainText(w).split(u'\n');
    EXPECT_FALSE(w.stopped);
    for (const QString& line : c.lines) {
      const bool found =
          std::any_of(shown.begin(), shown.end(), [&](const QString& s) { return s.startsWith(line); });
      EXPECT_TRUE(found) << line.toStdString() << "\n" << shown.join(u'\n').toStdString();
    }
  }
}

// Every way the parts make no triangle is said in the last step, with the
// numbers; where the solver stops, the working stops there too.
TEST(TriangleWorking, SaysWhichConditionLeavesNoTriangle) {
  const struct {
    Given given;
    bool stopped;
    QString last;
  } cases[] = {
      {{SSS, 5, 1, 1, 0, 0, 0},
       true,
       "2. Stopped: a = 5 is more than b + c = 1 + 1 = 2: no triangle has these sides (the cosine -11.5 lies "
       "beyond −1 to 1)"},
      {{SSS, 1, 5, 1, 0, 0, 0}, true, "b = 5 is more than a + c = 1 + 1 = 2"},
      {{SSS, 1, 0, 1, 0, 0, 0},
       true,
       "2. Stopped: b = 0: a side is zero, and the law of cosines divides by it"},
      {{SSS, 0, 1, 1, 0, 0, 0}, true, "3. Stopped: a = 0: a side is zero"},
      {{SSS, 1e200, 1e200, 1e200, 0, 0, 0}, true, "Stopped: a number is too large to solve with"},
      {{SSA, 1, 3, 0, 60, 0, 0},
       true,
       "3. Stopped: b·sin A = 2.59807621135332 > a = 1: side a is too short to reach the third side"},
      {{SSA, 0, 3, 0, 60, 0, 0}, true, "3. Stopped: a = 0, and the law of sines divides by a"},
      {{SSA, 2, 2.02, 0, 100, 0, 0},
       false,
       "   C = -4.07386770694381° is negative: A + B = 184.073867706944° is more"},
      {{SAS, 1, 1, 0, 0, 0, 0}, true, "4. Stopped: c = 0: side c comes out zero, so there is no triangle"},
      {{ASA, 1, 0, 0, 0, 90, 90}, true, "Stopped: sin A = 0 (A = 0°): the law of sines divides by it"},
      {{ASA, 2, 0, 0, 0, 100, 100}, false, "   A = -20° is negative: B + C = 200° is more than 180°"},
      {{SAA, 2, 0, 0, 0, 0, 30}, true, "Stopped: sin A = 0 (A = 0°)"},
      {{ASA, 0, 0, 0, 0, 10, 20}, false, "   a = 0: a side is zero"},
      // The negative sides of B + C over 180° leave a negative product under the root.
      {{ASA, 1, 0, 0, 0, 10, 180},
       true,
       "5. Stopped: the product under the root, -1.62476641722543E-31, is negative"},
  };
  for (const auto& c : cases) {
    const working::Working w = workingOf(c.given);
    const QString shown = working::toPlainText(w);
    EXPECT_EQ(w.stopped, c.stopped) << c.last.toStdString();
    EXPECT_TRUE(shown.contains(c.last)) << c.last.toStdString() << "\n" << shown.toStdString();
  }
}

}  // namespace
}  // namespace veltrano::triangles
