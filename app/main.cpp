// The program: the Qt side of every platform seam, the five worksheets, and
// the start-up.
#include <QApplication>

#include "app/platform/qt_platform.h"
#include "app/sub_main.h"
#include "app/unload_all.h"
#include "bases/bases_window.h"
#include "circles/circles_window.h"
#include "common/event_guard.h"
#include "complex/complex_window.h"
#include "factors/factors_window.h"
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

  const veltrano::QtPlatform platform;

  bool running = false;
  veltrano::runGuarded([&] { running = veltrano::SubMain::Main(worksheetFactories()); });
  if (!running || veltrano::UnloadAll::ProgramEnded()) return 0;
  return QApplication::exec();
}
