// The program: the command line, the Qt side of every platform seam, the
// worksheets of the table of worksheets, and the start-up.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTextStream>

#include "app/command_line.h"
#include "app/installation_check.h"
#include "app/platform/qt_platform.h"
#include "app/sub_main.h"
#include "app/unload_all.h"
#include "app/wiring/table_worksheets.h"
#include "common/event_guard.h"

namespace {

// The desktop matches the windows to the menu entry by these names.
void identifyOnTheDesktop() {
  QApplication::setApplicationName(QStringLiteral("veltrano"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.veltrano.Veltrano"));
}

// Every window, those already shown included, takes the program's icon.
// Reading its images takes 10 to 20 ms, as long again as the whole way to
// the splash, so the start-up sets it while the splash waits.
void setWindowIcon() {
  QIcon icon;
  const QDir renders(QStringLiteral(":/icons"));
  for (const QString& name : renders.entryList(QDir::Files)) icon.addFile(renders.filePath(name));
  QApplication::setWindowIcon(icon);
}

}  // namespace

int main(int argc, char** argv) {
  // Help, version and a refused command line need no display.
  const veltrano::CommandLine commandLine(veltrano::CommandLine::fromMain(argc, argv));
  if (commandLine.endsAtOnce()) return commandLine.printAnswer();

  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  identifyOnTheDesktop();

  const veltrano::QtPlatform platform;

  if (commandLine.action() == veltrano::CommandLine::Action::Check) {
    setWindowIcon();
    QTextStream report(stdout);
    return veltrano::CheckInstallation(veltrano::tableWorksheetFactories(), report);
  }

  bool running = false;
  const veltrano::SubMain::StartFile file{commandLine.file(), veltrano::tableWorksheetFormats()};
  veltrano::runGuarded(
      [&] { running = veltrano::SubMain::Main(veltrano::tableWorksheetFactories(), setWindowIcon, file); });
  if (!running || veltrano::UnloadAll::ProgramEnded()) return 0;
  return QApplication::exec();
}
