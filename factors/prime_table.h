#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace veltrano::factors {

// The table of the first 100008 primes that trial division works through,
// read from the text file "P100008.txt" when the Factors window opens.
// Entry 0 is unused; entries 1 to TableSize hold 2, 3, 5, ... 1299827.
class PrimeTable {
 public:
  static constexpr std::int32_t TableSize = 100008;
  static inline const QString FileName = QStringLiteral("P100008.txt");

  // Looks for the table in the current directory first, then in the
  // program's folder, and reads it. Raises File not found, naming the file
  // and both places, when neither holds it; see fromBytes for the rest.
  static PrimeTable load(const QString& programFolder);

  // Reads the table from the bytes of a table file, by the field rules of
  // worksheet files: blanks around a number and commas between numbers are
  // allowed, anything after the TableSize-th number is ignored. Raises
  // Input past end of file for a short table, Type mismatch or Overflow for
  // a field that is no 32-bit number, and Type mismatch for entries that
  // are not increasing from 2 (a damaged table would give wrong factors or
  // divide by zero). The error names path and the place in the file.
  static PrimeTable fromBytes(const QByteArray& bytes, const QString& path);

  std::int32_t operator[](std::int32_t index) const { return entries_[index]; }
  std::int32_t last() const { return entries_[TableSize]; }

 private:
  PrimeTable() : entries_(TableSize + 1, 0) {}

  std::vector<std::int32_t> entries_;
};

}  // namespace veltrano::factors
