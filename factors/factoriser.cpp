#include "factors/factoriser.h"

#include "common/numeric_text.h"
#include "common/real.h"

namespace veltrano::factors {

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

QString Factoriser::rowFor(double n) const {
  const QString number = NumberToText(n);
  if (largest() < n) return number + QStringLiteral("= TOO LARGE");
  if (n < 1) return number + QStringLiteral("= ILLEGAL");
  // A number with a fractional part has no prime factors; without this test
  // trial division would find no divisor and call 1.5 a prime.
  if (Int(n) != Real(n)) return number + QStringLiteral("= ILLEGAL");
  if (n == 1) return QStringLiteral("1= NEUTRAL");
  if (n == 2) return QStringLiteral("2= PRIME");
  return factorsOf(n);
}

// Every value here is a whole number below 2^41, so the doubles hold them
// exactly and a quotient is whole exactly when the prime divides.
QString Factoriser::factorsOf(double n) const {
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
      Remainder = Quotient;
      RootBound = Sqr(Remainder);
    } else if (RootBound <= p) {
      break;
    } else {
      ++i;
    }
  }

  if (Remainder == InputNumber) return NumberToText(n) + QStringLiteral("= PRIME");
  if (Remainder > 1) ResultLine += NumberToText(Remainder.value());
  return ResultLine;
}

}  // namespace veltrano::factors
