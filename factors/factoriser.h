#pragma once

#include <QString>

#include "factors/prime_table.h"

namespace veltrano::factors {

// Factorises whole numbers by trial division with the prime table and words
// the result as one row of the Factors list: "360= 2  2  2  3  3  5",
// "97= PRIME", "1= NEUTRAL", "0= ILLEGAL", "1E+20= TOO LARGE".
class Factoriser {
 public:
  explicit Factoriser(const PrimeTable& table) : table_(table) {}

  // The row for n. Each factor found by division is followed by two blanks;
  // a last factor left above the square-root bound follows without them.
  QString rowFor(double n) const;

  // The largest number the table can factorise: its last prime squared.
  double largest() const;

  // Why the row for n is no factorisation, in plain words for the status
  // line; empty when there is nothing to explain.
  QString noteFor(double n) const;

 private:
  QString factorsOf(double n) const;

  const PrimeTable& table_;
};

}  // namespace veltrano::factors
