#include "circles/circle_working.h"

#include <QMap>
#include <QStringList>
#include <cmath>

#include "common/dimension.h"
#include "common/numeric_text.h"

namespace veltrano::circles {

namespace {

using working::Step;
using working::Table;

const QString kCaseCaptions[] = {
    QStringLiteral("Radius and arc"),           QStringLiteral("Radius and chord"),
    QStringLiteral("Radius and central angle"), QStringLiteral("Arc and central angle"),
    QStringLiteral("Chord and central angle"),  QStringLiteral("Arc and chord")};

// A long search lists its first and last rows, and says how many between.
constexpr int kRowsAtEachEnd = 8;

QString num(double x) { return NumberToText(x); }
QString num(Real x) { return NumberToText(x.value()); }
// A number put into a formula, bracketed when negative so that signs stay apart.
QString in(Real x) { return x < 0 ? QStringLiteral("(") + num(x) + QStringLiteral(")") : num(x); }

// Records what one solve writes; the solver's writes raise nothing here.
class RecordingView : public CircleView {
 public:
  void writeField(CircleField field, const QString& text) override { written[field] = text; }
  void setBusy(bool) override {}
  void solveEnded(const SolveOutcome& ended) override { outcome = ended; }

  QMap<CircleField, QString> written;
  SolveOutcome outcome;
};

class Builder {
 public:
  Builder(const CircleVariables& given, const RecordingView& view, const ArcChordTrace& trace)
      : given_(given), v_(given), view_(view), trace_(trace) {}

  working::Working build(const CircleVariables& solved) {
    v_ = solved;
    w_.title = title();
    anglesInRadians();
    if (caseSteps()) areas();
    if (!view_.outcome.failure.isEmpty()) stop();
    return w_;
  }

 private:
  bool wrote(CircleField field) const { return view_.written.contains(field); }
  QString shown(CircleField field) const { return view_.written.value(field); }

  void open(const QString& rule) { w_.steps << Step{rule, {}, {}}; }
  void line(const QString& text) { w_.steps.last().lines << text; }

  QString degreesOf(Real angle) const { return num(angle * 180 / Real(Dimension::Pi)) + QStringLiteral("°"); }

  QString title() const {
    const std::int32_t task = given_.Task;
    if (task < RadiusAndArc || task > ArcAndChord) return QStringLiteral("Circle");
    QStringList parts;
    if (isInputOf(task, CircleField::Radius)) parts << QStringLiteral("r = ") + num(given_.Radius);
    if (isInputOf(task, CircleField::Arc)) parts << QStringLiteral("arc = ") + num(given_.Arc);
    if (isInputOf(task, CircleField::Chord)) parts << QStringLiteral("chord = ") + num(given_.Chord);
    if (isInputOf(task, CircleField::CentralAngle))
      parts << QStringLiteral("θ = ") + degreesOf(given_.CentralAngle);
    return QStringLiteral("Circle, case %1: %2").arg(kCaseCaptions[task], parts.join(QStringLiteral(", ")));
  }

  void anglesInRadians() {
    if (!isInputOf(given_.Task, CircleField::CentralAngle)) return;
    open(QStringLiteral("Central angle from degrees to radians"));
    line(QStringLiteral("θ = %1 · π / 180 = %2 rad")
             .arg(degreesOf(given_.CentralAngle), num(given_.CentralAngle)));
  }

  // The case's two results; false where the solve stopped before the areas.
  bool caseSteps() {
    switch (v_.Task) {
      case RadiusAndArc:
        if (!wrote(CircleField::CentralAngle)) return false;
        open(QStringLiteral("Central angle from the arc: arc = r·θ"));
        line(QStringLiteral("θ = arc / r = %1 / %2 = %3 rad")
                 .arg(in(v_.Arc), in(v_.Radius), num(v_.CentralAngle)));
        angleShown();
        return chordStep();
      case RadiusAndChord: return radiusAndChord();
      case RadiusAndCentralAngle:
        if (!arcStep(QStringLiteral("arc = θ·r"))) return false;
        return chordStep();
      case ArcAndCentralAngle:
        if (!radiusStep(QStringLiteral("r = arc / θ = %1 / %2").arg(in(v_.Arc), in(v_.CentralAngle))))
          return false;
        return chordStep();
      case ChordAndCentralAngle:
        if (!wrote(CircleField::Radius)) return false;
        open(QStringLiteral("Radius from the chord: chord = 2r·sin(θ/2)"));
        line(QStringLiteral("r = (chord / 2) / sin(θ/2) = (%1 / 2) / %2")
                 .arg(in(v_.Chord), in(Sin(v_.CentralAngle / 2))));
        line(QStringLiteral("r = ") + shown(CircleField::Radius));
        return arcStep(QStringLiteral("arc = r·θ"));
      case ArcAndChord: return arcAndChord();
      default: return false;
    }
  }

  void angleShown() { line(QStringLiteral("θ = ") + shown(CircleField::CentralAngle) + QStringLiteral("°")); }

  bool chordStep() {
    if (!wrote(CircleField::Chord)) return false;
    open(QStringLiteral("Chord: chord = 2r·sin(θ/2)"));
    line(QStringLiteral("chord = 2·%1·sin(%2 / 2) = 2·%1·%3")
             .arg(in(v_.Radius), in(v_.CentralAngle), in(Sin(v_.CentralAngle / 2))));
    line(QStringLiteral("chord = ") + shown(CircleField::Chord));
    return true;
  }

  bool arcStep(const QString& formula) {
    if (!wrote(CircleField::Arc)) return false;
    open(QStringLiteral("Arc: ") + formula);
    line(QStringLiteral("arc = %1·%2").arg(in(v_.CentralAngle), in(v_.Radius)));
    line(QStringLiteral("arc = ") + shown(CircleField::Arc));
    return true;
  }

  bool radiusStep(const QString& putIn) {
    if (!wrote(CircleField::Radius)) return false;
    open(QStringLiteral("Radius: arc = r·θ"));
    line(putIn);
    line(QStringLiteral("r = ") + shown(CircleField::Radius));
    return true;
  }

  bool radiusAndChord() {
    if (!wrote(CircleField::CentralAngle)) return false;
    open(QStringLiteral("Central angle from half the chord: sin(θ/2) = (chord / 2) / r"));
    line(QStringLiteral("k = (chord / 2) / r = (%1 / 2) / %2 = %3")
             .arg(in(v_.Chord), in(v_.Radius), num(v_.HalfChordRatio)));
    line(QStringLiteral("cos(θ/2) = √(1 − k²) = ") + num(v_.HalfAngleCosine));
    if (v_.HalfAngleCosine == 0) {
      line(QStringLiteral("cos(θ/2) = 0: the chord is a diameter, θ = π = %1 rad").arg(num(v_.CentralAngle)));
    } else {
      line(QStringLiteral("θ = 2·arctan(k / cos(θ/2)) = 2·arctan(%1 / %2) = %3 rad")
               .arg(in(v_.HalfChordRatio), in(v_.HalfAngleCosine), num(v_.CentralAngle)));
    }
    angleShown();
    return arcStep(QStringLiteral("arc = θ·r"));
  }

  bool arcAndChord() {
    open(QStringLiteral("Ratio of chord to arc: sin(t) / t = k, with t half the central angle"));
    line(QStringLiteral("k = chord / arc = %1 / %2 = %3")
             .arg(in(v_.Chord), in(v_.Arc), num(v_.ChordArcRatio)));
    newtonSteps();
    if (trace_.bracketed) bracketSteps();
    open(QStringLiteral("Central angle: θ = 2t"));
    if (v_.Converged == 0) {
      line(QStringLiteral("No result: ") + view_.outcome.failure);
      line(QStringLiteral(
               "The central angle shows \"No result\"; the radius comes from the angle it held, %1 rad.")
               .arg(num(given_.CentralAngle)));
    } else {
      line(QStringLiteral("θ = 2·%1 = %2 rad").arg(in(v_.HalfAngle), num(v_.CentralAngle)));
      if (wrote(CircleField::CentralAngle)) angleShown();
    }
    return radiusStep(QStringLiteral("r = arc / θ = %1 / %2").arg(in(v_.Arc), in(v_.CentralAngle)));
  }

  template <typename Row>
  static Table longTable(const QStringList& header, qsizetype count, Row row) {
    Table table{header, {}, 0, 0};
    for (qsizetype i = 0; i < count; ++i) {
      if (count > 2 * kRowsAtEachEnd && i == kRowsAtEachEnd) {
        table.rowsLeftOut = static_cast<int>(count - 2 * kRowsAtEachEnd);
        table.leftOutAfterRow = kRowsAtEachEnd;
        i = count - kRowsAtEachEnd;
      }
      table.rows << row(i);
    }
    return table;
  }

  void newtonSteps() {
    if (trace_.newton.isEmpty() && !trace_.newtonEndedOnError) return;
    open(QStringLiteral("Newton's steps on sin(t) − k·t = 0 from t = π/4"));
    line(
        QStringLiteral("t ← t − (sin t − k·t) / (cos t − k), until t changes by at most 0.000001, at most "
                       "100 steps"));
    const auto& updates = trace_.newton;
    w_.steps.last().tables << longTable(
        {QStringLiteral("step"), QStringLiteral("t"), QStringLiteral("next t"), QStringLiteral("|change|")},
        updates.size(), [&](qsizetype i) {
          const auto& u = updates[i];
          return QStringList{QString::number(i + 1), num(u.halfAngle), num(u.next),
                             num(std::abs(u.halfAngle - u.next))};
        });
    open(QStringLiteral("Where the iteration stopped"));
    const qsizetype count = updates.size();
    if (trace_.newtonEndedOnError) {
      line(QStringLiteral("Step %1 could not be made: %2.")
               .arg(count + 1)
               .arg(trace_.newtonError == ErrorNumber::Overflow ? QStringLiteral("a number too large")
                                                                : QStringLiteral("cos t − k is 0")));
      return;
    }
    const auto& last = updates.last();
    if (std::abs(last.halfAngle - last.next) > v_.Tolerance.value()) {
      line(QStringLiteral("%1 steps without a change of at most 0.000001: the iteration did not settle.")
               .arg(count));
      return;
    }
    line(QStringLiteral("The change is at most the tolerance 0.000001 after %1 steps: t = %2")
             .arg(count)
             .arg(num(last.next)));
    if (!trace_.bracketed && v_.Converged == 1) {
      line(QStringLiteral("t lies in (0, π) and sin(t) / t = %1, within 1E-9 of k: t is the half angle.")
               .arg(num(std::sin(last.next) / last.next)));
    }
  }

  void bracketSteps() {
    open(QStringLiteral("Bracketed search for t in (0, π)"));
    line(QStringLiteral(
        "The iteration did not give the half angle in (0, π) with sin(t) / t = k; sin(t) / t falls "
        "from 1 to 0 there, so the program halves the bracket (0, π), keeping the half where "
        "sin(t) / t passes k, to the last bit."));
    const auto& halvings = trace_.halvings;
    w_.steps.last().tables << longTable(
        {QStringLiteral("halving"), QStringLiteral("low"), QStringLiteral("high")}, halvings.size(),
        [&](qsizetype i) {
          return QStringList{QString::number(i + 1), num(halvings[i].low), num(halvings[i].high)};
        });
    open(QStringLiteral("Where the search stopped"));
    line(QStringLiteral(
             "After %1 halvings low and high are neighbouring numbers; t is the one whose sin(t) / t is "
             "nearer k: t = %2")
             .arg(halvings.size())
             .arg(num(v_.HalfAngle)));
  }

  void areas() {
    if (!wrote(CircleField::Sector)) return;
    open(QStringLiteral("Sector area = r·arc / 2"));
    line(QStringLiteral("= %1·%2 / 2").arg(in(v_.Radius), in(v_.Arc)));
    line(QStringLiteral("Sector area = ") + shown(CircleField::Sector));
    if (!wrote(CircleField::Segment)) return;
    open(QStringLiteral("Segment area = sector − (chord·r / 2)·cos(θ/2)"));
    line(QStringLiteral("= %1 − (%2·%3 / 2)·%4")
             .arg(shown(CircleField::Sector), in(v_.Chord), in(v_.Radius), in(Cos(v_.CentralAngle / 2))));
    if (v_.CentralAngle > Real(Dimension::Pi)) {
      line(
          QStringLiteral("θ is above 180°: the arc is the major arc, cos(θ/2) < 0, and the triangle is added "
                         "to the sector"));
    }
    line(QStringLiteral("Segment area = ") + shown(CircleField::Segment));
  }

  void stop() {
    w_.stopped = true;
    open(QStringLiteral("Stopped: ") + view_.outcome.failure);
    for (const QString& why : numbersOfFailure()) line(why);
    line(QStringLiteral("The results not worked out above keep the texts they showed."));
  }

  // The numbers behind the solver's words.
  QStringList numbersOfFailure() const {
    const QString& failure = view_.outcome.failure;
    if (failure == QStringLiteral("The chord is longer than the diameter"))
      return {QStringLiteral("chord / 2 = %1 is more than r = %2, so √(1 − k²) has no value")
                  .arg(num(v_.Chord / 2), num(v_.Radius))};
    if (failure == QStringLiteral("The radius is zero"))
      return {QStringLiteral("r = 0, and the case divides by it")};
    if (failure == QStringLiteral("The central angle is zero"))
      return {QStringLiteral("θ = 0, and the case divides by it (or by sin(θ/2) = 0)")};
    if (failure == QStringLiteral("The chord is longer than the arc"))
      return {QStringLiteral("k = %1 is more than 1: a chord is never longer than its arc")
                  .arg(num(v_.ChordArcRatio))};
    if (failure == QStringLiteral("The chord equals the arc, so the arc is a straight line"))
      return {
          QStringLiteral("k = 1: sin(t) / t reaches 1 only as t goes to 0, so the angle found is next to 0 "
                         "and the radius next to endless")};
    if (failure == QStringLiteral("The result is too large"))
      return {QStringLiteral("the next result leaves the range of numbers (about 1.8E+308)")};
    return {};
  }

  const CircleVariables& given_;
  CircleVariables v_;
  const RecordingView& view_;
  const ArcChordTrace& trace_;
  working::Working w_;
};

}  // namespace

working::Working circleWorking(const CircleVariables& v) {
  RecordingView view;
  ArcChordTrace trace;
  CircleSolver solver(view);
  solver.variables() = v;
  solver.setTrace(&trace);
  solver.SolveCircle();
  return Builder(v, view, trace).build(solver.variables());
}

}  // namespace veltrano::circles
