#include "complex/complex_solver.h"

#include <gtest/gtest.h>
#include <QMap>
#include <cmath>
#include <random>

#include "common/testing/printers.h"
#include "complex/row_text.h"

using namespace veltrano;
using namespace veltrano::complex;

namespace {

// Records what a run writes; a label the run left alone reads "old".
struct RecordingSheet : ComplexSheet {
  QString result(Target target) const override { return labels.value(target, "old"); }
  void setResult(Target target, const QString& text) override { labels[target] = text; }
  void clearRoots() override { rows.clear(); }
  void setRoots(const RootSeries& roots) override { rows = roots.rows(); }
  void focusExponent() override {}
  QMap<Target, QString> labels;
  QStringList rows = {"old row"};
};

TEST(ComplexTextTest, FastRootRowTextMatchesComplexToTextDigitForDigit) {
  std::vector<double> values({0.0, -0.0, 1e-4, 9.99999999999999e-5, 1e-5, 999999999999999.0,
                              999999999999999.5, 1e15, 6.123233995736766e-17, 5e-324,
                              1.7976931348623157e308});
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-320, 300);
  for (int i = 0; i < 20000; ++i) values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  for (std::size_t i = 0; i + 1 < values.size(); ++i) {
    ASSERT_EQ(RootRowText(values[i], values[i + 1]), ComplexToText(values[i], values[i + 1])) << values[i];
  }
}

// Each run writes only its own group's labels, in the order runTargets gives;
// a failure ends it where it occurs, keeping what was written (a real part
// alone, too) and leaving the rest as it was.
TEST(SolveComplexTest, ResultsAndFailuresOfEachGroupAndTheListLimit) {
  const QStringList old = {"old row"};
  const QStringList iAndI({"0+2*i", "0", "-1", "1", "0.207879576350762",
                           "0.54030230586814+0.841470984807897*i", "0+1.5707963267949*i",
                           "1,1.5707963267949"});
  const QStringList minusEightCubed = {"-512+1.88105748349033E-13*i", "0.000335462627902512",
                                       "2.07944154167984+3.14159265358979*i", "8,3.14159265358979"};
  const QStringList cubeRootsOfMinusEight = {"1+1.73205080756888*i", "-2+2.44929359829471E-16*i",
                                             "1-1.73205080756888*i"};
  const struct {
    int task;
    std::array<double, 5> in;  // a, b, c, d, n
    QStringList shown, rows;
    const char* failure;
  } cases[] = {
      {4, {0, 1, 0, 1, 0}, iAndI, old, ""},
      {5, {0, 0, 0, 0, 0}, {"1", "NOT DEFINED FOR X = 0", "0,0"}, old, ""},
      {8, {-8, 0, 0, 0, 3}, minusEightCubed, cubeRootsOfMinusEight, ""},
      {8, {4, 0, 0, 0, 2.5}, {"32", "54.5981500331442", "1.38629436111989", "4,0"}, {}, ""},
      {8, {0, 0, 0, 0, -1}, {}, {}, "Division by zero: x is 0 and n is negative"},
      {1, {3, 4, 0, 0, 0}, {"3+4*i", "3+4*i", "0"}, old, "Division by zero: y is 0"},
      {2, {0, 1e100, 1e300, 0, 0}, {"1E+300+1E+100*i", "-1E+300+1E+100*i", "0"}, old, "Result too large"},
      {0, {2e154, 0, 1, 0, 0}, {}, old, "Result too large"},  // x too large to square
      {9, {1, 0, 0, 0, 3e9}, {"1"}, {}, "Too many roots to list"},
  };
  for (const auto& c : cases) {
    ComplexSolver solver;
    RecordingSheet sheet;
    solver.Task = c.task;
    solver.a = c.in[0], solver.b = c.in[1], solver.c = c.in[2], solver.d = c.in[3], solver.n = c.in[4];
    const SolveOutcome outcome = solver.SolveComplex(sheet);
    QMap<Target, QString> shown;
    for (int i = 0; i < c.shown.size(); ++i) shown[runTargets(groupOf(c.task)).at(i)] = c.shown[i];
    const std::string what = QStringLiteral("task %1, x = %2").arg(c.task).arg(c.in[0]).toStdString();
    EXPECT_EQ(sheet.labels, shown) << what;
    EXPECT_EQ(sheet.rows, c.rows) << what;
    EXPECT_EQ(failureText(outcome, solver), QString::fromLatin1(c.failure)) << what;
    EXPECT_EQ(solver.a, c.in[0]) << what;  // a run never changes x
  }
  // Roots beyond the list limit fill the list and end the run as a failure;
  // as many as the list holds are all listed without a word.
  const QString full = "The list is full: it shows the first 32767 roots";
  for (const auto& [n, note] : {std::pair{32767.0, QString()}, {32768.0, full}, {40000.0, full}}) {
    ComplexSolver solver;
    RecordingSheet sheet;
    solver.Task = 9, solver.a = 1, solver.n = n;
    const SolveOutcome outcome = solver.SolveComplex(sheet);
    EXPECT_EQ(sheet.rows.size(), ComplexSolver::kMaxRoots) << n;
    EXPECT_EQ(failureText(outcome, solver), note) << n;
    if (!note.isEmpty()) {
      EXPECT_EQ(sheet.labels.keys(), QList<Target>{Target::XtoN});
      EXPECT_EQ(unwrittenTargets(TaskGroup::Power, outcome), runTargets(TaskGroup::Power).mid(1));
    }
  }
  // A label with its real part alone counts as unwritten.
  EXPECT_EQ(unwrittenTargets(TaskGroup::TwoNumber, SolveOutcome{Stage::Product}),
            runTargets(TaskGroup::TwoNumber).mid(2));
}

// Only the power tasks list roots, and only for a whole n from 1 to 32767.
TEST(SolveComplexTest, RootsNoteNamesTheNThatListsNone) {
  const QString none = "Roots need a whole n from 1 to 32767: n = %1 gives none";
  const struct {
    int task;
    double n;
    QString note;
  } cases[] = {
      {9, 2.5, none.arg("2.5")},
      {8, 0, none.arg("0")},
      {9, -3, none.arg("-3")},
      {9, 32768, "Roots need a whole n from 1 to 32767: n = 32768 gives only the first 32767"},
      {9, 1, ""},
      {8, 32767, ""},
      {0, 2.5, ""},
      {7, 2.5, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(rootsNote(c.task, c.n), c.note) << c.task << " " << c.n;
}

}  // namespace
