#pragma once

#include <cmath>
#include <cstdint>

#include "common/runtime_error.h"

namespace veltrano {

// A double whose arithmetic raises the program's run-time errors instead of
// producing infinities and NaNs: division by zero raises Division by zero,
// a result beyond the double range raises Overflow, and the square root or
// logarithm of a negative number raises Invalid procedure call. Solvers keep
// their variables in Reals so that each formula reads as it is written and
// still stops at the first step that fails.
class Real {
 public:
  constexpr Real(double value = 0.0) : value_(value) {}  // NOLINT: implicit by design

  constexpr double value() const { return value_; }
  explicit constexpr operator double() const { return value_; }

  Real operator-() const { return Real(-value_); }
  Real& operator+=(Real other) { return *this = *this + other; }
  Real& operator-=(Real other) { return *this = *this - other; }

  friend Real operator+(Real a, Real b) { return finite(a.value_ + b.value_); }
  friend Real operator-(Real a, Real b) { return finite(a.value_ - b.value_); }
  friend Real operator*(Real a, Real b) { return finite(a.value_ * b.value_); }
  friend Real operator/(Real a, Real b) {
    if (b.value_ == 0.0) raise(ErrorNumber::DivisionByZero);
    return finite(a.value_ / b.value_);
  }

  friend constexpr bool operator==(Real a, Real b) { return a.value_ == b.value_; }
  friend constexpr auto operator<=>(Real a, Real b) { return a.value_ <=> b.value_; }

  // Raises Overflow for a result that left the double range.
  static Real finite(double result) {
    if (!std::isfinite(result)) raise(ErrorNumber::Overflow);
    return Real(result);
  }

 private:
  double value_;
};

Real Sqr(Real x);  // square root; Invalid procedure call below 0
Real Log(Real x);  // natural logarithm; Invalid procedure call at or below 0
Real Exp(Real x);  // Overflow above about 709.78
Real Sin(Real x);
Real Cos(Real x);
Real Atn(Real x);
Real Abs(Real x);
Real Sgn(Real x);                      // -1, 0 or 1
Real Int(Real x);                      // floor
Real Fix(Real x);                      // towards zero
Real Power(Real base, Real exponent);  // the ^ operator

// Conversions to the integer types, rounding halves to the even neighbour;
// a value outside the type's range raises Overflow.
std::int32_t ToLong(Real x);
std::int16_t ToInteger(Real x);

}  // namespace veltrano
