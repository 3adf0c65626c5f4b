#include "app/shell_commands.h"

#include "app/about_screen.h"
#include "app/unload_all.h"

namespace veltrano {

void ShellCommands::showAboutScreen() { AboutVeltrano::ShowAboutScreen(); }

void ShellCommands::shutDown() { UnloadAll::ShutDown(); }

}  // namespace veltrano
