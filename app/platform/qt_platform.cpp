#include "app/platform/qt_platform.h"

#include <QCoreApplication>

#include "app/program_folder.h"

namespace veltrano {

QtPlatform::QtPlatform() {
  installPlatform({.messages = &messages_,
                   .files = &files_,
                   .printer = &printer_,
                   .help = &help_,
                   .decimal = &decimal_,
                   .clock = &clock_,
                   .shell = &shell_,
                   .progress = &progress_,
                   .programFolder = locateProgramFolder(QCoreApplication::applicationDirPath(),
                                                        installedDataFolder(), programFiles())});
}

}  // namespace veltrano
