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

// Records what a run writes; every label starts as "old" so that a test can
// see which ones a run left alone.
class RecordingSheet : public ComplexSheet {
 public:
  QString result(Target target) const override { return labels.value(target, "old"); }
  void setResult(Target target, const QString& text) override { labels[target] = text; }
  void clearRoots() override { rows.clear(); }
  void setRoots(const QStringList& list) override { rows = list; }
  void focusExponent() override {}

  QMap<Target, QString> labels;
  QStringList rows = {"old row"};
};

struct Case {
  const char* what;
  int task;
  double a, b, c, d, n;
  QMap<Target, QString> shown;  // every other label stays "old"
  QStringList rows = {"old row"};
  Stage failedAt = Stage::Done;
  const char* failure = "";
};

TEST(ComplexTextTest, TextsOfComplexNumbersAndRootRowsAgree) {
  EXPECT_EQ(ComplexToText(3, 4), "3+4*i");
  EXPECT_EQ(ComplexToText(3, -4), "3-4*i");
  EXPECT_EQ(ComplexToText(0, 4), "0+4*i");
  EXPECT_EQ(ComplexToText(5, 0), "5");
  // The fast row text must match NumberToText digit for digit.
  std::vector<double> values = {0.0,
                                -0.0,
                                1e-4,
                                9.99999999999999e-5,
                                1e-5,
                                999999999999999.0,
                                999999999999999.5,
                                1e15,
                                6.123233995736766e-17,
                                5e-324,
                                1.7976931348623157e308};
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-320, 300);
  for (int i = 0; i < 20000; ++i) values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  for (std::size_t i = 0; i + 1 < values.size(); ++i) {
    ASSERT_EQ(RootRowText(values[i], values[i + 1]), ComplexToText(values[i], values[i + 1])) << values[i];
  }
}

// Each run writes only its own group's labels; a failure ends it where it
// occurs, keeping what was written and leaving the rest as it was.
TEST(SolveComplexTest, ResultsAndFailuresOfEachGroup) {
  using T = Target;
  const QStringList fourthRootsOfOne = {"1", "6.12323399573677E-17+1*i", "-1+1.22464679914735E-16*i",
                                        "-1.83697019872103E-16-1*i"};
  const Case cases[] = {
      {"3+4i and 1-2i",
       0,
       3,
       4,
       1,
       -2,
       0,
       {{T::Sum, "4+2*i"},
        {T::Difference, "2+6*i"},
        {T::Product, "11-2*i"},
        {T::Quotient, "-1+2*i"},
        {T::YtoX, "932.139194643222-95.9465336603415*i"},
        {T::Exp, "-13.1287830814622-15.200784463068*i"},
        {T::Log, "1.6094379124341+0.927295218001612*i"},
        {T::Polar, "5,0.927295218001612"}}},
      {"i to the power i",
       4,
       0,
       1,
       0,
       1,
       0,
       {{T::Sum, "0+2*i"},
        {T::Difference, "0"},
        {T::Product, "-1"},
        {T::Quotient, "1"},
        {T::YtoX, "0.207879576350762"},
        {T::Exp, "0.54030230586814+0.841470984807897*i"},
        {T::Log, "0+1.5707963267949*i"},
        {T::Polar, "1,1.5707963267949"}}},
      {"x = -1",
       7,
       -1,
       0,
       9,
       9,
       9,
       {{T::Exp, "0.367879441171442"}, {T::Log, "0+3.14159265358979*i"}, {T::Polar, "1,3.14159265358979"}}},
      {"x = -1-i",
       6,
       -1,
       -1,
       0,
       0,
       0,
       {{T::Exp, "0.198766110346413-0.309559875653112*i"},
        {T::Log, "0.346573590279973+3.92699081698724*i"},
        {T::Polar, "1.4142135623731,3.92699081698724"}}},
      {"x = 0", 5, 0, 0, 0, 0, 0, {{T::Exp, "1"}, {T::Log, "NOT DEFINED FOR X = 0"}, {T::Polar, "0,0"}}},
      {"fourth roots of 1",
       9,
       1,
       0,
       0,
       0,
       4,
       {{T::XtoN, "1"}, {T::Exp, "2.71828182845905"}, {T::Log, "0"}, {T::Polar, "1,0"}},
       fourthRootsOfOne},
      {"cube roots of -8",
       8,
       -8,
       0,
       0,
       0,
       3,
       {{T::XtoN, "-512+1.88105748349033E-13*i"},
        {T::Exp, "0.000335462627902512"},
        {T::Log, "2.07944154167984+3.14159265358979*i"},
        {T::Polar, "8,3.14159265358979"}},
       {"1+1.73205080756888*i", "-2+2.44929359829471E-16*i", "1-1.73205080756888*i"}},
      {"square root of -4",
       9,
       -4,
       0,
       0,
       0,
       0.5,
       {{T::XtoN, "1.22464679914735E-16+2*i"},
        {T::Exp, "0.0183156388887342"},
        {T::Log, "1.38629436111989+3.14159265358979*i"},
        {T::Polar, "4,3.14159265358979"}},
       {}},
      {"n = 2.5",
       8,
       4,
       0,
       0,
       0,
       2.5,
       {{T::XtoN, "32"}, {T::Exp, "54.5981500331442"}, {T::Log, "1.38629436111989"}, {T::Polar, "4,0"}},
       {}},
      {"n = 0 and x = 0",
       9,
       0,
       0,
       0,
       0,
       0,
       {{T::XtoN, "1"}, {T::Exp, "1"}, {T::Log, "NOT DEFINED FOR X = 0"}, {T::Polar, "0,0"}},
       {}},
      {"n < 0",
       9,
       2,
       0,
       0,
       0,
       -1,
       {{T::XtoN, "0.5"}, {T::Exp, "7.38905609893065"}, {T::Log, "0.693147180559945"}, {T::Polar, "2,0"}},
       {}},
      {"x = 0 and n < 0",
       8,
       0,
       0,
       0,
       0,
       -1,
       {},
       {},
       Stage::XtoN,
       "Division by zero: x is 0 and n is negative"},
      {"y = 0",
       1,
       3,
       4,
       0,
       0,
       0,
       {{T::Sum, "3+4*i"}, {T::Difference, "3+4*i"}, {T::Product, "0"}},
       {"old row"},
       Stage::Quotient,
       "Division by zero: y is 0"},
      {"y^x too large",
       4,
       1000,
       0,
       10,
       0,
       0,
       {{T::Sum, "1010"}, {T::Difference, "990"}, {T::Product, "10000"}, {T::Quotient, "100"}},
       {"old row"},
       Stage::YtoX,
       "Result too large"},
      {"imaginary part too large: the real part stays alone",
       2,
       0,
       1e100,
       1e300,
       0,
       0,
       {{T::Sum, "1E+300+1E+100*i"}, {T::Difference, "-1E+300+1E+100*i"}, {T::Product, "0"}},
       {"old row"},
       Stage::Product,
       "Result too large"},
      {"Exp too large", 6, 710, 0, 0, 0, 0, {}, {"old row"}, Stage::Exp, "Result too large"},
      {"x too large to square", 0, 2e154, 0, 1, 0, 0, {}, {"old row"}, Stage::PolarOfX, "Result too large"},
      {"n beyond 32 bits", 9, 1, 0, 0, 0, 3e9, {{T::XtoN, "1"}}, {}, Stage::Roots, "Too many roots to list"},
  };
  for (const Case& c : cases) {
    ComplexSolver solver;
    solver.Task = c.task;
    solver.a = c.a, solver.b = c.b, solver.c = c.c, solver.d = c.d, solver.n = c.n;
    RecordingSheet sheet;
    const SolveOutcome outcome = solver.SolveComplex(sheet);
    EXPECT_EQ(sheet.labels, c.shown) << c.what;
    EXPECT_EQ(sheet.rows, c.rows) << c.what;
    EXPECT_EQ(outcome.failedAt, c.failedAt) << c.what;
    EXPECT_EQ(failureText(outcome, solver), QString::fromLatin1(c.failure)) << c.what;
    EXPECT_EQ(solver.a, c.a) << c.what;  // a run never changes x
  }
}

TEST(SolveComplexTest, WhatAFailedRunLeftUnwritten) {
  SolveOutcome product{Stage::Product, ErrorNumber::Overflow};
  EXPECT_EQ(unwrittenTargets(TaskGroup::TwoNumber, product),
            (QList<Target>{Target::Product, Target::Quotient, Target::YtoX, Target::Exp, Target::Log,
                           Target::Polar}));
  SolveOutcome roots{Stage::Roots, ErrorNumber::Overflow, true};
  EXPECT_EQ(unwrittenTargets(TaskGroup::Power, roots),
            (QList<Target>{Target::Exp, Target::Log, Target::Polar}));
  EXPECT_EQ(unwrittenTargets(TaskGroup::OneNumber, SolveOutcome{Stage::PolarOfX}).size(), 3);
  EXPECT_TRUE(unwrittenTargets(TaskGroup::Power, SolveOutcome{}).isEmpty());
}

TEST(SolveComplexTest, RootsBeyondTheListLimitFillTheListAndEndTheRun) {
  ComplexSolver solver;
  solver.Task = 9, solver.a = 1, solver.n = 40000;
  RecordingSheet sheet;
  const SolveOutcome outcome = solver.SolveComplex(sheet);
  EXPECT_TRUE(outcome.listFull);
  EXPECT_EQ(sheet.rows.size(), ComplexSolver::kMaxRoots);
  EXPECT_FALSE(sheet.labels.contains(Target::Exp));
  EXPECT_EQ(failureText(outcome, solver), "The list is full: it shows the first 32767 roots");
}

}  // namespace
