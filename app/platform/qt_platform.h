#pragma once

#include "app/platform/qt_clock.h"
#include "app/platform/qt_decimal_setting.h"
#include "app/platform/qt_file_dialogs.h"
#include "app/platform/qt_message_boxes.h"
#include "app/platform/qt_printer.h"
#include "app/platform/qt_progress.h"
#include "app/shell_commands.h"
#include "help/viewer/chm_help_viewer.h"

namespace veltrano {

// The Qt side of every platform seam, installed for as long as it lives.
// Create it once, after the QApplication.
class QtPlatform {
 public:
  QtPlatform();
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

 private:
  QtMessageBoxes messages_;
  QtFileDialogs files_;
  QtPrinter printer_;
  help::ChmHelpViewer help_;
  QtDecimalSetting decimal_;
  QtClock clock_;
  ShellCommands shell_;
  QtProgress progress_;
};

}  // namespace veltrano
