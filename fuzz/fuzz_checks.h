#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace veltrano {
class WorksheetWindow;
}

// The properties every input path keeps on any bytes. Each check returns
// what went wrong, or nothing; the fuzz targets abort on it and the
// regression test runs every checked-in input through the same checks.
namespace veltrano::fuzzing {

using Violation = std::optional<QString>;

// One worksheet window and its File Open, run again and again. The window
// must either take the file or show one error box and keep every text,
// row, mark and the current file name as they were.
class OpenRun {
 public:
  // "factors", "triangles", "circles", "complex" or "bases".
  explicit OpenRun(const QString& windowName);
  ~OpenRun();

  Violation open(const QByteArray& bytes);

 private:
  QString windowName_;
  QTemporaryDir folder_;
  std::unique_ptr<WorksheetWindow> window_;
};

// The prime table loader: a table or one of the file errors. The first byte
// chooses whether the rest is the whole file or the start of one that a
// correct table then completes, so that the fuzzer also reaches whole tables.
Violation loadPrimeTable(const QByteArray& bytes);

// The Bases engine with the base from the first byte and the text from the
// rest: a well-formed line or nothing.
Violation convertInBase(const QByteArray& bytes);

// A headless application with the fakes installed, as the tests have.
void startHeadless(int& argc, char** argv);

}  // namespace veltrano::fuzzing
