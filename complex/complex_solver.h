#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "common/real.h"
#include "common/runtime_error.h"

namespace veltrano::complex {

// The result labels, in the order the worksheet file stores them.
enum class Target { Sum, Difference, Product, Quotient, YtoX, Exp, Log, Polar, XtoN };
inline constexpr int kTargetCount = 9;

// The ten tasks fall into three groups; the group alone decides what a run
// computes.
enum class TaskGroup { TwoNumber, OneNumber, Power };
TaskGroup groupOf(std::int32_t task);

// The n-th roots of x as the root list shows them, each written only when it
// is asked for: root k has the argument (2 pi k + theta) / n and the modulus
// r^(1/n), computed as a row of the list has always been.
struct RootSeries {
  int count = 0;
  double rho = 0;       // r^(1/n)
  double argument = 0;  // theta
  double n = 1;
  double fullTurn = 0;  // 8 arctan(1)

  double re(int k) const;
  double im(int k) const;
  QString row(int k) const;
  QStringList rows() const;
};

// Where a run writes its results. The window implements it; the solver never
// sees a widget.
class ComplexSheet {
 public:
  virtual ~ComplexSheet() = default;
  virtual QString result(Target target) const = 0;
  virtual void setResult(Target target, const QString& text) = 0;
  virtual void clearRoots() = 0;
  // Replaces the rows of the root list in one batch.
  virtual void setRoots(const RootSeries& roots) = 0;
  virtual void focusExponent() = 0;
};

struct PolarForm {
  Real modulus;
  Real argument;  // from -pi/2 (included) to 3*pi/2 (excluded)
};
PolarForm ToPolar(Real p, Real q);

// "3+4*i", "3-4*i", "0+4*i", "5": the real part always, the imaginary part
// unless it is 0, no blanks.
QString ComplexToText(Real re, Real im);

// The steps of a run, in the order a run reaches them.
enum class Stage { PolarOfX, Sum, Difference, Product, Quotient, YtoX, XtoN, Roots, Exp, Log, Polar, Done };

struct SolveOutcome {
  Stage failedAt = Stage::Done;
  ErrorNumber error = ErrorNumber::Overflow;
  bool listFull = false;  // the roots outnumber the rows the list can hold
  bool complete() const { return failedAt == Stage::Done; }
};

class ComplexSolver {
 public:
  // The list box counts its rows in 16 bits.
  static constexpr std::int32_t kMaxRoots = 32767;

  std::int32_t Task = 0;
  double a = 0, b = 0;  // x = a + b*i
  double c = 0, d = 0;  // y = c + d*i
  double n = 0;
  Real Modulus;
  Real Argument;
  std::int32_t RootIndex = 0;

  // Writes the results of the selected task into the sheet. A failure ends
  // the run at once: what was written stays, everything later is untouched,
  // and the outcome says where and why it stopped.
  SolveOutcome SolveComplex(ComplexSheet& sheet);

 private:
  void twoNumberResults(ComplexSheet& sheet);
  void powerResults(ComplexSheet& sheet);
  void listRoots(ComplexSheet& sheet);
  void oneNumberResults(ComplexSheet& sheet);

  Stage stage_ = Stage::Done;
  bool listFull_ = false;
};

// The labels a run of this group writes, in the order it writes them.
QList<Target> runTargets(TaskGroup group);
// The labels of that run that a failed run left unwritten or half written.
QList<Target> unwrittenTargets(TaskGroup group, const SolveOutcome& outcome);

// Why a run failed, in plain words for the status area.
QString failureText(const SolveOutcome& outcome, const ComplexSolver& solver);

// Why the tasks that list roots list none, or not all, for this n: empty for
// a whole n from 1 to kMaxRoots and in the tasks without roots.
QString rootsNote(std::int32_t task, double n);

}  // namespace veltrano::complex
