#include "circles/circle_solver.h"

#include <cmath>

#include "common/dimension.h"
#include "common/input_notes.h"
#include "common/math_constants.h"
#include "common/numeric_text.h"

namespace veltrano::circles {

namespace {

// Which quantity fields each case reads; the rest are its results.
constexpr std::array<std::array<bool, 4>, 6> kInputs{{
    {true, true, false, false},  // radius and arc
    {true, false, true, false},  // radius and chord
    {true, false, false, true},  // radius and central angle
    {false, true, false, true},  // arc and central angle
    {false, false, true, true},  // chord and central angle
    {false, true, true, false},  // arc and chord
}};

constexpr int index(CircleField field) { return static_cast<int>(field); }

// A root of the iteration counts as the half angle when sin(t)/t matches the
// ratio this closely; the iteration's own roots match to about 1E-12, while a
// wrong root (zero, or a negative one that mirrors the right one) is caught by
// the bounds or misses by far more.
constexpr double kRootResidual = 1e-9;

const QString kNoResult = QStringLiteral("No result");

}  // namespace

namespace {

struct Length {
  CircleField field;
  const char* name;  // with its article
  Real CircleVariables::*value;
};
constexpr Length kLengths[] = {{CircleField::Radius, "A radius", &CircleVariables::Radius},
                               {CircleField::Arc, "An arc", &CircleVariables::Arc},
                               {CircleField::Chord, "A chord", &CircleVariables::Chord}};

// The first length the solve computed from the angle that is no length.
QString whatTheAngleGave(const CircleVariables& v) {
  for (const Length& length : kLengths) {
    const double value = (v.*length.value).value();
    if (isInputOf(v.Task, length.field) || value > 0) continue;
    return QStringLiteral(" gives %1 of %2")
        .arg(QString::fromLatin1(length.name).toLower(), NoteNumberText(value, 4));
  }
  return {};
}

}  // namespace

QString impossibleInputNote(const CircleVariables& v) {
  for (const Length& length : kLengths) {
    if (isInputOf(v.Task, length.field) && !((v.*length.value) > 0))
      return QString::fromLatin1(length.name) + QStringLiteral(" must be above 0");
  }
  if (!isInputOf(v.Task, CircleField::CentralAngle)) return {};
  const double degrees = v.CentralAngle.value() * 180 / Dimension::Pi;
  if (degrees > 0 && degrees <= 360) return {};
  return QStringLiteral("A central angle must be above 0 and at most 360 degrees: ") +
         NoteNumberText(degrees) + whatTheAngleGave(v);
}

bool isInputOf(std::int32_t task, CircleField field) {
  if (task < 0 || task >= static_cast<std::int32_t>(kInputs.size())) return false;
  if (field == CircleField::Sector || field == CircleField::Segment) return false;
  return kInputs[static_cast<std::size_t>(task)][static_cast<std::size_t>(index(field))];
}

// What one solve wrote, so that the outermost one can say which results hold.
struct CircleSolver::Run {
  FieldFlags current{};  // written from a sound step
  QString failure;
  bool trusted = true;  // false once the results come from a failed step
};

void CircleSolver::SolveCircle() {
  Run run;
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(d) { ++depth; }
    ~Depth() { --depth; }
  };
  {
    Depth nested(depth_);
    try {
      solveCase(run);
      writeAreas(run);
    } catch (const RuntimeError& error) {
      // The solve ends silently with what it wrote; only the reason is kept.
      if (run.failure.isEmpty()) run.failure = explainError(error);
    }
  }
  if (depth_ == 0) finish(run);
}

void CircleSolver::solveCase(Run& run) {
  const Real Pi = math::Pi;
  switch (v_.Task) {
    case RadiusAndArc:
      v_.CentralAngle = v_.Arc / v_.Radius;
      v_.Chord = 2 * v_.Radius * Sin(v_.CentralAngle / 2);
      writeDegrees(run);
      write(run, CircleField::Chord, v_.Chord);
      break;
    case RadiusAndChord:
      v_.HalfChordRatio = (v_.Chord / 2) / v_.Radius;
      v_.HalfAngleCosine = Sqr(1 - v_.HalfChordRatio * v_.HalfChordRatio);
      v_.CentralAngle = Pi;
      if (v_.HalfAngleCosine != 0) v_.CentralAngle = 2 * Atn(v_.HalfChordRatio / v_.HalfAngleCosine);
      v_.Arc = v_.CentralAngle * v_.Radius;
      writeDegrees(run);
      write(run, CircleField::Arc, v_.Arc);
      break;
    case RadiusAndCentralAngle:
      v_.Arc = v_.CentralAngle * v_.Radius;
      v_.Chord = 2 * v_.Radius * Sin(v_.CentralAngle / 2);
      write(run, CircleField::Arc, v_.Arc);
      write(run, CircleField::Chord, v_.Chord);
      break;
    case ArcAndCentralAngle:
      v_.Radius = v_.Arc / v_.CentralAngle;
      v_.Chord = 2 * v_.Radius * Sin(v_.CentralAngle / 2);
      write(run, CircleField::Radius, v_.Radius);
      write(run, CircleField::Chord, v_.Chord);
      break;
    case ChordAndCentralAngle: {
      const Real s = Sin(v_.CentralAngle / 2);
      v_.Radius = (v_.Chord / 2) / s;
      v_.Arc = v_.Radius * v_.CentralAngle;
      write(run, CircleField::Radius, v_.Radius);
      write(run, CircleField::Arc, v_.Arc);
      break;
    }
    case ArcAndChord: solveArcAndChordCase(run); break;
    default: break;
  }
}

void CircleSolver::solveArcAndChordCase(Run& run) {
  SolveArcAndChord();
  if (v_.Converged == 0) {
    run.failure = explainNoRoot();
    run.trusted = false;
  } else if (v_.ChordArcRatio == 1) {
    // The iteration creeps towards zero and stops on a tiny angle: the texts
    // stay as they always were, but they describe no circle.
    run.failure = QStringLiteral("The chord equals the arc, so the arc is a straight line");
    run.trusted = false;
  }
  // Without a root the radius still comes from the angle the field held.
  v_.Radius = v_.Arc / v_.CentralAngle;
  write(run, CircleField::Radius, v_.Radius);
  if (v_.Converged == 0) {
    write(run, CircleField::CentralAngle, kNoResult);
    run.current[index(CircleField::CentralAngle)] = true;  // "No result" is the answer
  } else {
    writeDegrees(run);
  }
}

void CircleSolver::writeAreas(Run& run) {
  write(run, CircleField::Sector, (v_.Radius * v_.Arc) / 2);
  const Real segment = (v_.Radius * v_.Arc) / 2 - ((v_.Chord * v_.Radius) / 2) * Cos(v_.CentralAngle / 2);
  write(run, CircleField::Segment, segment);
}

void CircleSolver::writeDegrees(Run& run) {
  write(run, CircleField::CentralAngle, v_.CentralAngle * 180 / Real(math::Pi));
}

void CircleSolver::write(Run& run, CircleField field, Real value) {
  write(run, field, NumberToText(value.value()));
}

void CircleSolver::write(Run& run, CircleField field, const QString& text) {
  view_.writeField(field, text);
  run.current[index(field)] = run.trusted;
}

void CircleSolver::finish(const Run& run) {
  SolveOutcome outcome;
  outcome.failure = run.failure;
  outcome.impossibleInput = impossibleInputNote(v_);
  for (int i = 0; i < kCircleFieldCount; ++i) {
    const auto field = static_cast<CircleField>(i);
    outcome.stale[i] = !isInputOf(v_.Task, field) && !run.current[i];
  }
  view_.solveEnded(outcome);
}

QString CircleSolver::explainError(const RuntimeError& error) const {
  if (error.number() == ErrorNumber::Overflow) return QStringLiteral("The result is too large");
  switch (v_.Task) {
    case RadiusAndArc: return QStringLiteral("The radius is zero");
    case RadiusAndChord:
      if (error.number() == ErrorNumber::InvalidCall) {
        return QStringLiteral("The chord is longer than the diameter");
      }
      return QStringLiteral("The radius is zero");
    case ArcAndCentralAngle: return QStringLiteral("The central angle is zero");
    case ChordAndCentralAngle:
      if (v_.CentralAngle == 0) return QStringLiteral("The central angle is zero");
      return QStringLiteral("No circle has this chord and central angle");
    case ArcAndChord: return explainNoRoot();
    default: return error.name();
  }
}

QString CircleSolver::explainNoRoot() const {
  if (v_.Arc == 0) return QStringLiteral("The arc is zero");
  if (v_.Chord == 0) return QStringLiteral("The chord is zero");
  if (v_.Chord.value() / v_.Arc.value() > 1.0) return QStringLiteral("The chord is longer than the arc");
  return QStringLiteral("No circle has this arc and chord");
}

void CircleSolver::SolveArcAndChord() {
  struct BusyPointer {
    CircleView& view;
    explicit BusyPointer(CircleView& v) : view(v) { view.setBusy(true); }
    ~BusyPointer() { view.setBusy(false); }
  } busy(view_);

  const Real angleBefore = v_.CentralAngle;
  bool ratioKnown = false;
  try {
    v_.ChordArcRatio = v_.Chord / v_.Arc;
    ratioKnown = true;
    iterate();
  } catch (const RuntimeError& error) {
    // A zero arc, or a zero slope of the iteration: it ends quietly and the
    // check below decides what holds.
    if (trace_ && ratioKnown) {
      trace_->newtonEndedOnError = true;
      trace_->newtonError = error.number();
    }
  }
  checkRoot(angleBefore, ratioKnown);
}

void CircleSolver::iterate() {
  v_.HalfAngle = Real(math::Pi) / 4;
  v_.Tolerance = 0.000001;
  v_.MaxIterations = 100;
  v_.Converged = 0;
  v_.IterationCount = 0;
  do {
    v_.IterationCount = v_.IterationCount + 1;
    v_.PreviousHalfAngle = v_.HalfAngle;
    v_.HalfAngle = v_.HalfAngle - (Sin(v_.HalfAngle) - v_.ChordArcRatio * v_.HalfAngle) /
                                      (Cos(v_.HalfAngle) - v_.ChordArcRatio);
    if (trace_) trace_->newton.append({v_.PreviousHalfAngle.value(), v_.HalfAngle.value()});
    if (Abs(v_.PreviousHalfAngle - v_.HalfAngle) <= v_.Tolerance) break;
  } while (v_.IterationCount < v_.MaxIterations);
  if (Abs(v_.PreviousHalfAngle - v_.HalfAngle) <= v_.Tolerance) {
    v_.CentralAngle = v_.HalfAngle + v_.HalfAngle;
    v_.Converged = 1;
  }
}

void CircleSolver::checkRoot(Real angleBefore, bool ratioKnown) {
  if (!ratioKnown) {
    // A zero arc has no ratio and no circle; an answer left over from the
    // previous solve must not pass for this one.
    v_.Converged = 0;
    return;
  }
  const double ratio = v_.ChordArcRatio.value();
  if (ratio == 1.0) return;
  if (!(ratio > 0.0 && ratio < 1.0)) {
    // Only a ratio strictly between 0 and 1 belongs to a circle.
    v_.Converged = 0;
    v_.CentralAngle = angleBefore;
    return;
  }
  if (v_.Converged == 1 && isHalfAngleOf(v_.HalfAngle.value(), ratio)) return;
  // From its fixed start the iteration misses the root for ratios below about
  // 0.743 (central angles above about 149 degrees); the root is still unique.
  if (trace_) trace_->bracketed = true;
  v_.HalfAngle = bracketedHalfAngle(ratio, trace_ ? &trace_->halvings : nullptr);
  v_.CentralAngle = v_.HalfAngle + v_.HalfAngle;
  v_.Converged = 1;
}

bool CircleSolver::isHalfAngleOf(double t, double ratio) const {
  return t > 0.0 && t < math::Pi && std::abs(std::sin(t) / t - ratio) <= kRootResidual;
}

double CircleSolver::bracketedHalfAngle(double ratio, QList<ArcChordTrace::Halving>* halvings) {
  // sin(t)/t falls from 1 to 0 on (0, Pi), so the root stays between a point
  // above the ratio and one below it. Plain doubles: nothing here can fail.
  double low = 0.0;
  double high = math::Pi;
  for (;;) {
    const double middle = low + (high - low) / 2;
    if (middle <= low || middle >= high) break;
    if (std::sin(middle) / middle > ratio) {
      low = middle;
    } else {
      high = middle;
    }
    if (halvings) halvings->append({low, high});
  }
  if (low == 0.0) return high;
  const double lowMiss = std::abs(std::sin(low) / low - ratio);
  const double highMiss = std::abs(std::sin(high) / high - ratio);
  return lowMiss <= highMiss ? low : high;
}

}  // namespace veltrano::circles
