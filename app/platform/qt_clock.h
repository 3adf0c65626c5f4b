#pragma once

#include "common/platform.h"

namespace veltrano {

// The wall clock to the whole second; a pause sleeps about 20 ms so that a
// waiting loop does not keep a core busy.
class QtClock : public Clock {
 public:
  QDateTime now() override;
  void pause() override;
};

}  // namespace veltrano
