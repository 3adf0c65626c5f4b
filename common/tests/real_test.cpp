#include "common/real.h"

#include <gtest/gtest.h>

#include "common/testing/printers.h"

#include <functional>
#include <limits>

using namespace veltrano;

namespace {

void expectError(ErrorNumber expected, const std::function<void()>& step, const char* what) {
  try {
    step();
    ADD_FAILURE() << what << " raised nothing";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), expected) << what;
  }
}

TEST(Real, ArithmeticRaisesTheRunTimeErrors) {
  const Real big = 1e308;
  expectError(
      ErrorNumber::DivisionByZero, [] { Real(1) / Real(0); }, "1/0");
  expectError(
      ErrorNumber::DivisionByZero, [] { Real(0) / Real(0); }, "0/0");
  expectError(
      ErrorNumber::Overflow, [&] { big * 10; }, "1e308*10");
  expectError(
      ErrorNumber::Overflow, [&] { big + big; }, "1e308+1e308");
  expectError(
      ErrorNumber::Overflow, [] { Real(1e300) / Real(1e-300); }, "quotient beyond range");
  expectError(
      ErrorNumber::InvalidCall, [] { Sqr(-1e-300); }, "Sqr of a negative");
  expectError(
      ErrorNumber::InvalidCall, [] { Log(0); }, "Log 0");
  expectError(
      ErrorNumber::InvalidCall, [] { Log(-1); }, "Log -1");
  expectError(
      ErrorNumber::Overflow, [] { Exp(709.8); }, "Exp 709.8");
  expectError(
      ErrorNumber::DivisionByZero, [] { Power(0, -1); }, "0^-1");
  expectError(
      ErrorNumber::InvalidCall, [] { Power(-8, 1.0 / 3); }, "(-8)^(1/3)");
  expectError(
      ErrorNumber::Overflow, [] { Power(10, 400); }, "10^400");
}

TEST(Real, FormulasKeepDoubleResults) {
  const Real a = 3, b = 4, c = 5;
  EXPECT_EQ((((b * b + c * c) - a * a) / 2 / b / c).value(), ((16.0 + 25.0) - 9.0) / 2 / 4 / 5);
  EXPECT_EQ(Sqr(0).value(), 0.0);
  EXPECT_EQ(Power(-8, 3).value(), -512.0);
  EXPECT_EQ(Power(0, 0).value(), 1.0);
  EXPECT_EQ(Exp(709.7).value(), std::exp(709.7));
  EXPECT_EQ(Sgn(-2).value(), -1.0);
  EXPECT_EQ(Int(-1.5).value(), -2.0);
  EXPECT_EQ(Fix(-1.5).value(), -1.0);
  EXPECT_TRUE(Real(1) < Real(2));
}

TEST(Real, IntegerConversionsRoundHalvesToEvenAndCheckRange) {
  EXPECT_EQ(ToLong(2.5), 2);
  EXPECT_EQ(ToLong(3.5), 4);
  EXPECT_EQ(ToLong(-2.5), -2);
  EXPECT_EQ(ToLong(1.4999), 1);
  EXPECT_EQ(ToLong(2147483647.4), 2147483647);
  EXPECT_EQ(ToLong(-2147483648.0), std::numeric_limits<std::int32_t>::min());
  expectError(
      ErrorNumber::Overflow, [] { ToLong(2147483647.5); }, "ToLong above range");
  expectError(
      ErrorNumber::Overflow, [] { ToLong(-2147483649.0); }, "ToLong below range");
  EXPECT_EQ(ToInteger(32767.4), 32767);
  EXPECT_EQ(ToInteger(-0.5), 0);
  expectError(
      ErrorNumber::Overflow, [] { ToInteger(32767.5); }, "ToInteger above range");
  expectError(
      ErrorNumber::Overflow, [] { ToInteger(-32769); }, "ToInteger below range");
}

TEST(RuntimeError, MessageNamesNumberNameAndFile) {
  EXPECT_EQ(RuntimeError(ErrorNumber::Overflow).message(), "Run-time error '6':\n\nOverflow");
  EXPECT_EQ(RuntimeError(ErrorNumber::FileNotFound, "/tmp/x.txt").message(),
            "Run-time error '53':\n\nFile not found\n\n/tmp/x.txt");
  EXPECT_EQ(RuntimeError(ErrorNumber::InputPastEndOfFile).name(), "Input past end of file");
  EXPECT_EQ(RuntimeError(ErrorNumber::PathFileAccess).name(), "Path/File access error");
}

}  // namespace
