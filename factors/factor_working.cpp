#include "factors/factor_working.h"

#include <cmath>

#include "common/math_text.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace veltrano::factors {

using working::Step;
using working::Working;

namespace {

QString text(double value) { return NumberToText(value); }

// The primes tried, listed when few: "(2, 3, 5)", else their range.
QString primesTriedText(const FactorTrace& trace, const PrimeTable& table) {
  const std::int32_t count = trace.primesTried;
  QString line = count == 1 ? QStringLiteral("1 prime tried") : QStringLiteral("%1 primes tried").arg(count);
  if (count <= 10) {
    QStringList primes;
    for (std::int32_t i = 1; i <= count; ++i) primes.append(IntegerToText(table[i]));
    return line + QStringLiteral(" (") + primes.join(QStringLiteral(", ")) + QStringLiteral(").");
  }
  return line + QStringLiteral(", from 2 to ") + IntegerToText(table[count]) + u'.';
}

// One line per prime: "360 ÷ 2 = 180,  180 ÷ 2 = 90,  90 ÷ 2 = 45".
QStringList divisionLines(const FactorTrace& trace) {
  QStringList lines;
  std::int32_t linePrime = 0;
  for (const FactorTrace::Division& d : trace.divisions) {
    const QString division =
        QStringLiteral("%1 ÷ %2 = %3").arg(text(d.dividend), IntegerToText(d.prime), text(d.quotient));
    if (d.prime == linePrime) {
      lines.last() += QStringLiteral(",  ") + division;
    } else {
      lines.append(division);
      linePrime = d.prime;
    }
  }
  return lines;
}

// "2³ · 3² · 5", with a last factor left above the bound at the end.
QString productWithPowers(const FactorTrace& trace) {
  QStringList factors;
  std::size_t i = 0;
  while (i < trace.divisions.size()) {
    const std::int32_t prime = trace.divisions[i].prime;
    long long power = 0;
    while (i < trace.divisions.size() && trace.divisions[i].prime == prime) ++power, ++i;
    factors.append(IntegerToText(prime) + (power > 1 ? Superscript(power) : QString()));
  }
  if (trace.left > 1) factors.append(text(trace.left));
  return factors.join(QStringLiteral(" · "));
}

// Why trial division stopped, with the prime it stopped at.
QStringList stopLines(const FactorTrace& trace, const PrimeTable& table) {
  QStringList lines{primesTriedText(trace, table)};
  const QString left = text(trace.left);
  if (trace.left == 1) {
    lines.append(QStringLiteral("Nothing is left (1): every prime factor has been divided out."));
  } else if (trace.reachedTableEnd) {
    lines.append(QStringLiteral("The table ends at %1 with %2 left; it is taken as the last factor.")
                     .arg(IntegerToText(table.last()), left));
  } else {
    const double p = table[trace.primesTried];
    const QString what =
        trace.divisions.empty() ? QStringLiteral("the number") : QStringLiteral("what is left");
    lines.append(
        QStringLiteral("%1 does not divide %2, and %1 · %1 = %3 > %2: a number that is not prime has a "
                       "prime factor no greater than its square root (√%2 ≈ %4), and none divides %2.")
            .arg(text(p), left, text(p * p), QString::number(std::sqrt(trace.left), 'f', 2)));
    lines.append(QStringLiteral("So %1, %2, is prime.").arg(what, left));
  }
  return lines;
}

Step reasonStep(const FactorTrace& trace, const PrimeTable& table) {
  using Outcome = FactorTrace::Outcome;
  const QString n = text(trace.number);
  switch (trace.outcome) {
    case Outcome::TooLarge:
      return {QStringLiteral("Too large for the prime table"),
              {QStringLiteral("Trial division by the table's primes reaches numbers up to its last prime "
                              "squared: %1² = %2.")
                   .arg(IntegerToText(table.last()), text(trace.largest)),
               QStringLiteral("%1 > %2").arg(n, text(trace.largest))},
              {}};
    case Outcome::BelowOne:
      return {QStringLiteral("Below 1"),
              {QStringLiteral("Prime factors belong to whole numbers from 1 up: %1 < 1.").arg(n)},
              {}};
    case Outcome::NotWhole:
      return {QStringLiteral("Not a whole number"),
              {QStringLiteral("%1 has a fractional part: only whole numbers have prime factors.").arg(n)},
              {}};
    case Outcome::Neutral:
      return {QStringLiteral("The neutral number"),
              {QStringLiteral("1 is no prime and has no prime factors: it is the product of none, the "
                              "neutral element of multiplication.")},
              {}};
    case Outcome::Two:
      return {
          QStringLiteral("The first prime"), {QStringLiteral("2 is divisible only by 1 and by itself.")}, {}};
    case Outcome::Prime:
    case Outcome::Factorised: break;
  }
  return {};
}

Working stoppedWorking(const QString& row, const QString& why) {
  Working working{QStringLiteral("Prime factors, row \"%1\"").arg(row), {}, true};
  working.steps.append({QStringLiteral("No working for this row"), {why}, {}});
  return working;
}

}  // namespace

Working FactorWorking(const Factoriser& factoriser, double n) {
  FactorTrace trace;
  const QString row = factoriser.rowFor(n, &trace);
  Working working{QStringLiteral("Prime factors of %1").arg(text(n)), {}, false};
  const bool divided = trace.outcome == FactorTrace::Outcome::Factorised;
  if (divided || trace.outcome == FactorTrace::Outcome::Prime) {
    QStringList lines = divisionLines(trace);
    if (lines.isEmpty()) lines.append(QStringLiteral("No prime divides %1.").arg(text(n)));
    working.steps.append(
        {QStringLiteral("Trial division by the primes in turn, each as often as it divides"), lines, {}});
    working.steps.append(
        {QStringLiteral("Where the division stopped"), stopLines(trace, factoriser.table()), {}});
  } else {
    working.steps.append(reasonStep(trace, factoriser.table()));
  }
  Step result{QStringLiteral("Result"), {}, {}};
  if (divided) result.lines.append(QStringLiteral("%1 = %2").arg(text(n), productWithPowers(trace)));
  result.lines.append(row);
  working.steps.append(result);
  return working;
}

Working FactorWorkingForRow(const Factoriser& factoriser, const QString& row) {
  const qsizetype equals = row.indexOf(u'=');
  if (equals < 0)
    return stoppedWorking(row, QStringLiteral("The row holds no \"=\": it is no result of a factorisation."));
  double n = 0;
  try {
    n = TextToNumber(row.left(equals));
  } catch (const RuntimeError& e) {
    return stoppedWorking(row, QStringLiteral("Its number cannot be read: %1.").arg(e.name()));
  }
  Working working = FactorWorking(factoriser, n);
  const QString made = working.steps.last().lines.last();
  // Blanks at the end of a row may not survive a file made elsewhere.
  if (made.trimmed() != row.trimmed()) {
    return stoppedWorking(row,
                          QStringLiteral("The factorisation of %1 gives \"%2\", not this row: the row was "
                                         "changed after it was made.")
                              .arg(text(n), made));
  }
  return working;
}

}  // namespace veltrano::factors
