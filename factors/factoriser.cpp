#include "factors/factoriser.h"

#include "common/numeric_text.h"
#include "common/real.h"

namespace veltrano::factors {

namespace {
QString shortRow(const QString& row, FactorTrace::Outcome outcome, FactorTrace* trace) {
  if (trace) trace->outcome = outcome;
  return row;
}
}  // namespace

double Factoriser::largest() const {
  const Real last = table_.last();
  return (last * last).value();
}

// Only "TOO LARGE" hides its reason: the limit comes from the table, which
// the user cannot see.
QString Factoriser::noteFor(double n) const {
  if (!(largest() < n)) return {};
  return QStringLiteral(
             "Numbers above %1 are too large for the prime table (the square of its largest prime)")
      .arg(NumberToText(largest()));
}

QString Factoriser::rowFor(double n, FactorTrace* trace) const {
  using Outcome = FactorTrace::Outcome;
  if (trace) *trace = {.number = n, .largest = largest()};
  const QString number = NumberToText(n);
  if (largest() < n) return shortRow(number + QStringLiteral("= TOO LARGE"), Outcome::TooLarge, trace);
  if (n < 1) return shortRow(number + QStringLiteral("= ILLEGAL"), Outcome::BelowOne, trace);
  // A number with a fractional part has no prime factors; without this test
  // trial division would find no divisor and call 1.5 a prime.
  if (Int(n) != Real(n)) return shortRow(number + QStringLiteral("= ILLEGAL"), Outcome::NotWhole, trace);
  if (n == 1) return shortRow(QStringLiteral("1= NEUTRAL"), Outcome::Neutral, trace);
  if (n == 2) return shortRow(QStringLiteral("2= PRIME"), Outcome::Two, trace);
  return factorsOf(n, trace);
}

// Every value here is a whole number below 2^41, so the doubles hold them
// exactly and a quotient is whole exactly when the prime divides. The trace
// is written only where a division goes evenly and once at the end, so the
// loop over the primes that do not divide costs the same with or without it.
QString Factoriser::factorsOf(double n, FactorTrace* trace) const {
  const Real InputNumber = n;
  Real Remainder = n;
  Real RootBound = Sqr(Remainder);
  QString ResultLine = NumberToText(n) + QStringLiteral("= ");

  std::int32_t i = 1;
  while (i <= PrimeTable::TableSize) {
    const Real p = table_[i];
    const Real Quotient = Remainder / p;
    if (Int(Quotient) == Quotient) {
      ResultLine += IntegerToText(table_[i]) + QStringLiteral("  ");
      if (trace) trace->divisions.push_back({Remainder.value(), table_[i], Quotient.value()});
      Remainder = Quotient;
      RootBound = Sqr(Remainder);
    } else if (RootBound <= p) {
      break;
    } else {
      ++i;
    }
  }
  if (trace) {
    trace->reachedTableEnd = i > PrimeTable::TableSize;
    trace->primesTried = trace->reachedTableEnd ? PrimeTable::TableSize : i;
    trace->left = Remainder.value();
  }

  if (Remainder == InputNumber) {
    if (trace) trace->outcome = FactorTrace::Outcome::Prime;
    return NumberToText(n) + QStringLiteral("= PRIME");
  }
  if (Remainder > 1) ResultLine += NumberToText(Remainder.value());
  return ResultLine;
}

}  // namespace veltrano::factors
