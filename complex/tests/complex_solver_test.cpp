#include "complex/complex_solver.h"
#include "complex/row_text.h"

#include <QMap>
#include <cmath>
#include <random>
#include <gtest/gtest.h>

#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::complex;

namespace {

// Records what a run writes; every label starts as "old" so that a test can
// see which ones a failed run left alone.
class RecordingSheet : public ComplexSheet {
 public:
  RecordingSheet() {
    for (int i = 0; i < kTargetCount; ++i) labels[static_cast<Target>(i)] = QStringLiteral("old");
  }
  QString result(Target target) const override { return labels.value(target); }
  void setResult(Target target, const QString& text) override { labels[target] = text; }
  void clearRoots() override {
    rows.clear();
    events << QStringLiteral("clear");
  }
  void setRoots(const QStringList& list) override {
    rows = list;
    ++batches;
  }
  void focusExponent() override { events << QStringLiteral("focus"); }

  QString operator[](Target target) const { return labels.value(target); }

  QMap<Target, QString> labels;
  QStringList rows = {QStringLiteral("old row")};
  QStringList events;
  int batches = 0;
};

struct SolveRun {
  ComplexSolver solver;
  RecordingSheet sheet;
  SolveOutcome outcome;
};

SolveRun solve(int task, double a, double b, double c = 0, double d = 0, double n = 0) {
  SolveRun run;
  run.solver.Task = task;
  run.solver.a = a;
  run.solver.b = b;
  run.solver.c = c;
  run.solver.d = d;
  run.solver.n = n;
  run.outcome = run.solver.SolveComplex(run.sheet);
  return run;
}

const double kPi = 4 * std::atan(1.0);

TEST(ComplexTextTest, WritesTheRealPartAlwaysAndTheImaginaryPartUnlessZero) {
  const struct {
    double re, im;
    const char* text;
  } cases[] = {{3, 4, "3+4*i"},   {3, -4, "3-4*i"}, {0, 4, "0+4*i"},         {5, 0, "5"},
               {0, 0, "0"},       {0, -1, "0-1*i"}, {-0.5, -0.25, "-0.5-0.25*i"},
               {1e20, 1e-20, "1E+20+1E-20*i"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ComplexToText(c.re, c.im), QString::fromLatin1(c.text)) << c.re << " " << c.im;
  }
}

TEST(ComplexTextTest, RootRowsAreWrittenDigitForDigitAsComplexToTextWritesThem) {
  std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 0.5, 1e-4, 9.99999999999999e-5, 1e-5, 1e14, 99999999999999.9,
                                999999999999999.0, 999999999999999.5, 1e15, 1.23456789012345e17, 6.123233995736766e-17,
                                1e-100, 1e100, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 0.1, 2.0 / 3.0};
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-320, 300);
  for (int i = 0; i < 20000; ++i) values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  for (std::size_t i = 0; i + 1 < values.size(); ++i) {
    for (const auto& [re, im] : {std::pair{values[i], values[i + 1]}, std::pair{values[i + 1], -values[i]}}) {
      ASSERT_EQ(RootRowText(re, im), ComplexToText(re, im)) << re << " " << im;
    }
  }
}

TEST(ToPolarTest, ArgumentRunsFromMinusHalfPiToThreeHalvesPi) {
  const struct {
    double p, q, modulus, argument;
  } cases[] = {{1, 0, 1, 0},
               {0, 1, 1, kPi / 2},
               {0, -1, 1, -kPi / 2},
               {0, 0, 0, 0},
               {-1, 0, 1, kPi},
               {-1, 1, std::sqrt(2.0), 3 * kPi / 4},
               {-1, -1, std::sqrt(2.0), 5 * kPi / 4},  // never -3*pi/4
               {1, -1, std::sqrt(2.0), -kPi / 4},
               {3, 4, 5, std::atan(4.0 / 3.0)}};
  for (const auto& c : cases) {
    const PolarForm polar = ToPolar(c.p, c.q);
    EXPECT_DOUBLE_EQ(polar.modulus.value(), c.modulus) << c.p << " " << c.q;
    EXPECT_DOUBLE_EQ(polar.argument.value(), c.argument) << c.p << " " << c.q;
  }
}

TEST(ToPolarTest, SquaresBeyondTheDoubleRangeFail) {
  EXPECT_THROW(ToPolar(1e155, 0), RuntimeError);
  EXPECT_THROW(ToPolar(0, -1e155), RuntimeError);
}

TEST(SolveComplexTest, TwoNumberTaskOfThreePlusFourIAndOneMinusTwoI) {
  for (int task = 0; task <= 4; ++task) {  // the group alone decides
    const SolveRun run = solve(task, 3, 4, 1, -2);
    ASSERT_TRUE(run.outcome.complete());
    EXPECT_EQ(run.sheet[Target::Sum], "4+2*i");
    EXPECT_EQ(run.sheet[Target::Difference], "2+6*i");
    EXPECT_EQ(run.sheet[Target::Product], "11-2*i");
    EXPECT_EQ(run.sheet[Target::Quotient], "-1+2*i");
    EXPECT_EQ(run.sheet[Target::Exp], "-13.1287830814622-15.200784463068*i");
    EXPECT_EQ(run.sheet[Target::Log], "1.6094379124341+0.927295218001612*i");
    EXPECT_EQ(run.sheet[Target::Polar], "5,0.927295218001612");
    EXPECT_EQ(run.sheet[Target::XtoN], "old");  // another group's result is not touched
    EXPECT_EQ(run.sheet.rows, QStringList{"old row"});
  }
}

TEST(SolveComplexTest, IToThePowerIIsReal) {
  const SolveRun run = solve(4, 0, 1, 0, 1);
  ASSERT_TRUE(run.outcome.complete());
  EXPECT_EQ(run.sheet[Target::YtoX], "0.207879576350762");
  EXPECT_EQ(run.sheet[Target::Product], "-1");
  EXPECT_EQ(run.sheet[Target::Quotient], "1");
  EXPECT_EQ(run.solver.a, 0);  // y to the power x leaves x alone
  EXPECT_EQ(run.solver.b, 1);
  EXPECT_DOUBLE_EQ(run.solver.Argument.value(), kPi / 2);
}

TEST(SolveComplexTest, OneNumberTasksOnTheExamplesOfX) {
  const struct {
    double a, b;
    const char *exp, *log, *polar;
  } cases[] = {
      {-1, 0, "0.367879441171442", "0+3.14159265358979*i", "1,3.14159265358979"},
      {-1, -1, nullptr, "0.346573590279973+3.92699081698724*i", "1.4142135623731,3.92699081698724"},
      {0, 0, "1", "NOT DEFINED FOR X = 0", "0,0"},
      {1, 0, "2.71828182845905", "0", "1,0"},
  };
  for (int task = 5; task <= 7; ++task) {
    for (const auto& c : cases) {
      const SolveRun run = solve(task, c.a, c.b, 7, 7, 7);
      ASSERT_TRUE(run.outcome.complete());
      if (c.exp) {
        EXPECT_EQ(run.sheet[Target::Exp], c.exp);
      }
      EXPECT_EQ(run.sheet[Target::Log], c.log) << c.a << " " << c.b;
      EXPECT_EQ(run.sheet[Target::Polar], c.polar) << c.a << " " << c.b;
      EXPECT_EQ(run.sheet[Target::Sum], "old");  // y is not used here
      EXPECT_EQ(run.sheet[Target::XtoN], "old");
    }
  }
}

TEST(SolveComplexTest, RootsStartAtThetaOverNAndShowTheirResidues) {
  const struct {
    double a, b, n;
    QStringList rows;
  } cases[] = {
      {1, 0, 4, {"1", "6.12323399573677E-17+1*i", "-1+1.22464679914735E-16*i", "-1.83697019872103E-16-1*i"}},
      {-8, 0, 3, {"1+1.73205080756888*i", "-2+2.44929359829471E-16*i", "1-1.73205080756888*i"}},
      {0, 0, 2, {"0", "0"}},
      {5, 0, 1, {"5"}},
  };
  for (const auto& c : cases) {
    const SolveRun run = solve(9, c.a, c.b, 0, 0, c.n);
    ASSERT_TRUE(run.outcome.complete());
    EXPECT_EQ(run.sheet.rows, c.rows);
    EXPECT_EQ(run.sheet.batches, 1);
    EXPECT_EQ(run.solver.RootIndex, static_cast<int>(c.n));
  }
}

TEST(SolveComplexTest, PowerOfXByDeMoivreForAnyRealN) {
  const struct {
    double a, b, n;
    const char* power;
    int rows;
  } cases[] = {
      {-4, 0, 0.5, "1.22464679914735E-16+2*i", 0},  // on the positive imaginary axis
      {2, 0, 2.5, "5.65685424949238", 0},
      {3, 4, 0, "1", 0},
      {0, 0, 0, "1", 0},
      {2, 0, -1, "0.5", 0},
      {0, 1, 2, "-1+1.22464679914735E-16*i", 2},
  };
  for (int task : {8, 9}) {
    for (const auto& c : cases) {
      const SolveRun run = solve(task, c.a, c.b, 5, 5, c.n);
      ASSERT_TRUE(run.outcome.complete());
      EXPECT_EQ(run.sheet[Target::XtoN], c.power) << c.a << " " << c.n;
      EXPECT_EQ(run.sheet.rows.size(), c.rows) << c.a << " " << c.n;
      EXPECT_EQ(run.sheet[Target::Sum], "old");
      EXPECT_EQ(run.sheet.events, (QStringList{"clear", "focus"}));
    }
  }
}

// Every failure ends the run: what was written stays, the rest is untouched.
TEST(SolveComplexTest, FailuresEndTheRunWhereTheyOccur) {
  const struct {
    const char* what;
    int task;
    double a, b, c, d, n;
    Stage stage;
    ErrorNumber error;
    QMap<Target, QString> shown;  // labels that must show this; all others of the run stay "old"
    const char* message;
  } cases[] = {
      {"y = 0", 0, 3, 4, 0, 0, 0, Stage::Quotient, ErrorNumber::DivisionByZero,
       {{Target::Sum, "3+4*i"}, {Target::Difference, "3+4*i"}, {Target::Product, "0"}},
       "Division by zero: y is 0"},
      {"y too small to square", 1, 3, 4, 1e-200, 0, 0, Stage::Quotient, ErrorNumber::DivisionByZero,
       {{Target::Sum, "3+4*i"}, {Target::Difference, "3+4*i"}, {Target::Product, "3E-200+4E-200*i"}},
       "Division by zero: y is too small"},
      {"y^x overflows", 4, 1000, 0, 10, 0, 0, Stage::YtoX, ErrorNumber::Overflow,
       {{Target::Sum, "1010"}, {Target::Difference, "990"}, {Target::Product, "10000"},
        {Target::Quotient, "100"}},
       "Result too large"},
      {"imaginary part of the product overflows", 2, 0, 1e100, 1e300, 0, 0, Stage::Product,
       ErrorNumber::Overflow,
       {{Target::Sum, "1E+300+1E+100*i"}, {Target::Difference, "-1E+300+1E+100*i"}, {Target::Product, "0"}},
       "Result too large"},
      {"x = 0 and n < 0", 8, 0, 0, 0, 0, -1, Stage::XtoN, ErrorNumber::DivisionByZero, {},
       "Division by zero: x is 0 and n is negative"},
      {"Exp overflows", 5, 710, 0, 0, 0, 0, Stage::Exp, ErrorNumber::Overflow, {}, "Result too large"},
      {"x too large to square", 0, 2e154, 0, 1, 0, 0, Stage::PolarOfX, ErrorNumber::Overflow, {},
       "Result too large"},
      {"modulus of x underflows", 6, 1e-200, 0, 0, 0, 0, Stage::Log, ErrorNumber::InvalidCall,
       {{Target::Exp, "1"}}, "Number too small: x or y is too close to 0"},
      {"n - 1 beyond 32 bits", 9, 1, 0, 0, 0, 3e9, Stage::Roots, ErrorNumber::Overflow,
       {{Target::XtoN, "1"}}, "Too many roots to list"},
  };
  for (const auto& c : cases) {
    const SolveRun run = solve(c.task, c.a, c.b, c.c, c.d, c.n);
    EXPECT_EQ(run.outcome.failedAt, c.stage) << c.what;
    EXPECT_EQ(run.outcome.error, c.error) << c.what;
    EXPECT_EQ(failureText(run.outcome, run.solver), QString::fromLatin1(c.message)) << c.what;
    for (Target target : runTargets(groupOf(c.task))) {
      EXPECT_EQ(run.sheet[target], c.shown.value(target, "old")) << c.what << " target " << int(target);
    }
    const QList<Target> unwritten = unwrittenTargets(groupOf(c.task), run.outcome);
    for (Target target : runTargets(groupOf(c.task))) {
      if (!c.shown.contains(target)) {
        EXPECT_TRUE(unwritten.contains(target)) << c.what << " target " << int(target);
      }
    }
    EXPECT_EQ(run.solver.a, c.a) << c.what;  // inputs are never changed by a run
    EXPECT_EQ(run.solver.b, c.b) << c.what;
  }
}

TEST(SolveComplexTest, AHalfWrittenLabelCountsAsUnwritten) {
  const SolveRun run = solve(2, 0, 1e100, 1e300, 0);
  EXPECT_EQ(unwrittenTargets(TaskGroup::TwoNumber, run.outcome),
            (QList<Target>{Target::Product, Target::Quotient, Target::YtoX, Target::Exp, Target::Log,
                           Target::Polar}));
}

TEST(SolveComplexTest, RootsBeyondTheListLimitFillTheListAndEndTheRun) {
  const SolveRun run = solve(9, 1, 0, 0, 0, 40000);
  EXPECT_EQ(run.outcome.failedAt, Stage::Roots);
  EXPECT_TRUE(run.outcome.listFull);
  EXPECT_EQ(run.sheet.rows.size(), ComplexSolver::kMaxRoots);
  EXPECT_EQ(run.sheet.rows.first(), "1");
  EXPECT_EQ(run.sheet.batches, 1);
  EXPECT_EQ(run.sheet[Target::Exp], "old");
  EXPECT_EQ(failureText(run.outcome, run.solver), "The list is full: it shows the first 32767 roots");
  EXPECT_EQ(unwrittenTargets(TaskGroup::Power, run.outcome),
            (QList<Target>{Target::Exp, Target::Log, Target::Polar}));

  const SolveRun exact = solve(9, 1, 0, 0, 0, 32767);
  EXPECT_TRUE(exact.outcome.complete());
  EXPECT_EQ(exact.sheet.rows.size(), 32767);
}

TEST(SolveComplexTest, RootsOnlyForWholePositiveN) {
  for (double n : {2.5, 0.0, -3.0, 1e-9}) {
    const SolveRun run = solve(9, 16, 0, 0, 0, n);
    EXPECT_TRUE(run.outcome.complete()) << n;
    EXPECT_TRUE(run.sheet.rows.isEmpty()) << n;
    EXPECT_EQ(run.sheet.batches, 0) << n;
  }
}

}  // namespace
