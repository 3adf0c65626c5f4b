// The yardstick for start-up and memory: the least a Qt 6 Widgets program
// does to put a window on the screen.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("Hello"));
  label.show();
  return QApplication::exec();
}
