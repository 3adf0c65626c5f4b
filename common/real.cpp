#include "common/real.h"

#include <limits>

namespace veltrano {

Real Sqr(Real x) {
  if (x.value() < 0.0) raise(ErrorNumber::InvalidCall);
  return Real(std::sqrt(x.value()));
}

Real Log(Real x) {
  if (x.value() <= 0.0) raise(ErrorNumber::InvalidCall);
  return Real(std::log(x.value()));
}

Real Exp(Real x) { return Real::finite(std::exp(x.value())); }
Real Sin(Real x) { return Real(std::sin(x.value())); }
Real Cos(Real x) { return Real(std::cos(x.value())); }
Real Atn(Real x) { return Real(std::atan(x.value())); }
Real Abs(Real x) { return Real(std::fabs(x.value())); }
Real Sgn(Real x) { return Real(x.value() > 0.0 ? 1.0 : (x.value() < 0.0 ? -1.0 : 0.0)); }
Real Int(Real x) { return Real(std::floor(x.value())); }
Real Fix(Real x) { return Real(std::trunc(x.value())); }

Real Power(Real base, Real exponent) {
  const double b = base.value();
  const double e = exponent.value();
  if (b == 0.0 && e < 0.0) raise(ErrorNumber::DivisionByZero);
  // A negative base has a real power only for a whole exponent.
  if (b < 0.0 && e != std::floor(e)) raise(ErrorNumber::InvalidCall);
  return Real::finite(std::pow(b, e));
}

namespace {
template <typename Int>
Int roundToInteger(Real x) {
  const double rounded = std::nearbyint(x.value());  // the default mode rounds halves to even
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    raise(ErrorNumber::Overflow);
  }
  return static_cast<Int>(rounded);
}
}  // namespace

std::int32_t ToLong(Real x) { return roundToInteger<std::int32_t>(x); }
std::int16_t ToInteger(Real x) { return roundToInteger<std::int16_t>(x); }

}  // namespace veltrano
