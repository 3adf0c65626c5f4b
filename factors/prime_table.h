#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/runtime_error.h"

namespace veltrano::factors {

// The table of the first 100008 primes that trial division works through,
// read from the text file "P100008.txt" when the Factors window opens.
// Entry 0 is unused; entries 1 to TableSize hold 2, 3, 5, ... 1299827.
class PrimeTable {
 public:
  static constexpr std::int32_t TableSize = 100008;
  static constexpr std::int32_t LargestPrime = 1299827;  // the TableSize-th prime
  static inline const QString FileName = QStringLiteral("P100008.txt");

  // Told why a table in the current directory was refused, before the
  // program's own table is read in its place.
  using RefusalHandler = std::function<void(const RuntimeError& why)>;

  // Looks for the table in the current directory first, then in the
  // program's folder, and reads it. A table in the current directory that
  // cannot be read or is not exactly the primes is refused through refused,
  // and the program's own table is read instead. Raises File not found,
  // naming the file and both places, when neither holds it, and the error of
  // the program's own table when that is refused too or cannot be read (see
  // fromBytes; the file must also be a regular file of a size a table can have).
  static PrimeTable load(const QString& programFolder, const RefusalHandler& refused = {});

  // Reads the table from the bytes of a table file, by the field rules of
  // worksheet files: blanks around a number and commas between numbers are
  // allowed, anything after the TableSize-th number is ignored. Raises
  // Input past end of file for a short table, Type mismatch or Overflow for
  // a field that is no 32-bit number, and Type mismatch for the first entry
  // that is not the prime of its place: a planted or damaged table would
  // give wrong factors, or divide by zero. The error names the path, the
  // entry's place and value, and the prime that belongs there.
  static PrimeTable fromBytes(const QByteArray& bytes, const QString& path);

  std::int32_t operator[](std::int32_t index) const { return entries_[index]; }
  std::int32_t last() const { return entries_[TableSize]; }

 private:
  PrimeTable() : entries_(TableSize + 1, 0) {}

  std::vector<std::int32_t> entries_;
};

}  // namespace veltrano::factors
