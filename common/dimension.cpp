#include "common/dimension.h"

#include <cmath>

namespace Dimension {

void SetConstants() {
  HalfPi = std::atan(1.0) + std::atan(1.0);
  Pi = std::atan(1.0) * 4;
  EulerNumber = std::exp(1.0);
}

}  // namespace Dimension
