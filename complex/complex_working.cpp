#include "complex/complex_working.h"

#include <QMap>
#include <algorithm>
#include <cmath>
#include <functional>

#include "common/math_text.h"
#include "common/numeric_text.h"

namespace veltrano::complex {

using working::Step;
using working::Table;
using working::Working;

namespace {

QString text(Real value) { return NumberToText(value.value()); }
QString operand(Real value) { return Operand(text(value)); }

// Radians to degrees for reading, as the working shows angles beside the
// radians the solver uses.
QString degrees(double radians) { return NumberToText(radians * 45.0 / std::atan(1.0)) + u'°'; }

const char* const kTaskNames[] = {"x + y",  "x - y",  "x * y",           "x / y", "y ^ x",
                                  "Exp(x)", "Log(x)", "Polar form of x", "x ^ n", "Find all nth roots of x"};

QString stageName(Stage stage) {
  switch (stage) {
    case Stage::PolarOfX: return QStringLiteral("the polar form of x");
    case Stage::Sum: return QStringLiteral("the sum x + y");
    case Stage::Difference: return QStringLiteral("the difference x − y");
    case Stage::Product: return QStringLiteral("the product x · y");
    case Stage::Quotient: return QStringLiteral("the quotient x / y");
    case Stage::YtoX: return QStringLiteral("y to the power x");
    case Stage::XtoN: return QStringLiteral("x to the power n");
    case Stage::Roots: return QStringLiteral("the n-th roots");
    case Stage::Exp: return QStringLiteral("Exp(x)");
    case Stage::Log: return QStringLiteral("Log(x)");
    case Stage::Polar: return QStringLiteral("the polar form");
    case Stage::Done: break;
  }
  return {};
}

// What a run wrote, as the labels and the list would show it.
struct RecordingSheet : ComplexSheet {
  QString result(Target target) const override { return labels.value(target); }
  void setResult(Target target, const QString& text) override { labels[target] = text; }
  void clearRoots() override { roots = {}; }
  void setRoots(const RootSeries& series) override { roots = series; }
  void focusExponent() override {}

  QMap<Target, QString> labels;
  RootSeries roots;
};

// Builds the steps from the solver's values and the run's results.
class WorkingBuilder {
 public:
  explicit WorkingBuilder(const ComplexSolver& inputs) : solver_(inputs) {
    outcome_ = solver_.SolveComplex(sheet_);
    why_ = failureText(outcome_, solver_);
  }

  Working build(const QString& unreadField);

 private:
  // A step whose arithmetic fails where the run failed ends there, saying why.
  void addStep(const QString& rule, const std::function<void(Step&)>& fill);
  void addPolarStep(const QString& name, Real p, Real q);
  void addTaskSteps();
  void sum(Step& step) const;
  void difference(Step& step) const;
  void product(Step& step) const;
  void quotient(Step& step) const;
  void yToX(Step& step) const;
  void exp(Step& step) const;
  void log(Step& step) const;
  void polar(Step& step) const;
  void power(Step& step) const;
  void roots(Step& step) const;
  QString shown(Target target) const { return sheet_.labels.value(target); }

  ComplexSolver solver_;
  RecordingSheet sheet_;
  SolveOutcome outcome_;
  QString why_;
  Working working_;
};

void WorkingBuilder::addStep(const QString& rule, const std::function<void(Step&)>& fill) {
  Step step{rule, {}, {}};
  try {
    fill(step);
  } catch (const RuntimeError& e) {
    step.lines.append(QStringLiteral("Stopped here: %1.").arg(why_.isEmpty() ? e.name() : why_));
    working_.stopped = true;
  }
  working_.steps.append(step);
}

// ToPolar, step by step: the modulus, then the argument by the quadrant.
void WorkingBuilder::addPolarStep(const QString& name, Real p, Real q) {
  const QString r = name == u'x' ? QStringLiteral("r") : QStringLiteral("r_y");
  const QString theta = name == u'x' ? QStringLiteral("θ") : QStringLiteral("θ_y");
  const QString re = name == u'x' ? QStringLiteral("a") : QStringLiteral("c");
  const QString im = name == u'x' ? QStringLiteral("b") : QStringLiteral("d");
  addStep(QStringLiteral("%1 in rectangular and polar form").arg(name), [&](Step& step) {
    step.lines.append(QStringLiteral("%1 = %2 + %3·i = %4").arg(name, re, im, ComplexToText(p, q)));
    const PolarForm polar = ToPolar(p, q);
    step.lines.append(QStringLiteral("%1 = |%2| = √(%3² + %4²) = √(%5² + %6²) = %7")
                          .arg(r, name, re, im, operand(p), operand(q), text(polar.modulus)));
    if (p == Real(0)) {
      step.lines.append(
          QStringLiteral("%1 = 0, so %2 lies on the imaginary axis (or is 0): %3 = 2·sign(%4)·arctan(1)")
              .arg(re, name, theta, im));
    } else if (p > Real(0)) {
      step.lines.append(
          QStringLiteral("%1 > 0, so %2 lies right of the imaginary axis: %3 = arctan(%4 / %1) = "
                         "arctan(%5 / %6)")
              .arg(re, name, theta, im, operand(q), operand(p)));
    } else {
      step.lines.append(QStringLiteral("%1 < 0, so %2 lies left of the imaginary axis, between 90° and 270°: "
                                       "%3 = arctan(%4 / %1) + π = arctan(%5 / %6) + π")
                            .arg(re, name, theta, im, operand(q), operand(p)));
    }
    step.lines.append(
        QStringLiteral("%1 = %2 rad = %3").arg(theta, text(polar.argument), degrees(polar.argument.value())));
    step.lines.append(
        QStringLiteral("%1 = %2·(cos %3 + i·sin %3) = %4·(cos %5 + i·sin %5)")
            .arg(name, r, theta, text(polar.modulus), Operand(degrees(polar.argument.value()))));
  });
}

void WorkingBuilder::sum(Step& step) const {
  const Real a = solver_.a, b = solver_.b, c = solver_.c, d = solver_.d;
  step.lines = {QStringLiteral("x + y = (a + c) + (b + d)·i"),
                QStringLiteral("= (%1 + %2) + (%3 + %4)·i").arg(text(a), operand(c), text(b), operand(d))};
  step.lines.append(QStringLiteral("= %1").arg(ComplexToText(c + a, d + b)));
}

void WorkingBuilder::difference(Step& step) const {
  const Real a = solver_.a, b = solver_.b, c = solver_.c, d = solver_.d;
  step.lines = {QStringLiteral("x − y = (a − c) + (b − d)·i"),
                QStringLiteral("= (%1 − %2) + (%3 − %4)·i").arg(text(a), operand(c), text(b), operand(d))};
  step.lines.append(QStringLiteral("= %1").arg(ComplexToText(a - c, b - d)));
}

void WorkingBuilder::product(Step& step) const {
  const Real a = solver_.a, b = solver_.b, c = solver_.c, d = solver_.d;
  step.lines = {QStringLiteral("x · y = (a + b·i)·(c + d·i) = (c·a − d·b) + (c·b + d·a)·i, since i² = −1"),
                QStringLiteral("= (%1·%2 − %3·%4) + (%1·%4 + %3·%2)·i")
                    .arg(operand(c), operand(a), operand(d), operand(b))};
  step.lines.append(QStringLiteral("= %1").arg(ComplexToText(c * a - d * b, c * b + d * a)));
}

void WorkingBuilder::quotient(Step& step) const {
  const Real a = solver_.a, b = solver_.b, c = solver_.c, d = solver_.d;
  step.lines = {
      QStringLiteral(
          "x / y = (x · ȳ) / (y · ȳ): numerator and denominator times the conjugate ȳ = c − d·i = %1")
          .arg(ComplexToText(c, -d)),
      QStringLiteral("y · ȳ = c² + d² = %1² + %2²").arg(operand(c), operand(d))};
  const Real denominator = Power(c, 2) + Power(d, 2);
  step.lines.append(QStringLiteral("= %1").arg(text(denominator)));
  step.lines.append(
      QStringLiteral("x · ȳ = (d·b + c·a) + (c·b − d·a)·i = (%1·%2 + %3·%4) + (%3·%2 − %1·%4)·i")
          .arg(operand(d), operand(b), operand(c), operand(a)));
  step.lines.append(QStringLiteral("x / y = (%1 + %2·i) / %3")
                        .arg(text(d * b + c * a), operand(c * b - d * a), text(denominator)));
  step.lines.append(QStringLiteral("= %1").arg(
      ComplexToText((d * b + c * a) / denominator, (c * b - d * a) / denominator)));
}

void WorkingBuilder::yToX(Step& step) const {
  const Real a = solver_.a, b = solver_.b, c = solver_.c, d = solver_.d;
  step.lines.append(QStringLiteral("y^x = e^(x · ln y), with ln y = ln r_y + θ_y·i (r_y, θ_y as above)"));
  const PolarForm y = ToPolar(c, d);
  const Real L = Log(y.modulus);
  step.lines.append(QStringLiteral("L = ln r_y = ln %1 = %2").arg(text(y.modulus), text(L)));
  const Real u = L * a - y.argument * b;
  const Real v = L * b + a * y.argument;
  step.lines.append(QStringLiteral("u = L·a − θ_y·b = %1·%2 − %3·%4 = %5")
                        .arg(operand(L), operand(a), operand(y.argument), operand(b), text(u)));
  step.lines.append(QStringLiteral("v = L·b + a·θ_y = %1·%2 + %3·%4 = %5")
                        .arg(operand(L), operand(b), operand(a), operand(y.argument), text(v)));
  step.lines.append(QStringLiteral("y^x = e^u·cos v + e^u·sin v·i = e^%1·cos %2 + e^%1·sin %2·i")
                        .arg(operand(u), operand(v)));
  step.lines.append(QStringLiteral("= %1").arg(ComplexToText(Exp(u) * Cos(v), Exp(u) * Sin(v))));
}

void WorkingBuilder::exp(Step& step) const {
  const Real a = solver_.a, b = solver_.b;
  step.lines = {QStringLiteral("e^x = e^(a + b·i) = e^a·(cos b + i·sin b), b in radians"),
                QStringLiteral("= e^%1·(cos %2 + i·sin %2)").arg(operand(a), operand(b))};
  step.lines.append(QStringLiteral("= %1").arg(ComplexToText(Exp(a) * Cos(b), Exp(a) * Sin(b))));
}

void WorkingBuilder::log(Step& step) const {
  if (solver_.a == 0 && solver_.b == 0) {
    step.lines = {
        QStringLiteral("ln x = ln r + θ·i needs r > 0, and x = 0 has r = 0: the logarithm of 0 is not "
                       "defined."),
        shown(Target::Log)};
    return;
  }
  step.lines = {QStringLiteral("ln x = ln(r·e^(θ·i)) = ln r + θ·i (θ as above, from −90° up to 270°)"),
                QStringLiteral("= ln %1 + %2·i").arg(text(solver_.Modulus), operand(solver_.Argument))};
  step.lines.append(QStringLiteral("= %1").arg(ComplexToText(Log(solver_.Modulus), solver_.Argument)));
}

void WorkingBuilder::polar(Step& step) const {
  step.lines = {
      QStringLiteral("The polar form is written r,θ: the modulus, a comma and the argument in radians"),
      QStringLiteral("= %1").arg(shown(Target::Polar))};
}

void WorkingBuilder::power(Step& step) const {
  const Real n = solver_.n, r = solver_.Modulus, theta = solver_.Argument;
  step.lines = {QStringLiteral("De Moivre: x^n = r^n·(cos(n·θ) + i·sin(n·θ)), for any real n")};
  const Real rn = Power(r, n);
  step.lines.append(QStringLiteral("r^n = %1^%2 = %3").arg(operand(r), operand(n), text(rn)));
  step.lines.append(QStringLiteral("n·θ = %1·%2 = %3 rad").arg(operand(n), operand(theta), text(n * theta)));
  step.lines.append(QStringLiteral("x^n = %1·cos %2 + %1·sin %2·i").arg(operand(rn), operand(n * theta)));
  step.lines.append(QStringLiteral("= %1").arg(ComplexToText(rn * Cos(n * theta), rn * Sin(n * theta))));
}

void WorkingBuilder::roots(Step& step) const {
  const Real n = solver_.n;
  if (!(n > Real(0) && Int(n) == n)) {
    step.lines = {
        QStringLiteral("n = %1 is not a whole number above 0, so no roots are listed.").arg(text(n))};
    return;
  }
  step.lines = {
      QStringLiteral("De Moivre: the n roots have the modulus ρ = r^(1/n) and the arguments "
                     "φ_k = (θ + 360°·k) / n, for k = 0 to n − 1")};
  if (outcome_.failedAt == Stage::Roots && !outcome_.listFull) raise(outcome_.error);
  const RootSeries& series = sheet_.roots;
  step.lines.append(
      QStringLiteral("ρ = %1^(1/%2) = %3").arg(text(solver_.Modulus), text(n), NumberToText(series.rho)));
  Table table{{QStringLiteral("k"), QStringLiteral("φ_k"), QStringLiteral("root")}, {}};
  auto addRow = [&](int k) {
    const double phi = (series.fullTurn * k + series.argument) / series.n;
    table.rows.append({QString::number(k), degrees(phi), series.row(k)});
  };
  const bool summarised = series.count > kRootsListedFirst + 1;
  const int first = summarised ? kRootsListedFirst : series.count;
  for (int k = 0; k < first; ++k) addRow(k);
  if (summarised) {
    table.rowsLeftOut = series.count - kRootsListedFirst - 1;
    table.leftOutAfterRow = kRootsListedFirst;
    addRow(series.count - 1);
  }
  step.tables.append(table);
  if (outcome_.listFull) {
    step.lines.append(QStringLiteral("The list holds at most %1 rows: it shows the first %1 of the %2 roots.")
                          .arg(ComplexSolver::kMaxRoots)
                          .arg(text(n)));
  }
}

void WorkingBuilder::addTaskSteps() {
  switch (solver_.Task) {
    case 0: addStep(QStringLiteral("Sum by parts"), [this](Step& s) { sum(s); }); break;
    case 1: addStep(QStringLiteral("Difference by parts"), [this](Step& s) { difference(s); }); break;
    case 2: addStep(QStringLiteral("Product, multiplied out"), [this](Step& s) { product(s); }); break;
    case 3:
      addStep(QStringLiteral("Quotient by the conjugate of y"), [this](Step& s) { quotient(s); });
      break;
    case 4:
      addStep(QStringLiteral("y to the power x by the exponential"), [this](Step& s) { yToX(s); });
      break;
    case 5: addStep(QStringLiteral("Exponential"), [this](Step& s) { exp(s); }); break;
    case 6: addStep(QStringLiteral("Natural logarithm"), [this](Step& s) { log(s); }); break;
    case 7: addStep(QStringLiteral("Polar form"), [this](Step& s) { polar(s); }); break;
    default:
      addStep(QStringLiteral("x to the power n by De Moivre"), [this](Step& s) { power(s); });
      if (!working_.stopped)
        addStep(QStringLiteral("The n-th roots by De Moivre"), [this](Step& s) { roots(s); });
      break;
  }
}

Working WorkingBuilder::build(const QString& unreadField) {
  const std::int32_t task = std::clamp(solver_.Task, 0, 9);
  const TaskGroup group = groupOf(task);
  working_.title = QStringLiteral("Complex numbers, task \"%1\": x = %2")
                       .arg(QString::fromLatin1(kTaskNames[task]), ComplexToText(solver_.a, solver_.b));
  if (group == TaskGroup::TwoNumber)
    working_.title += QStringLiteral(", y = ") + ComplexToText(solver_.c, solver_.d);
  if (group == TaskGroup::Power) working_.title += QStringLiteral(", n = ") + text(solver_.n);

  addPolarStep(QStringLiteral("x"), solver_.a, solver_.b);
  if (!working_.stopped && group == TaskGroup::TwoNumber) {
    addPolarStep(QStringLiteral("y"), solver_.c, solver_.d);
    working_.stopped = false;  // y's polar form is the quotient's and y^x's business, not the sum's
  }
  if (!working_.stopped) addTaskSteps();
  if (!working_.stopped && !outcome_.complete()) {
    working_.steps.append({QStringLiteral("Where the run stopped"),
                           {QStringLiteral("At %1: %2. The results after it keep their last texts.")
                                .arg(stageName(outcome_.failedAt), why_)},
                           {}});
    working_.stopped = true;
  }
  if (!unreadField.isEmpty()) {
    working_.steps.append(
        {QStringLiteral("A field that cannot be read"),
         {QStringLiteral("%1 cannot be read: its number is beyond the range of a double. The "
                         "results answer the %1 last read.")
              .arg(unreadField)},
         {}});
    working_.stopped = true;
  }
  return working_;
}

}  // namespace

Working ComplexWorking(const ComplexSolver& inputs, const QString& unreadField) {
  return WorkingBuilder(inputs).build(unreadField);
}

}  // namespace veltrano::complex
