#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

// The table file the build writes beside the test executable, and texts
// made from it for the loading tests.
namespace veltrano::factors::testing {

inline QString builtTablePath() {
  return QDir(QCoreApplication::applicationDirPath()).filePath("P100008.txt");
}

inline QList<QByteArray> builtTableNumbers() {
  QFile file(builtTablePath());
  if (!file.open(QIODevice::ReadOnly)) return {};
  QList<QByteArray> numbers = file.readAll().trimmed().split('\n');
  for (QByteArray& n : numbers) n = n.trimmed();
  return numbers;
}

// The numbers joined into one file, each written as before, n, after.
inline QByteArray tableText(const QList<QByteArray>& numbers, const QByteArray& before,
                            const QByteArray& after) {
  QByteArray text;
  for (const QByteArray& n : numbers) text += before + n + after;
  return text;
}

// Makes a folder the current directory while the guard lives.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const QString& folder) : previous_(QDir::currentPath()) {
    QDir::setCurrent(folder);
  }
  ~CurrentDirectory() { QDir::setCurrent(previous_); }

 private:
  QString previous_;
};

}  // namespace veltrano::factors::testing
