#include "triangles/triangle_working.h"

#include <QStringList>
#include <cmath>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace veltrano::triangles {

namespace {

using working::Step;

const QString kCaseCaptions[] = {QStringLiteral("a,b,c (SSS)"), QStringLiteral("a,b,A (SSA)"),
                                 QStringLiteral("a,b,C (SAS)"), QStringLiteral("a,B,C (ASA)"),
                                 QStringLiteral("a,A,C (SAA)")};

QString num(Real x) { return NumberToText(x.value()); }
// A number put into a formula, bracketed when negative so that signs stay apart.
QString in(Real x) { return x < 0 ? QStringLiteral("(") + num(x) + QStringLiteral(")") : num(x); }
QString degrees(Real radians) {
  return NumberToText(RadiansToDegrees(radians).value()) + QStringLiteral("°");
}
QString radians(Real angle) { return num(angle) + QStringLiteral(" rad"); }
// A value rounded for a sentence rather than shown in a field.
QString about(Real radians) {
  return QStringLiteral("≈ ") + QString::number(RadiansToDegrees(radians).value(), 'f', 2) +
         QStringLiteral("°");
}

// Where the working is, so that a stop can say why in the terms of that step.
enum class Stage { Other, CosineA, CosineB, SineA, SineB, SineOfB, CosineOfB, SineOfA, Sides, Area };

class Builder {
 public:
  explicit Builder(const TriangleVariables& given) : v_(given) {}

  working::Working build() {
    w_.title = title();
    try {
      anglesInRadians();
      solveCase();
      area();
      secondTriangleStep();
      noTriangleStep();
    } catch (const RuntimeError& error) {
      stop(error.number());
    }
    return w_;
  }

 private:
  QString title() const {
    const std::int32_t task = v_.Task;
    if (task < SSS || task > SAA) return QStringLiteral("Triangle");
    return QStringLiteral("Triangle, case %1: %2")
        .arg(kCaseCaptions[task], givenParts().join(QStringLiteral(", ")));
  }

  QStringList givenParts() const {
    const QString a = QStringLiteral("a = ") + num(v_.SideA);
    switch (v_.Task) {
      case SSS: return {a, QStringLiteral("b = ") + num(v_.SideB), QStringLiteral("c = ") + num(v_.SideC)};
      case SSA:
        return {a, QStringLiteral("b = ") + num(v_.SideB), QStringLiteral("A = ") + degrees(v_.AngleA)};
      case SAS:
        return {a, QStringLiteral("b = ") + num(v_.SideB), QStringLiteral("C = ") + degrees(v_.AngleC)};
      case ASA:
        return {a, QStringLiteral("B = ") + degrees(v_.AngleB), QStringLiteral("C = ") + degrees(v_.AngleC)};
      default:
        return {a, QStringLiteral("A = ") + degrees(v_.AngleA), QStringLiteral("C = ") + degrees(v_.AngleC)};
    }
  }

  void open(const QString& rule, Stage stage = Stage::Other) {
    w_.steps << Step{rule, {}, {}};
    stage_ = stage;
  }
  void line(const QString& text) { w_.steps.last().lines << text; }

  void anglesInRadians() {
    QList<std::pair<QString, Real>> given;
    if (v_.Task == SSA || v_.Task == SAA) given << std::pair{QStringLiteral("A"), v_.AngleA};
    if (v_.Task == ASA) given << std::pair{QStringLiteral("B"), v_.AngleB};
    if (v_.Task == SAS || v_.Task == ASA || v_.Task == SAA)
      given << std::pair{QStringLiteral("C"), v_.AngleC};
    if (given.isEmpty()) return;
    open(QStringLiteral("Angles from degrees to radians, as the solver works in radians"));
    for (const auto& [name, angle] : given)
      line(QStringLiteral("%1 = %2 · π / 180 = %3").arg(name, degrees(angle), radians(angle)));
  }

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

  // An angle by the law of cosines: its cosine, its sine, then the angle.
  Real angleByCosines(const QString& name, Real opposite, Real x, Real y, const QString& names, Stage stage) {
    const QString o = names[0], p = names[1], q = names[2];
    open(QStringLiteral("Angle %1 by the law of cosines").arg(name), stage);
    line(QStringLiteral("cos %1 = (%2² + %3² − %4²) / (2·%2·%3)").arg(name, p, q, o));
    line(QStringLiteral("= (%1 + %2 − %3) / (2·%4·%5)")
             .arg(in(x * x), in(y * y), in(opposite * opposite), in(x), in(y)));
    const Real cosine = formula::cosineOpposite(opposite, x, y);
    line(QStringLiteral("= ") + num(cosine));
    stage_ = stage == Stage::CosineA ? Stage::SineA : Stage::SineB;
    lastCosine_ = cosine;
    const Real sine = formula::otherFromOne(cosine);
    line(QStringLiteral("sin %1 = √(1 − cos² %1) = %2").arg(name, num(sine)));
    return constructedAngle(name, cosine, sine);
  }

  // The angle from its cosine and sine by the arctangent, as the solver
  // builds every angle that the angle sum does not give.
  Real constructedAngle(const QString& name, Real cosine, Real sine) {
    const Real angle = formula::angleFromCosineAndSine(cosine, sine);
    const QString tangent = QStringLiteral("arctan(|sin %1 / cos %1|)").arg(name);
    if (cosine > 0) {
      line(QStringLiteral("cos %1 > 0, so %1 is acute: %1 = %2 = %3").arg(name, tangent, radians(angle)));
    } else if (cosine < 0) {
      line(
          QStringLiteral("cos %1 < 0, so %1 is obtuse: %1 = π − %2 = %3").arg(name, tangent, radians(angle)));
    } else {
      line(QStringLiteral("cos %1 = 0, so %1 is a right angle: %1 = π / 2 = %2").arg(name, radians(angle)));
    }
    line(QStringLiteral("%1 = %2").arg(name, degrees(angle)));
    return angle;
  }

  Real angleBySum(const QString& name, Real x, const QString& xName, Real y, const QString& yName) {
    open(QStringLiteral("Angle %1 from the angle sum").arg(name));
    const Real angle = formula::angleSum(x, y);
    line(QStringLiteral("%1 = 180° − %2 − %3 = 180° − %4 − %5")
             .arg(name, xName, yName, degrees(x), degrees(y)));
    line(QStringLiteral("%1 = %2").arg(name, degrees(angle)));
    sumAngles_ << SumAngle{name, xName + QStringLiteral(" + ") + yName, x + y, angle};
    return angle;
  }

  Real sideByCosines(Real a, Real b, Real between, const QString& betweenName) {
    open(QStringLiteral("Side c by the law of cosines"));
    line(QStringLiteral("c = √(a² + b² − 2·a·b·cos %1)").arg(betweenName));
    line(QStringLiteral("= √(%1 + %2 − 2·%3·%4·%5)")
             .arg(in(a * a), in(b * b), in(a), in(b), in(Cos(between))));
    const Real c = formula::thirdSide(a, b, between);
    line(QStringLiteral("c = ") + num(c));
    return c;
  }

  void threeSides() {
    const Real a = v_.SideA, b = v_.SideB, c = v_.SideC;
    v_.AngleA = angleByCosines(QStringLiteral("A"), a, b, c, QStringLiteral("abc"), Stage::CosineA);
    v_.AngleB = angleByCosines(QStringLiteral("B"), b, a, c, QStringLiteral("bac"), Stage::CosineB);
    v_.AngleC =
        angleBySum(QStringLiteral("C"), v_.AngleA, QStringLiteral("A"), v_.AngleB, QStringLiteral("B"));
  }

  void twoSidesAndOppositeAngle() {
    const Real a = v_.SideA, b = v_.SideB;
    open(QStringLiteral("Angle B by the law of sines"), Stage::SineOfB);
    line(QStringLiteral("sin B = b·sin A / a = %1·%2 / %3").arg(in(b), in(Sin(v_.AngleA)), in(a)));
    const Real sine = formula::sineBySines(v_.AngleA, b, a);
    line(QStringLiteral("= ") + num(sine));
    stage_ = Stage::CosineOfB;
    lastSine_ = sine;
    const Real cosine = formula::otherFromOne(sine);
    line(QStringLiteral("cos B = √(1 − sin² B) = %1, taken not negative, so B is at most 90°")
             .arg(num(cosine)));
    v_.AngleB = constructedAngle(QStringLiteral("B"), cosine, sine);
    ambiguity();
    v_.AngleC =
        angleBySum(QStringLiteral("C"), v_.AngleA, QStringLiteral("A"), v_.AngleB, QStringLiteral("B"));
    v_.SideC = sideByCosines(a, b, v_.AngleC, QStringLiteral("C"));
  }

  // Whether 180° − B also makes a triangle with these parts, and why.
  void ambiguity() {
    const Real A = v_.AngleA, B = v_.AngleB, other = Real(Dimension::Pi) - B;
    line(QStringLiteral("Two angles have this sine: B %1 and 180° − B %2.").arg(about(B), about(other)));
    second_ = secondTriangle(v_);
    if (second_) {
      line(QStringLiteral("Both fit, since A + (180° − B) %1 < 180°, with A acute and a < b: two triangles "
                          "have these parts.")
               .arg(about(A + other)));
    } else if (!(A > 0 && A < Real(Dimension::Pi) / 2)) {
      line(QStringLiteral("A is not acute, so B must be: only B %1 fits.").arg(about(B)));
    } else if (!(v_.SideA < v_.SideB)) {
      line(QStringLiteral("a ≥ b, so B is at most A and cannot be obtuse: only B %1 fits.").arg(about(B)));
    } else if (std::abs(Dimension::Pi / 2 - B.value()) < 1e-7) {
      line(QStringLiteral("B is a right angle, so both are the same: one triangle (a = b·sin A)."));
    } else {
      line(QStringLiteral("A + (180° − B) %1 leaves no room for C: only B %2 fits.")
               .arg(about(A + other), about(B)));
    }
  }

  void twoSidesAndIncludedAngle() {
    const Real a = v_.SideA, b = v_.SideB;
    v_.SideC = sideByCosines(a, b, v_.AngleC, QStringLiteral("C"));
    const Real c = v_.SideC;
    open(QStringLiteral("Angle A by the law of sines, its quadrant by the law of cosines"), Stage::SineOfA);
    line(QStringLiteral("sin A = a·sin C / c = %1·%2 / %3").arg(in(a), in(Sin(v_.AngleC)), in(c)));
    const Real sine = formula::sineBySines(v_.AngleC, a, c);
    line(QStringLiteral("= ") + num(sine));
    stage_ = Stage::Other;
    Real cosine = formula::otherFromOneAtLeastZero(sine);
    if (sine > 1 || sine < -1) {
      line(QStringLiteral("sin A is a hair beyond 1 by rounding: A is a right angle, cos A = 0"));
    } else {
      line(QStringLiteral("|cos A| = √(1 − sin² A) = ") + num(cosine));
    }
    const Real test = (b * b + c * c) - a * a;
    if (formula::obtuseOpposite(a, b, c)) {
      cosine = -cosine;
      line(QStringLiteral("b² + c² − a² = %1 < 0, so A is obtuse: cos A = %2").arg(num(test), num(cosine)));
    } else {
      line(QStringLiteral("b² + c² − a² = %1 ≥ 0, so cos A is not negative: cos A = %2")
               .arg(num(test), num(cosine)));
    }
    v_.AngleA = constructedAngle(QStringLiteral("A"), cosine, sine);
    v_.AngleB =
        angleBySum(QStringLiteral("B"), v_.AngleA, QStringLiteral("A"), v_.AngleC, QStringLiteral("C"));
  }

  void sideAndAdjacentAngles() {
    v_.AngleA =
        angleBySum(QStringLiteral("A"), v_.AngleB, QStringLiteral("B"), v_.AngleC, QStringLiteral("C"));
    sidesBySines();
  }

  void sideOppositeAngleAndAngle() {
    v_.AngleB =
        angleBySum(QStringLiteral("B"), v_.AngleA, QStringLiteral("A"), v_.AngleC, QStringLiteral("C"));
    sidesBySines();
  }

  void sidesBySines() {
    const Real a = v_.SideA;
    open(QStringLiteral("Sides b and c by the law of sines"), Stage::Sides);
    const QString sinA = in(Sin(v_.AngleA));
    line(QStringLiteral("b = sin B · a / sin A = %1·%2 / %3").arg(in(Sin(v_.AngleB)), in(a), sinA));
    v_.SideB = formula::sideBySines(v_.AngleB, a, v_.AngleA);
    line(QStringLiteral("b = ") + num(v_.SideB));
    line(QStringLiteral("c = sin C · a / sin A = %1·%2 / %3").arg(in(Sin(v_.AngleC)), in(a), sinA));
    v_.SideC = formula::sideBySines(v_.AngleC, a, v_.AngleA);
    line(QStringLiteral("c = ") + num(v_.SideC));
  }

  void area() {
    const Real a = v_.SideA, b = v_.SideB, c = v_.SideC;
    open(QStringLiteral("Area by Heron's formula"), Stage::Area);
    const Real s = formula::halfPerimeter(a, b, c);
    line(QStringLiteral("s = (a + b + c) / 2 = (%1 + %2 + %3) / 2 = %4").arg(in(a), in(b), in(c), num(s)));
    line(QStringLiteral("Area = √(s·(s − a)·(s − b)·(s − c))"));
    product_ = ((s - a) * s) * (s - b) * (s - c);
    line(QStringLiteral("= √(%1·%2·%3·%4)").arg(in(s), in(s - a), in(s - b), in(s - c)));
    const Real area = formula::heronArea(s, a, b, c);
    line(QStringLiteral("Area = ") + num(area));
  }

  void secondTriangleStep() {
    if (!second_) return;
    open(QStringLiteral("Second triangle (B obtuse), drawn dashed"));
    line(QStringLiteral("B = 180° − %1 = %2").arg(degrees(v_.AngleB), degrees(second_->AngleB)));
    line(QStringLiteral("C = 180° − A − B = %1").arg(degrees(second_->AngleC)));
    line(QStringLiteral("c = √(a² + b² − 2·a·b·cos C) = ") + num(second_->SideC));
    line(QStringLiteral("Area (Heron) = ") + num(second_->Area));
  }

  // Parts that solve without an error and still make no triangle.
  void noTriangleStep() {
    QStringList why;
    for (const SumAngle& sum : sumAngles_) {
      if (sum.angle < 0) {
        why << QStringLiteral("%1 = %2 is negative: %3 = %4 is more than 180°")
                   .arg(sum.name, degrees(sum.angle), sum.ofWhat, degrees(sum.sum));
      }
    }
    const std::pair<QString, Real> sides[] = {
        {QStringLiteral("a"), v_.SideA}, {QStringLiteral("b"), v_.SideB}, {QStringLiteral("c"), v_.SideC}};
    for (const auto& [name, side] : sides) {
      if (side < 0) why << QStringLiteral("%1 = %2 is negative").arg(name, num(side));
      if (side == 0) why << QStringLiteral("%1 = 0: a side is zero").arg(name);
    }
    if (why.isEmpty()) return;
    open(QStringLiteral("No triangle: the values above are shown as computed"));
    for (const QString& reason : why) line(reason);
  }

  void stop(ErrorNumber error) {
    w_.stopped = true;
    w_.steps << Step{QStringLiteral("Stopped: ") + stopReason(error), {}, {}};
    w_.steps.last().lines << QStringLiteral("The results not worked out above keep the texts they showed.");
  }

  QString stopReason(ErrorNumber error) const {
    if (error == ErrorNumber::Overflow) return QStringLiteral("a number is too large to solve with");
    const Real a = v_.SideA, b = v_.SideB, c = v_.SideC;
    switch (stage_) {
      case Stage::CosineA: return zeroSide({{"b", b}, {"c", c}});
      case Stage::CosineB: return zeroSide({{"a", a}, {"c", c}});
      case Stage::SineA:
      case Stage::SineB: return sidesOverSum();
      case Stage::SineOfB: return QStringLiteral("a = 0, and the law of sines divides by a");
      case Stage::CosineOfB:
        return QStringLiteral(
                   "b·sin A = %1 > a = %2: side a is too short to reach the third side, so no "
                   "triangle has these parts (sin B = %3 is more than 1)")
            .arg(num(b * Sin(v_.AngleA)), num(a), num(lastSine_));
      case Stage::SineOfA: return QStringLiteral("c = 0: side c comes out zero, so there is no triangle");
      case Stage::Sides:
        return QStringLiteral(
                   "sin A = 0 (A = %1): the law of sines divides by it; the angles sum to 180° "
                   "or more and leave no room for a triangle")
            .arg(degrees(v_.AngleA));
      case Stage::Area:
        return QStringLiteral(
                   "the product under the root, %1, is negative: the parts found make no triangle, "
                   "so there is no area")
            .arg(num(product_));
      default: return QStringLiteral("no triangle has these parts");
    }
  }

  static QString zeroSide(std::initializer_list<std::pair<const char*, Real>> divisors) {
    for (const auto& [name, side] : divisors) {
      if (side == 0)
        return QStringLiteral("%1 = 0: a side is zero, and the law of cosines divides by it")
            .arg(QLatin1String(name));
    }
    return QStringLiteral("a side is zero");
  }

  QString sidesOverSum() const {
    const std::tuple<QString, Real, QString, Real, Real> checks[] = {
        {QStringLiteral("a"), v_.SideA, QStringLiteral("b + c"), v_.SideB, v_.SideC},
        {QStringLiteral("b"), v_.SideB, QStringLiteral("a + c"), v_.SideA, v_.SideC},
        {QStringLiteral("c"), v_.SideC, QStringLiteral("a + b"), v_.SideA, v_.SideB}};
    const QString cosine = QStringLiteral("the cosine %1 lies beyond −1 to 1").arg(num(lastCosine_));
    for (const auto& [name, side, others, x, y] : checks) {
      if (side > x + y) {
        return QStringLiteral("%1 = %2 is more than %3 = %4 + %5 = %6: no triangle has these sides (%7)")
            .arg(name, num(side), others, num(x), num(y), num(x + y), cosine);
      }
    }
    return QStringLiteral("no triangle has these sides (%1)").arg(cosine);
  }

  struct SumAngle {
    QString name, ofWhat;
    Real sum, angle;
  };

  TriangleVariables v_;  // the given parts, and the parts worked out so far
  working::Working w_;
  Stage stage_ = Stage::Other;
  Real lastCosine_, lastSine_, product_;
  QList<SumAngle> sumAngles_;
  std::optional<SecondTriangle> second_;
};

}  // namespace

working::Working triangleWorking(const TriangleVariables& v) { return Builder(v).build(); }

}  // namespace veltrano::triangles
