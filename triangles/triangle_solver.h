#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "common/real.h"

namespace veltrano::triangles {

// The seven fields of the worksheet, in the order of the file and the page.
enum class Part { SideA, SideB, SideC, AngleA, AngleB, AngleC, Area };
inline constexpr int kPartCount = 7;
// The sides and angles, the first six parts: all but the area.
inline constexpr int kSidesAndAngles = 6;

// The cases, by the index of their OptTask button.
enum Case : std::int32_t { SSS = 0, SSA = 1, SAS = 2, ASA = 3, SAA = 4 };

// The window's variables. They live from one solve to the next and are never
// reset: a value a solve stored stays even when that solve stops on an error.
// Angles are in radians.
struct TriangleVariables {
  std::int32_t Task = SSS;
  Real SideA, SideB, SideC;
  Real AngleA, AngleB, AngleC;
  Real CosValue, SinValue;
  Real HalfPerimeter;
};

// Shows a result in its field. In the window this is QLineEdit::setText, which
// runs the field's change handler, and so the solver again, before it returns.
using FieldWriter = std::function<void(Part part, const QString& text)>;

struct SolveOutcome {
  bool stopped = false;  // a run-time error ended the solve
  QList<Part> written;   // the fields this solve wrote, in order
  QString why;           // plain words for the user; empty when all is well
  QString note;          // why the parts make no proper triangle; see impossiblePartsNote
};

// The three parts a case computes, in the order they are shown, then Area.
QList<Part> resultParts(std::int32_t task);

// Solves the triangle of the selected case from the variables, stores the
// computed parts and shows them and the area through write. Every run-time
// error is trapped: the solve ends at the failing step, keeping what it
// stored and wrote so far, and the outcome tells why in plain words.
SolveOutcome SolveTriangle(TriangleVariables& v, const FieldWriter& write);

// Why the given parts of the case make no proper triangle, though the solve
// may go through: "These sides make a flat triangle: 1 + 2 = 3", "A + B
// reaches 180 degrees: ...", the first condition that fails. After a solve
// that did not stop, the parts it found are judged too. Empty for a triangle.
QString impossiblePartsNote(const TriangleVariables& v, bool solved);

// The other triangle of the ambiguous case "a,b,A": with A acute and
// b sin A < a < b, B may also be 180 degrees less the acute B the solver
// found. Computed from the variables of a solve of that case by the solver's
// own formulas; nothing where only one triangle fits or in another case.
struct SecondTriangle {
  Real AngleB, AngleC, SideC, Area;
};
std::optional<SecondTriangle> secondTriangle(const TriangleVariables& v);

// "A second triangle fits: B = ..., C = ..., c = ..., area = ...", the
// numbers written as the fields write them.
QString secondTriangleNote(const SecondTriangle& second);

// Degrees as typed to the radians kept, and back for display.
Real DegreesToRadians(Real degrees);
Real RadiansToDegrees(Real radians);

// The solver's formulas, one function each, in the order of operations that
// keeps its results digit for digit. The working of a solve evaluates the
// same functions step by step, so that its numbers are the solver's own.
namespace formula {
// The law of cosines for the cosine of the angle opposite `opposite`.
Real cosineOpposite(Real opposite, Real x, Real y);
// Whether the angle opposite `opposite` is obtuse: x² + y² − opposite² < 0.
bool obtuseOpposite(Real opposite, Real x, Real y);
// √(1 − value²): the sine from the cosine, or the cosine from the sine.
Real otherFromOne(Real value);
// The same, with 0 where rounding puts value² a hair above 1.
Real otherFromOneAtLeastZero(Real value);
// The law of sines for the sine of an angle: sin(known) · side / knownSide.
Real sineBySines(Real known, Real side, Real knownSide);
// The law of sines for a side: sin(angle) · a / sin(A).
Real sideBySines(Real angle, Real a, Real A);
// The law of cosines for the side opposite the angle between x and y.
Real thirdSide(Real x, Real y, Real between);
// The angle between 0 and Pi with this cosine and sine, by the arctangent
// alone: Pi/2 for a zero cosine, obtuse for a negative one.
Real angleFromCosineAndSine(Real cosine, Real sine);
// Pi − x − y.
Real angleSum(Real x, Real y);
Real halfPerimeter(Real a, Real b, Real c);
// Heron's formula with the half perimeter s.
Real heronArea(Real s, Real a, Real b, Real c);
}  // namespace formula

}  // namespace veltrano::triangles
