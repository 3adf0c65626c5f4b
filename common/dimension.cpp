#include "common/dimension.h"

#include "common/math_constants.h"

namespace Dimension {

void SetConstants() {
  HalfPi = veltrano::math::HalfPi;
  Pi = veltrano::math::Pi;
  EulerNumber = veltrano::math::EulerNumber;
}

}  // namespace Dimension
