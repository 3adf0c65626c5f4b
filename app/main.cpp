// Placeholder entry point until the application shell lands.
#include <QApplication>

#include "bases/bases_window.h"
#include "circles/circles_window.h"
#include "complex/complex_window.h"
#include "factors/factors_window.h"
#include "triangles/triangles_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  veltrano::factors::FactorsWindow window;
  window.show();
  return app.exec();
}
