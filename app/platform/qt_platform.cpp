#include "app/platform/qt_platform.h"

#include <QCoreApplication>

namespace veltrano {

QtPlatform::QtPlatform() {
  installPlatform({.messages = &messages_,
                   .files = &files_,
                   .printer = &printer_,
                   .help = &help_,
                   .decimal = &decimal_,
                   .clock = &clock_,
                   .shell = &shell_,
                   .programFolder = QCoreApplication::applicationDirPath()});
}

}  // namespace veltrano
