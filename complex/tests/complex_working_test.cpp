#include "complex/complex_working.h"

#include <gtest/gtest.h>
#include <QMap>
#include <array>

#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::complex;

namespace {

// What a run writes, as the window's labels and list would show it.
struct RecordingSheet : ComplexSheet {
  QString result(Target target) const override { return labels.value(target); }
  void setResult(Target target, const QString& text) override { labels[target] = text; }
  void clearRoots() override { roots = {}; }
  void setRoots(const RootSeries& series) override { roots = series; }
  void focusExponent() override {}
  QMap<Target, QString> labels;
  RootSeries roots;
};

ComplexSolver solverFor(int task, const std::array<double, 5>& in) {
  ComplexSolver solver;
  solver.Task = task;
  solver.a = in[0], solver.b = in[1], solver.c = in[2], solver.d = in[3], solver.n = in[4];
  return solver;
}

const working::Step* stepOf(const working::Working& working, const QString& ruleStart) {
  for (const working::Step& step : working.steps) {
    if (step.rule.startsWith(ruleStart)) return &step;
  }
  return nullptr;
}

QStringList allLines(const working::Working& working) {
  QStringList lines;
  for (const working::Step& step : working.steps) lines += step.lines;
  return lines;
}

constexpr Target kTaskResult[] = {Target::Sum,  Target::Difference, Target::Product, Target::Quotient,
                                  Target::YtoX, Target::Exp,        Target::Log,     Target::Polar,
                                  Target::XtoN, Target::XtoN};
const char* const kTaskStep[] = {
    "Sum",         "Difference", "Product",    "Quotient",       "y to the power",
    "Exponential", "Natural",    "Polar form", "x to the power", "x to the power"};

// The values of the solver's and the window's tests, each run under every
// task: the working's result is the label's text, its last root the list's
// last row, and a run that completes gives a working that does not stop.
TEST(ComplexWorking, ResultsAreTheLabelsAndRowsOfEveryTask) {
  const std::array<double, 5> inputs[] = {
      {3, 4, 1, -2, 0},   {0, 1, 0, 1, 0},       {0, 0, 0, 0, 0},      {-8, 0, 0, 0, 3},
      {4, 0, 0, 0, 2.5},  {-1, -1, 0, 0, 4},     {1, 0, 1e-200, 0, 1}, {1, 0, 0, 1e-200, 2},
      {-4, 0, 0, 0, 0.5}, {-0.125, 3, 2, 5, -1},
  };
  for (const auto& in : inputs) {
    for (int task = 0; task <= 9; ++task) {
      ComplexSolver solver = solverFor(task, in);
      RecordingSheet sheet;
      const bool complete = solver.SolveComplex(sheet).complete();
      const working::Working working = ComplexWorking(solverFor(task, in));
      const std::string what =
          QStringLiteral("task %1, x = %2%3i").arg(task).arg(in[0]).arg(in[1]).toStdString();
      EXPECT_EQ(working.stopped, !complete) << what;
      const working::Step* step = stepOf(working, kTaskStep[task]);
      ASSERT_TRUE(step) << what;
      if (sheet.labels.contains(kTaskResult[task]) && !step->lines.last().startsWith("Stopped")) {
        const QString shown = sheet.labels.value(kTaskResult[task]);
        EXPECT_TRUE(step->lines.last() == shown || step->lines.last() == "= " + shown)
            << what << ": " << step->lines.last().toStdString() << " shown " << shown.toStdString();
      }
      if (sheet.roots.count > 0) {
        const working::Step* roots = stepOf(working, "The n-th roots");
        ASSERT_TRUE(roots && !roots->tables.isEmpty()) << what;
        EXPECT_EQ(roots->tables.first().rows.last().last(), sheet.roots.row(sheet.roots.count - 1)) << what;
      }
    }
  }
}

// Each line worked by hand: |3 + 4i| = 5, arctan(4/3) = 53.130102354156°;
// the quotient's numerator (3 + 4i)(1 + 2i) = −5 + 10i over 1² + 2² = 5;
// −1 − i at 225°; the cube roots of −8 at 60°, 180° and 300° with ρ = 2.
TEST(ComplexWorking, StepsWithTheNumbersPutIn) {
  const struct {
    int task;
    std::array<double, 5> in;
    QStringList lines;
  } cases[] = {
      {3,
       {3, 4, 1, -2, 0},
       {"x = a + b·i = 3+4*i", "r = |x| = √(a² + b²) = √(3² + 4²) = 5",
        "a > 0, so x lies right of the imaginary axis: θ = arctan(b / a) = arctan(4 / 3)",
        "θ = 0.927295218001612 rad = 53.130102354156°",
        "x / y = (x · ȳ) / (y · ȳ): numerator and denominator times the conjugate ȳ = c − d·i = 1+2*i",
        "y · ȳ = c² + d² = 1² + (-2)²", "= 5", "x / y = (-5 + 10·i) / 5", "= -1+2*i"}},
      {0, {3, 4, 1, -2, 0}, {"= (3 + 1) + (4 + (-2))·i", "= 4+2*i"}},
      {2, {3, 4, 1, -2, 0}, {"= (1·3 − (-2)·4) + (1·4 + (-2)·3)·i", "= 11-2*i"}},
      {7,
       {-1, -1, 0, 0, 0},
       {"a < 0, so x lies left of the imaginary axis, between 90° and 270°: θ = arctan(b / a) + π = "
        "arctan((-1) / (-1)) + π",
        "θ = 3.92699081698724 rad = 225°", "= 1.4142135623731,3.92699081698724"}},
      {6, {0, 0, 0, 0, 0}, {"NOT DEFINED FOR X = 0"}},
      {9, {-8, 0, 0, 0, 3}, {"ρ = 8^(1/3) = 2"}},
      {8,
       {4, 0, 0, 0, 2.5},
       {"r^n = 4^2.5 = 32", "n = 2.5 is not a whole number above 0, so no roots are listed."}},
  };
  for (const auto& c : cases) {
    const QStringList lines = allLines(ComplexWorking(solverFor(c.task, c.in)));
    for (const QString& line : c.lines)
      EXPECT_TRUE(lines.contains(line)) << "task " << c.task << ": " << line.toStdString() << "\n"
                                        << lines.join('\n').toStdString();
  }
  const working::Working cubeRoots = ComplexWorking(solverFor(9, {-8, 0, 0, 0, 3}));
  EXPECT_EQ(stepOf(cubeRoots, "The n-th roots")->tables.first().rows,
            (QList<QStringList>{{"0", "60°", "1+1.73205080756888*i"},
                                {"1", "180°", "-2+2.44929359829471E-16*i"},
                                {"2", "300°", "1-1.73205080756888*i"}}));
}

// 32767 roots: the first rows, how many are left out, the last row; never
// all of them. More roots than the list holds: the first 32767, and it says so.
TEST(ComplexWorking, LargeNListsTheFirstRootsAndTheLast) {
  for (const double n : {32767.0, 40000.0}) {
    const working::Working working = ComplexWorking(solverFor(9, {1, 0, 0, 0, n}));
    const working::Table& table = stepOf(working, "The n-th roots")->tables.first();
    EXPECT_EQ(table.rows.size(), kRootsListedFirst + 1);
    EXPECT_EQ(table.leftOutAfterRow, kRootsListedFirst);
    EXPECT_EQ(table.rowsLeftOut, ComplexSolver::kMaxRoots - kRootsListedFirst - 1);
    EXPECT_EQ(table.rows.last().first(), "32766");
    EXPECT_EQ(working.stopped, n > ComplexSolver::kMaxRoots);
  }
  EXPECT_TRUE(
      allLines(ComplexWorking(solverFor(9, {1, 0, 0, 0, 40000})))
          .contains("The list holds at most 32767 rows: it shows the first 32767 of the 40000 roots."));
}

// A failed run stops the working at the step that failed, or after the
// task's own step when the failure came later in the run.
TEST(ComplexWorking, FailedRunsSayWhereAndWhy) {
  const struct {
    int task;
    std::array<double, 5> in;
    QString unread, last;
  } cases[] = {
      {3, {3, 4, 0, 0, 0}, "", "Stopped here: Division by zero: y is 0."},
      {0,
       {3, 4, 0, 0, 0},
       "",
       "At the quotient x / y: Division by zero: y is 0. The results after it keep their last texts."},
      {8, {0, 0, 0, 0, -1}, "", "Stopped here: Division by zero: x is 0 and n is negative."},
      {9, {1, 0, 0, 0, 3e9}, "", "Stopped here: Too many roots to list."},
      {0, {2e154, 0, 1, 0, 0}, "", "Stopped here: Result too large."},
      {5,
       {3, 4, 0, 0, 0},
       "c",
       "c cannot be read: its number is beyond the range of a double. The results answer the c last read."},
  };
  for (const auto& c : cases) {
    const working::Working working = ComplexWorking(solverFor(c.task, c.in), c.unread);
    EXPECT_TRUE(working.stopped) << c.last.toStdString();
    EXPECT_EQ(working.steps.last().lines.last(), c.last);
  }
}

}  // namespace
