#pragma once

#include <cmath>

// pi, pi/2 and e for the solvers and the figures. They are set during the
// program's static initialisation, so they hold their values before any
// window has loaded, and there is no second source of them (such as M_PI_2).
namespace veltrano::math {

inline const double HalfPi = std::atan(1.0) + std::atan(1.0);
inline const double Pi = std::atan(1.0) * 4;
inline const double EulerNumber = std::exp(1.0);

}  // namespace veltrano::math
