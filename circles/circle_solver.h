#pragma once

#include <QList>
#include <QString>
#include <array>
#include <cstdint>

#include "common/real.h"
#include "common/runtime_error.h"

namespace veltrano::circles {

// The six fields of the Circles worksheet, in the order of the file.
enum class CircleField { Radius, Arc, Chord, CentralAngle, Sector, Segment };
inline constexpr int kCircleFieldCount = 6;

// The cases, by the index of their case button.
enum CircleCase : std::int32_t {
  RadiusAndArc = 0,
  RadiusAndChord = 1,
  RadiusAndCentralAngle = 2,
  ArcAndCentralAngle = 3,
  ChordAndCentralAngle = 4,
  ArcAndChord = 5,
};

// Whether a quantity field is typed by the user in a case; the two area
// fields are results in every case.
bool isInputOf(std::int32_t task, CircleField field);

// One flag per field, indexed by CircleField.
using FieldFlags = std::array<bool, kCircleFieldCount>;

// How the last solve of one change ended: empty failure for a solve that
// wrote every result, else why it failed in plain words, and the results that
// do not describe the inputs (not written, or written from a failed step).
struct SolveOutcome {
  QString failure;
  FieldFlags stale{};
  // A given quantity no circle has, told even when the solve went through.
  QString impossibleInput;
};

// What the solver writes to. The window shows each text in its field; a text
// that differs from the field's runs that field's change handler, and so the
// solver again, before writeField returns.
class CircleView {
 public:
  virtual ~CircleView() = default;
  virtual void writeField(CircleField field, const QString& text) = 0;
  // The busy pointer while the arc-and-chord root is sought.
  virtual void setBusy(bool busy) = 0;
  // Called once per change, by the outermost solve only: the nested solves
  // that its own writes start write the same texts and must not decide.
  virtual void solveEnded(const SolveOutcome& outcome) = 0;
};

// The root search of the arc-and-chord case as it ran, for its working.
struct ArcChordTrace {
  struct Update {
    double halfAngle, next;  // t before and after one of Newton's steps
  };
  QList<Update> newton;  // every update of the iteration, in order
  bool newtonEndedOnError = false;
  ErrorNumber newtonError = ErrorNumber::InvalidCall;
  bool bracketed = false;  // the iteration's root was not the half angle
  struct Halving {
    double low, high;  // the bracket after one halving
  };
  QList<Halving> halvings;
};

// The variables of the Circles worksheet. They keep their values from one
// solve to the next; the change handlers store the typed values here.
struct CircleVariables {
  std::int32_t Task = RadiusAndArc;
  Real Radius;
  Real Arc;
  Real Chord;
  Real CentralAngle;  // radians
  Real HalfChordRatio;
  Real HalfAngleCosine;
  Real ChordArcRatio;
  Real Tolerance;
  Real HalfAngle;
  Real PreviousHalfAngle;
  Real MaxIterations;
  Real IterationCount;
  std::int32_t Converged = 0;
};

// Why the given quantities of the case describe no circle, with what the
// solve made of them: "A radius must be above 0", "A central angle must be
// above 0 and at most 360 degrees: 400 gives a chord of −1.368". Empty when
// they are those of a circle.
QString impossibleInputNote(const CircleVariables& v);

// Solves the selected case from its two known quantities and writes the
// other two and both areas. Runs on the thread of the window, re-entered only
// through the view's change handlers.
class CircleSolver {
 public:
  explicit CircleSolver(CircleView& view) : view_(view) {}

  CircleVariables& variables() { return v_; }
  // Where the root search records its steps; none by default.
  void setTrace(ArcChordTrace* trace) { trace_ = trace; }
  const CircleVariables& variables() const { return v_; }

  void SolveCircle();
  // The half angle t with sin(t) / t = Chord / Arc. Sets CentralAngle and
  // Converged = 1 when it finds one; else leaves CentralAngle and sets
  // Converged = 0.
  void SolveArcAndChord();

  // The half angle in (0, Pi) with sin(t) / t = ratio, for 0 < ratio < 1,
  // found by bisection to the last bit.
  static double bracketedHalfAngle(double ratio, QList<ArcChordTrace::Halving>* halvings = nullptr);

 private:
  struct Run;

  void solveCase(Run& run);
  void solveArcAndChordCase(Run& run);
  void writeAreas(Run& run);
  void write(Run& run, CircleField field, Real value);
  void write(Run& run, CircleField field, const QString& text);
  void writeDegrees(Run& run);
  void finish(const Run& run);
  QString explainError(const RuntimeError& error) const;
  QString explainNoRoot() const;

  // Newton's iteration from Pi/4; stops at a division by zero or overflow.
  void iterate();
  // Keeps the iteration's root only when it is the one in (0, Pi).
  void checkRoot(Real angleBefore, bool ratioKnown);
  bool isHalfAngleOf(double t, double ratio) const;

  CircleView& view_;
  CircleVariables v_;
  int depth_ = 0;
  ArcChordTrace* trace_ = nullptr;
};

}  // namespace veltrano::circles
