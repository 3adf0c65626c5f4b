#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// The properties every input path keeps on any bytes. A check returns what
// went wrong, or nothing; the fuzz targets abort on it and the regression
// test runs every checked-in input through the same check.
namespace veltrano::fuzzing {

using Violation = std::optional<QString>;
using Check = std::function<Violation(const QByteArray&)>;

// The check of a fuzz target, named as its corpus folder: text_to_number,
// worksheet_reader, prime_table, bases_convert, help_file or open_<window>
// (factors, ...).
Check checkFor(const QString& target);

// A headless application with the fakes installed, as the tests have.
void startHeadless(int& argc, char** argv);

}  // namespace veltrano::fuzzing
