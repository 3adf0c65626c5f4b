#pragma once

#include "common/platform.h"

namespace veltrano {

// What the worksheet windows' About and unload reach through platform().
class ShellCommands : public Shell {
 public:
  void showAboutScreen() override;
  void shutDown() override;
};

}  // namespace veltrano
