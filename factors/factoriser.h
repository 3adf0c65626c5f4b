#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "factors/prime_table.h"

namespace veltrano::factors {

// What one factorisation did, recorded as it went, for the working that
// explains a row: the numbers are the factorisation's own.
struct FactorTrace {
  enum class Outcome { TooLarge, BelowOne, NotWhole, Neutral, Two, Prime, Factorised };
  struct Division {
    double dividend;
    std::int32_t prime;
    double quotient;
  };

  Outcome outcome = Outcome::Factorised;
  double number = 0;
  double largest = 0;               // the last prime squared
  std::vector<Division> divisions;  // each division that went evenly, in order
  std::int32_t primesTried = 0;     // primes 1 to this index of the table were tried
  bool reachedTableEnd = false;     // every prime was tried before the bound was met
  double left = 0;                  // what was left when the trial division stopped
};

// Factorises whole numbers by trial division with the prime table and words
// the result as one row of the Factors list: "360= 2  2  2  3  3  5",
// "97= PRIME", "1= NEUTRAL", "0= ILLEGAL", "1E+20= TOO LARGE".
class Factoriser {
 public:
  explicit Factoriser(const PrimeTable& table) : table_(table) {}

  // The row for n. Each factor found by division is followed by two blanks;
  // a last factor left above the square-root bound follows without them.
  // With a trace, also records how the row came about; without one the
  // division loop does no more than the row needs.
  QString rowFor(double n, FactorTrace* trace = nullptr) const;

  // The largest number the table can factorise: its last prime squared.
  double largest() const;

  // Why the row for n is no factorisation, in plain words for the status
  // line; empty when there is nothing to explain.
  QString noteFor(double n) const;
  const PrimeTable& table() const { return table_; }

 private:
  QString factorsOf(double n, FactorTrace* trace) const;

  const PrimeTable& table_;
};

}  // namespace veltrano::factors
