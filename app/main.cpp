// The program: the Qt side of every platform seam, the five worksheets, and
// the start-up.
#include <QApplication>

#include "app/platform/qt_clock.h"
#include "app/platform/qt_decimal_setting.h"
#include "app/platform/qt_file_dialogs.h"
#include "app/platform/qt_message_boxes.h"
#include "app/platform/qt_printer.h"
#include "app/shell_commands.h"
#include "app/sub_main.h"
#include "app/unload_all.h"
#include "bases/bases_window.h"
#include "circles/circles_window.h"
#include "common/event_guard.h"
#include "common/platform.h"
#include "complex/complex_window.h"
#include "factors/factors_window.h"
#include "help/viewer/chm_help_viewer.h"
#include "triangles/triangles_window.h"

namespace {

veltrano::WorksheetFactories worksheetFactories() {
  return {
      [] { return new veltrano::factors::FactorsWindow; },
      [] { return new veltrano::triangles::TrianglesWindow; },
      [] { return new veltrano::circles::CirclesWindow; },
      [] { return new veltrano::complex::ComplexWindow; },
      [] { return new veltrano::bases::BasesWindow; },
  };
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));

  veltrano::QtMessageBoxes messages;
  veltrano::QtFileDialogs files;
  veltrano::QtPrinter printer;
  veltrano::help::ChmHelpViewer help;
  veltrano::QtDecimalSetting decimal;
  veltrano::QtClock clock;
  veltrano::ShellCommands shell;

  veltrano::Platform services;
  services.messages = &messages;
  services.files = &files;
  services.printer = &printer;
  services.help = &help;
  services.decimal = &decimal;
  services.clock = &clock;
  services.shell = &shell;
  services.programFolder = QCoreApplication::applicationDirPath();
  veltrano::installPlatform(services);

  bool running = false;
  veltrano::runGuarded([&] { running = veltrano::SubMain::Main(worksheetFactories()); });
  if (!running || veltrano::UnloadAll::ProgramEnded()) return 0;
  return QApplication::exec();
}
