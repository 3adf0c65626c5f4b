#include "complex/complex_solver.h"

#include <algorithm>
#include <cmath>

#include "common/numeric_text.h"
#include "complex/row_text.h"

namespace veltrano::complex {

namespace {

QString imaginaryText(Real im) {
  if (im < Real(0)) return NumberToText(im.value()) + QStringLiteral("*i");
  if (im > Real(0)) return QStringLiteral("+") + NumberToText(im.value()) + QStringLiteral("*i");
  return {};
}

// A label gets its real part first; the imaginary part is computed only
// then, so a failure in it leaves the real part alone in the label.
template <typename ImaginaryPart>
void writeInTwoSteps(ComplexSheet& sheet, Target target, Real re, ImaginaryPart imaginaryPart) {
  sheet.setResult(target, NumberToText(re.value()));
  const Real im = imaginaryPart();
  sheet.setResult(target, sheet.result(target) + imaginaryText(im));
}

}  // namespace

// The arithmetic of a Real without its checks, which these values never trip.
double RootSeries::re(int k) const { return std::cos((fullTurn * k + argument) / n) * rho; }
double RootSeries::im(int k) const { return std::sin((fullTurn * k + argument) / n) * rho; }
QString RootSeries::row(int k) const { return RootRowText(re(k), im(k)); }

QStringList RootSeries::rows() const {
  QStringList all;
  all.reserve(count);
  for (int k = 0; k < count; ++k) all.append(row(k));
  return all;
}

TaskGroup groupOf(std::int32_t task) {
  if (task <= 4) return TaskGroup::TwoNumber;
  if (task <= 7) return TaskGroup::OneNumber;
  return TaskGroup::Power;
}

PolarForm ToPolar(Real p, Real q) {
  PolarForm polar;
  polar.modulus = Sqr(Power(p, 2) + Power(q, 2));
  if (p == Real(0)) {
    polar.argument = Real(2) * (Sgn(q) * Atn(1));
  } else {
    polar.argument = Atn(q / p);
    if (p < Real(0)) polar.argument = polar.argument + Real(4) * Atn(1);
  }
  return polar;
}

QString ComplexToText(Real re, Real im) { return NumberToText(re.value()) + imaginaryText(im); }

SolveOutcome ComplexSolver::SolveComplex(ComplexSheet& sheet) {
  listFull_ = false;
  try {
    stage_ = Stage::PolarOfX;
    const PolarForm x = ToPolar(a, b);
    Modulus = x.modulus;
    Argument = x.argument;
    const TaskGroup group = groupOf(Task);
    if (group == TaskGroup::TwoNumber) twoNumberResults(sheet);
    if (group == TaskGroup::Power) powerResults(sheet);
    if (listFull_) return {Stage::Roots, ErrorNumber::Overflow, true};
    oneNumberResults(sheet);
  } catch (const RuntimeError& e) {
    return {stage_, e.number(), false};
  }
  return {};
}

void ComplexSolver::twoNumberResults(ComplexSheet& sheet) {
  const Real a = this->a, b = this->b, c = this->c, d = this->d;

  stage_ = Stage::Sum;
  writeInTwoSteps(sheet, Target::Sum, c + a, [&] { return d + b; });

  stage_ = Stage::Difference;
  writeInTwoSteps(sheet, Target::Difference, a - c, [&] { return b - d; });

  stage_ = Stage::Product;
  writeInTwoSteps(sheet, Target::Product, c * a - d * b, [&] { return c * b + d * a; });

  stage_ = Stage::Quotient;
  const Real dSquared = Power(d, 2);
  const Real denominator = Power(c, 2) + dSquared;
  writeInTwoSteps(sheet, Target::Quotient, (d * b + c * a) / denominator,
                  [&] { return (c * b - d * a) / denominator; });

  // y to the power x works on its own values: those of x stay as they are.
  stage_ = Stage::YtoX;
  const PolarForm y = ToPolar(c, d);
  const Real L = Log(y.modulus);
  const Real u = L * a - y.argument * b;
  const Real v = L * b + a * y.argument;
  const Real re = Exp(u) * Cos(v);
  const Real im = Exp(u) * Sin(v);
  sheet.setResult(Target::YtoX, ComplexToText(re, im));
}

void ComplexSolver::powerResults(ComplexSheet& sheet) {
  sheet.clearRoots();
  sheet.focusExponent();

  // De Moivre, for any real n.
  stage_ = Stage::XtoN;
  const Real n = this->n;
  writeInTwoSteps(sheet, Target::XtoN, Power(Modulus, n) * Cos(n * Argument),
                  [&] { return Power(Modulus, n) * Sin(n * Argument); });

  if (n > Real(0) && Int(n) == n) listRoots(sheet);
}

void ComplexSolver::listRoots(ComplexSheet& sheet) {
  stage_ = Stage::Roots;
  const Real n = this->n;
  const Real rho = Power(Modulus, Real(1) / n);
  const std::int32_t lastIndex = ToLong(n - Real(1));
  const Real fullTurn = Real(8) * Atn(1);

  // Past this point nothing can fail: every row's argument and parts are
  // finite. So the rows are left to the list, which writes those it shows.
  RootSeries roots;
  roots.count = std::min(lastIndex, kMaxRoots - 1) + 1;
  roots.rho = rho.value();
  roots.argument = Argument.value();
  roots.n = n.value();
  roots.fullTurn = fullTurn.value();
  listFull_ = lastIndex >= kMaxRoots;
  RootIndex = roots.count;
  sheet.setRoots(roots);
}

void ComplexSolver::oneNumberResults(ComplexSheet& sheet) {
  const Real a = this->a, b = this->b;

  stage_ = Stage::Exp;
  const Real re = Exp(a) * Cos(b);
  const Real im = Exp(a) * Sin(b);
  sheet.setResult(Target::Exp, ComplexToText(re, im));

  stage_ = Stage::Log;
  if (a == Real(0) && b == Real(0)) {
    sheet.setResult(Target::Log, QStringLiteral("NOT DEFINED FOR X = 0"));
  } else {
    writeInTwoSteps(sheet, Target::Log, Log(Modulus), [&] { return Argument; });
  }

  stage_ = Stage::Polar;
  sheet.setResult(Target::Polar,
                  NumberToText(Modulus.value()) + QStringLiteral(",") + NumberToText(Argument.value()));
}

QList<Target> runTargets(TaskGroup group) {
  switch (group) {
    case TaskGroup::TwoNumber:
      return {Target::Sum,  Target::Difference, Target::Product, Target::Quotient,
              Target::YtoX, Target::Exp,        Target::Log,     Target::Polar};
    case TaskGroup::Power: return {Target::XtoN, Target::Exp, Target::Log, Target::Polar};
    case TaskGroup::OneNumber: break;
  }
  return {Target::Exp, Target::Log, Target::Polar};
}

namespace {
// The first label that a run stopped at this stage did not finish.
Target firstUnwritten(Stage stage) {
  switch (stage) {
    case Stage::Sum: return Target::Sum;
    case Stage::Difference: return Target::Difference;
    case Stage::Product: return Target::Product;
    case Stage::Quotient: return Target::Quotient;
    case Stage::YtoX: return Target::YtoX;
    case Stage::XtoN: return Target::XtoN;
    case Stage::Roots:
    case Stage::Exp: return Target::Exp;
    case Stage::Log: return Target::Log;
    case Stage::Polar: return Target::Polar;
    case Stage::PolarOfX:
    case Stage::Done: break;
  }
  return Target::Sum;
}
}  // namespace

QList<Target> unwrittenTargets(TaskGroup group, const SolveOutcome& outcome) {
  QList<Target> targets = runTargets(group);
  if (outcome.complete()) return {};
  if (outcome.failedAt == Stage::PolarOfX) return targets;
  const qsizetype from = targets.indexOf(firstUnwritten(outcome.failedAt));
  return from < 0 ? QList<Target>{} : targets.mid(from);
}

QString failureText(const SolveOutcome& outcome, const ComplexSolver& solver) {
  if (outcome.complete()) return {};
  if (outcome.listFull) {
    return QStringLiteral("The list is full: it shows the first %1 roots").arg(ComplexSolver::kMaxRoots);
  }
  const bool xIsZero = solver.a == 0 && solver.b == 0;
  const bool yIsZero = solver.c == 0 && solver.d == 0;
  switch (outcome.error) {
    case ErrorNumber::DivisionByZero:
      if (outcome.failedAt == Stage::Quotient || outcome.failedAt == Stage::YtoX) {
        return yIsZero ? QStringLiteral("Division by zero: y is 0")
                       : QStringLiteral("Division by zero: y is too small");
      }
      if (outcome.failedAt == Stage::XtoN) {
        return xIsZero ? QStringLiteral("Division by zero: x is 0 and n is negative")
                       : QStringLiteral("Division by zero: x is too small for a negative n");
      }
      return QStringLiteral("Division by zero");
    case ErrorNumber::Overflow:
      if (outcome.failedAt == Stage::Roots) return QStringLiteral("Too many roots to list");
      return QStringLiteral("Result too large");
    case ErrorNumber::InvalidCall: return QStringLiteral("Number too small: x or y is too close to 0");
    default: break;
  }
  return RuntimeError(outcome.error).name();
}

// The same test as the run's: n above 0 with no fractional part.
QString rootsNote(std::int32_t task, double n) {
  if (groupOf(task) != TaskGroup::Power) return {};
  const bool whole = n > 0 && std::trunc(n) == n;
  if (whole && n <= ComplexSolver::kMaxRoots) return {};
  const QString start = QStringLiteral("Roots need a whole n from 1 to %1: n = %2 gives ")
                            .arg(ComplexSolver::kMaxRoots)
                            .arg(NumberToText(n));
  if (whole) return start + QStringLiteral("only the first %1").arg(ComplexSolver::kMaxRoots);
  return start + QStringLiteral("none");
}

}  // namespace veltrano::complex
