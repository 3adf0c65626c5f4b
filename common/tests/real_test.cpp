#include "common/real.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/testing/printers.h"
#include "common/testing/raised_error.h"

using namespace veltrano;
using veltrano::testing::raisedError;

namespace {

TEST(Real, ArithmeticRaisesTheRunTimeErrors) {
  const struct {
    const char* what;
    ErrorNumber expected;
    std::function<void()> step;
  } cases[] = {
      {"1/0", ErrorNumber::DivisionByZero, [] { Real(1) / Real(0); }},
      {"1e308*10", ErrorNumber::Overflow, [] { Real(1e308) * 10; }},
      {"Sqr of a negative", ErrorNumber::InvalidCall, [] { Sqr(-1e-300); }},
      {"0^-1", ErrorNumber::DivisionByZero, [] { Power(0, -1); }},
      {"(-8)^(1/3)", ErrorNumber::InvalidCall, [] { Power(-8, 1.0 / 3); }},
      {"ToLong above range", ErrorNumber::Overflow, [] { ToLong(2147483647.5); }},
      {"ToInteger above range", ErrorNumber::Overflow, [] { ToInteger(32767.5); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(raisedError(c.step).number(), c.expected);
  }
}

TEST(Real, ResultsAreThoseOfPlainDoubles) {
  EXPECT_EQ(Power(-8, 3).value(), -512.0);
  EXPECT_EQ(Power(0, 0).value(), 1.0);
  EXPECT_EQ(Int(-1.5).value(), -2.0);
  EXPECT_EQ(Fix(-1.5).value(), -1.0);
  // Conversions to integers round halves to the even neighbour; both ends of
  // each range convert to themselves.
  const std::pair<double, int> longs[] = {
      {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-2147483648.0, -2147483647 - 1}, {2147483647.0, 2147483647}};
  for (const auto& [value, rounded] : longs) EXPECT_EQ(ToLong(value), rounded) << value;
  const std::pair<double, int> integers[] = {{-0.5, 0}, {-32768.0, -32768}, {32767.0, 32767}};
  for (const auto& [value, rounded] : integers) EXPECT_EQ(ToInteger(value), rounded) << value;
}

}  // namespace
