#include "triangles/triangle_solver.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "common/dimension.h"
#include "common/input_notes.h"
#include "common/math_constants.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace veltrano::triangles {

namespace {

Real pi() { return Real(math::Pi); }

// Radians by which B must miss a right angle for two triangles to fit.
constexpr double kOneTriangleTolerance = 1e-7;

// Below this a length's square is no normal double: it loses digits or is 0.
const double kSmallestSquarable = std::sqrt(DBL_MIN);

bool tooSmallToSquare(Real length) {
  const double x = std::abs(length.value());
  return x > 0 && x < kSmallestSquarable;
}

Real heronArea(Real a, Real b, Real c) {
  return formula::heronArea(formula::halfPerimeter(a, b, c), a, b, c);
}

// Each formula is written in the order of operations the worksheet has always
// used, so that its results agree with earlier files digit for digit.
class Solver {
 public:
  Solver(TriangleVariables& v, const FieldWriter& write) : v_(v), write_(write) {}

  SolveOutcome run() {
    try {
      solveCase();
      inArea_ = true;
      showArea();
    } catch (const RuntimeError& error) {
      outcome_.stopped = true;
      outcome_.why = precisionLoss_.isEmpty() ? failureText(error.number()) : precisionLoss_;
      outcome_.note = impossiblePartsNote(v_, false);
      return outcome_;
    }
    outcome_.note = impossiblePartsNote(v_, true);
    return outcome_;
  }

 private:
  void solveCase() {
    switch (v_.Task) {
      case SSS: return threeSides();
      case SSA: return twoSidesAndOppositeAngle();
      case SAS: return twoSidesAndIncludedAngle();
      case ASA: return sideAndAdjacentAngles();
      case SAA: return sideOppositeAngleAndAngle();
      default: raise(ErrorNumber::InvalidCall);
    }
  }

  // Builds an angle between 0 and Pi from CosValue and SinValue with the
  // arctangent alone: 90 degrees for a zero cosine, obtuse for a negative one.
  // The right angle is stored first: a failure on the way leaves it there.
  void constructAngle(Real& angle) {
    angle = pi() / 2;
    angle = formula::angleFromCosineAndSine(v_.CosValue, v_.SinValue);
  }

  Real sineFromCosine() { return formula::otherFromOne(v_.CosValue); }
  Real cosineFromSine() { return formula::otherFromOne(v_.SinValue); }

  // A square that underflows gives angles and sides that merely look like
  // results (1E-170 makes 90, 90, 0): the solve stops as on any error.
  void requireSquarable(std::initializer_list<Real> lengths) {
    for (Real length : lengths) {
      if (tooSmallToSquare(length)) {
        precisionLoss_ = QStringLiteral("The sides are too small to square in double precision");
        raise(ErrorNumber::Overflow);
      }
    }
  }

  void threeSides() {
    const Real a = v_.SideA, b = v_.SideB, c = v_.SideC;
    requireSquarable({a, b, c});
    v_.CosValue = formula::cosineOpposite(a, b, c);
    v_.SinValue = sineFromCosine();
    constructAngle(v_.AngleA);
    v_.CosValue = formula::cosineOpposite(b, a, c);
    v_.SinValue = sineFromCosine();
    constructAngle(v_.AngleB);
    v_.AngleC = formula::angleSum(v_.AngleA, v_.AngleB);
    showAngle(Part::AngleA, v_.AngleA);
    showAngle(Part::AngleB, v_.AngleB);
    showAngle(Part::AngleC, v_.AngleC);
  }

  // Of two triangles that may fit, only the one with B of at most 90 degrees.
  void twoSidesAndOppositeAngle() {
    const Real a = v_.SideA, b = v_.SideB;
    v_.SinValue = formula::sineBySines(v_.AngleA, b, a);
    v_.CosValue = cosineFromSine();
    constructAngle(v_.AngleB);
    v_.AngleC = formula::angleSum(v_.AngleA, v_.AngleB);
    requireSquarable({a, b});
    v_.SideC = formula::thirdSide(a, b, v_.AngleC);
    showSide(Part::SideC, v_.SideC);
    showAngle(Part::AngleB, v_.AngleB);
    showAngle(Part::AngleC, v_.AngleC);
  }

  // A is obtuse exactly when a^2 > b^2 + c^2: the law of cosines gives the
  // cosine's sign, which the sine alone cannot tell.
  void twoSidesAndIncludedAngle() {
    const Real a = v_.SideA, b = v_.SideB;
    requireSquarable({a, b});
    v_.SideC = formula::thirdSide(a, b, v_.AngleC);
    const Real c = v_.SideC;
    v_.SinValue = formula::sineBySines(v_.AngleC, a, c);
    // Two sides and the angle between them always make a triangle, so a sine
    // beyond 1 is rounding (A within a hair of 90 degrees), not "no triangle".
    v_.CosValue = formula::otherFromOneAtLeastZero(v_.SinValue);
    if (formula::obtuseOpposite(a, b, c)) v_.CosValue = -v_.CosValue;
    constructAngle(v_.AngleA);
    v_.AngleB = formula::angleSum(v_.AngleA, v_.AngleC);
    showSide(Part::SideC, v_.SideC);
    showAngle(Part::AngleA, v_.AngleA);
    showAngle(Part::AngleB, v_.AngleB);
  }

  void sideAndAdjacentAngles() {
    v_.AngleA = formula::angleSum(v_.AngleB, v_.AngleC);
    sidesBAndCBySines();
    showSide(Part::SideB, v_.SideB);
    showSide(Part::SideC, v_.SideC);
    showAngle(Part::AngleA, v_.AngleA);
  }

  void sideOppositeAngleAndAngle() {
    v_.AngleB = formula::angleSum(v_.AngleA, v_.AngleC);
    sidesBAndCBySines();
    showSide(Part::SideB, v_.SideB);
    showSide(Part::SideC, v_.SideC);
    showAngle(Part::AngleB, v_.AngleB);
  }

  // The law of sines, b before c: a failure on b leaves c as it was.
  void sidesBAndCBySines() {
    const Real a = v_.SideA;
    v_.SideB = formula::sideBySines(v_.AngleB, a, v_.AngleA);
    v_.SideC = formula::sideBySines(v_.AngleC, a, v_.AngleA);
  }

  // Heron's formula on the sides as they stand after the case.
  void showArea() {
    v_.HalfPerimeter = formula::halfPerimeter(v_.SideA, v_.SideB, v_.SideC);
    requireAreaInRange();
    show(Part::Area, formula::heronArea(v_.HalfPerimeter, v_.SideA, v_.SideB, v_.SideC));
  }

  // Heron's product is of the fourth power of the sides: it underflows to 0
  // (or loses digits) long before the sides do.
  void requireAreaInRange() {
    const Real s = v_.HalfPerimeter;
    const double factors[] = {s.value(), (s - v_.SideA).value(), (s - v_.SideB).value(),
                              (s - v_.SideC).value()};
    const bool allPositive =
        std::all_of(std::begin(factors), std::end(factors), [](double f) { return f > 0; });
    const double product = ((factors[1] * factors[0]) * factors[2]) * factors[3];
    if (allPositive && product < DBL_MIN) {
      precisionLoss_ = QStringLiteral("The sides are too small to multiply for the area in double precision");
      raise(ErrorNumber::Overflow);
    }
  }

  void showSide(Part part, Real side) { show(part, side); }
  void showAngle(Part part, Real angle) { show(part, RadiansToDegrees(angle)); }

  void show(Part part, Real value) {
    outcome_.written.append(part);
    write_(part, NumberToText(value.value()));
  }

  QString failureText(ErrorNumber error) const {
    if (error == ErrorNumber::Overflow) return QStringLiteral("A number is too large to solve with");
    if (inArea_) return QStringLiteral("No area: the parts found make no triangle");
    switch (v_.Task) {
      case SSS:
      case SSA:
        if (error == ErrorNumber::DivisionByZero) return QStringLiteral("A side is zero");
        return QStringLiteral("No triangle has these parts");
      case SAS:
        if (error == ErrorNumber::DivisionByZero) return QStringLiteral("Side c comes out zero: no triangle");
        return QStringLiteral("No triangle has these parts");
      default: return QStringLiteral("The angles leave no room for a triangle");
    }
  }

  TriangleVariables& v_;
  const FieldWriter& write_;
  SolveOutcome outcome_;
  bool inArea_ = false;
  QString precisionLoss_;  // why the last step stopped, when a square or product underflowed
};

}  // namespace

namespace {

QString number(Real value) { return NoteNumberText(value.value()); }
QString degrees(Real radians) { return NoteNumberText(RadiansToDegrees(radians).value()); }

// The first given side of 0 or less, by its letter.
QString givenSideNote(const TriangleVariables& v) {
  const std::pair<QChar, Real> sides[] = {{u'a', v.SideA}, {u'b', v.SideB}, {u'c', v.SideC}};
  const QList<Part> results = resultParts(v.Task);
  for (int i = 0; i < 3; ++i) {
    if (results.contains(static_cast<Part>(i))) continue;
    if (!(sides[i].second > 0))
      return QStringLiteral("A side must be above 0: %1 = %2")
          .arg(sides[i].first)
          .arg(number(sides[i].second));
  }
  return {};
}

// The first given angle outside 0 to 180 degrees, by its letter.
QString givenAngleNote(const TriangleVariables& v) {
  const std::pair<QChar, Real> angles[] = {{u'A', v.AngleA}, {u'B', v.AngleB}, {u'C', v.AngleC}};
  const QList<Part> results = resultParts(v.Task);
  for (int i = 0; i < 3; ++i) {
    if (results.contains(static_cast<Part>(3 + i))) continue;
    const double d = RadiansToDegrees(angles[i].second).value();
    if (!(d > 0 && d < 180))
      return QStringLiteral("An angle must be above 0 and below 180 degrees: %1 = %2")
          .arg(angles[i].first)
          .arg(degrees(angles[i].second));
  }
  return {};
}

// Two given angles leave the third the rest of 180 degrees.
QString angleSumNote(QChar one, Real first, QChar other, Real second) {
  const double sum = RadiansToDegrees(first).value() + RadiansToDegrees(second).value();
  if (sum < 180) return {};
  return QStringLiteral("%1 + %2 must be below 180 degrees: %3 + %4 = %5")
      .arg(one)
      .arg(other)
      .arg(degrees(first), degrees(second), NoteNumberText(sum));
}

// Three sides make a triangle only when each is shorter than the other two
// together; at equality the triangle lies flat.
QString flatSidesNote(const TriangleVariables& v) {
  std::array<Real, 3> sides{v.SideA, v.SideB, v.SideC};
  std::sort(sides.begin(), sides.end());
  if (!(sides[0] > 0) || sides[0].value() + sides[1].value() != sides[2].value()) return {};
  return QStringLiteral("These sides make a flat triangle: %1 + %2 = %3")
      .arg(number(sides[0]), number(sides[1]), number(sides[2]));
}

// A computed angle of 0 or less: the given parts leave no room for it.
QString foundAngleNote(const TriangleVariables& v) {
  const std::pair<QChar, Real> angles[] = {{u'A', v.AngleA}, {u'B', v.AngleB}, {u'C', v.AngleC}};
  const QList<Part> results = resultParts(v.Task);
  for (int i = 0; i < 3; ++i) {
    if (!results.contains(static_cast<Part>(3 + i)) || angles[i].second > 0) continue;
    if (angles[i].second == 0)
      return QStringLiteral("These parts make a flat triangle: %1 = 0").arg(angles[i].first);
    return QStringLiteral("These parts make no triangle: %1 comes out %2")
        .arg(angles[i].first)
        .arg(degrees(angles[i].second));
  }
  return {};
}

}  // namespace

QString impossiblePartsNote(const TriangleVariables& v, bool solved) {
  QString note = givenSideNote(v);
  if (note.isEmpty()) note = givenAngleNote(v);
  if (!note.isEmpty()) return note;
  switch (v.Task) {
    case SSS: note = flatSidesNote(v); break;
    case SSA:
      // B is found acute, so A + B stays below 180 only when the angle A
      // faces the longer side.
      if (RadiansToDegrees(v.AngleA).value() >= 90 && !(v.SideA > v.SideB))
        note = QStringLiteral(
                   "A + B reaches 180 degrees: with A at 90 degrees or more, a must be longer than b, and %1 "
                   "is not longer than %2")
                   .arg(number(v.SideA), number(v.SideB));
      break;
    case ASA: note = angleSumNote(u'B', v.AngleB, u'C', v.AngleC); break;
    case SAA: note = angleSumNote(u'A', v.AngleA, u'C', v.AngleC); break;
    default: break;
  }
  if (note.isEmpty() && solved) note = foundAngleNote(v);
  return note;
}

QList<Part> resultParts(std::int32_t task) {
  switch (task) {
    case SSS: return {Part::AngleA, Part::AngleB, Part::AngleC, Part::Area};
    case SSA: return {Part::SideC, Part::AngleB, Part::AngleC, Part::Area};
    case SAS: return {Part::SideC, Part::AngleA, Part::AngleB, Part::Area};
    case ASA: return {Part::SideB, Part::SideC, Part::AngleA, Part::Area};
    case SAA: return {Part::SideB, Part::SideC, Part::AngleB, Part::Area};
    default: return {Part::Area};
  }
}

SolveOutcome SolveTriangle(TriangleVariables& v, const FieldWriter& write) { return Solver(v, write).run(); }

std::optional<SecondTriangle> secondTriangle(const TriangleVariables& v) {
  if (v.Task != SSA) return std::nullopt;
  try {
    const Real a = v.SideA, b = v.SideB, A = v.AngleA;
    const bool acute = A > 0 && A < pi() / 2;
    if (!acute || !(a > 0) || !(a < b) || !(Sin(A) * b / a < 1)) return std::nullopt;
    // At a = b sin A the sine of B rounds to a hair below 1 and its square
    // root leaves B some 1E-8 short of a right angle: one triangle still.
    if (Abs(pi() / 2 - v.AngleB) < kOneTriangleTolerance) return std::nullopt;
    SecondTriangle second;
    second.AngleB = pi() - v.AngleB;
    second.AngleC = (pi() - A) - second.AngleB;
    if (!(second.AngleC > 0)) return std::nullopt;  // rounding at the edge of the case
    second.SideC = formula::thirdSide(a, b, second.AngleC);
    second.Area = heronArea(a, b, second.SideC);
    return second;
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

QString secondTriangleNote(const SecondTriangle& second) {
  return QStringLiteral("A second triangle fits: B = %1, C = %2, c = %3, area = %4")
      .arg(NumberToText(RadiansToDegrees(second.AngleB).value()),
           NumberToText(RadiansToDegrees(second.AngleC).value()), NumberToText(second.SideC.value()),
           NumberToText(second.Area.value()));
}

Real DegreesToRadians(Real degrees) { return degrees * pi() / 180; }
Real RadiansToDegrees(Real radians) { return radians * 180 / pi(); }

namespace formula {

Real cosineOpposite(Real opposite, Real x, Real y) {
  return ((x * x + y * y) - opposite * opposite) / 2 / x / y;
}

bool obtuseOpposite(Real opposite, Real x, Real y) { return (x * x + y * y) - opposite * opposite < 0; }

Real otherFromOne(Real value) { return Sqr(1 - Power(value, 2)); }

Real otherFromOneAtLeastZero(Real value) {
  const Real rest = 1 - Power(value, 2);
  return rest < 0 ? Real(0) : Sqr(rest);
}

Real sineBySines(Real known, Real side, Real knownSide) { return Sin(known) * side / knownSide; }

Real sideBySines(Real angle, Real a, Real A) { return Sin(angle) * a / Sin(A); }

Real thirdSide(Real x, Real y, Real between) { return Sqr((x * x + y * y) - (x + x) * y * Cos(between)); }

Real angleFromCosineAndSine(Real cosine, Real sine) {
  if (cosine == 0) return pi() / 2;
  const Real t = Atn(Abs(sine / cosine));
  return cosine > 0 ? t : pi() - t;
}

Real angleSum(Real x, Real y) { return (pi() - x) - y; }

Real halfPerimeter(Real a, Real b, Real c) { return ((c + a) + b) / 2; }

Real heronArea(Real s, Real a, Real b, Real c) { return Sqr(((s - a) * s) * (s - b) * (s - c)); }

}  // namespace formula

}  // namespace veltrano::triangles
