#include "factors/factor_working.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>

#include "common/testing/printers.h"
#include "factors/prime_table.h"

using namespace veltrano;
using namespace veltrano::factors;

namespace {

const PrimeTable& table() {
  static const PrimeTable loaded = PrimeTable::load(QCoreApplication::applicationDirPath());
  return loaded;
}

QStringList allLines(const working::Working& working) {
  QStringList lines;
  for (const working::Step& step : working.steps) lines += step.lines;
  return lines;
}

// Each working holds these lines, among others. The divisions, the primes
// tried and the bounds were worked out by hand; the count of primes up to
// 1151 (190) and the first prime above √1299827 ≈ 1140.1 (1151) with
// sympy's primepi and nextprime.
TEST(FactorWorking, DivisionsPrimesTriedAndWhyItStopped) {
  const struct {
    double n;
    QStringList lines;
  } cases[] = {
      {360,
       {"360 ÷ 2 = 180,  180 ÷ 2 = 90,  90 ÷ 2 = 45", "45 ÷ 3 = 15,  15 ÷ 3 = 5", "2 primes tried (2, 3).",
        "So what is left, 5, is prime.", "360 = 2³ · 3² · 5", "360= 2  2  2  3  3  5"}},
      {49,
       {"49 ÷ 7 = 7,  7 ÷ 7 = 1", "4 primes tried (2, 3, 5, 7).",
        "Nothing is left (1): every prime factor has been divided out.", "49 = 7²"}},
      {6,
       {"6 ÷ 2 = 3", "1 prime tried (2).",
        "2 does not divide 3, and 2 · 2 = 4 > 3: a number that is not prime has a prime factor no greater "
        "than its square root (√3 ≈ 1.73), and none divides 3.",
        "So what is left, 3, is prime.", "6 = 2 · 3"}},
      {97,
       {"No prime divides 97.", "5 primes tried (2, 3, 5, 7, 11).", "So the number, 97, is prime.",
        "97= PRIME"}},
      {1024, {"1024 = 2¹⁰"}},
      {2599654, {"2599654 ÷ 2 = 1299827", "190 primes tried, from 2 to 1151.", "2599654 = 2 · 1299827"}},
      {1689550229903, {"100008 primes tried, from 2 to 1299827."}},
      {1689550229929, {"1689550229929 = 1299827²"}},
      {1e20, {"1E+20 > 1689550229929", "1E+20= TOO LARGE"}},
      {0, {"Prime factors belong to whole numbers from 1 up: 0 < 1.", "0= ILLEGAL"}},
      {1.5, {"1.5 has a fractional part: only whole numbers have prime factors.", "1.5= ILLEGAL"}},
      {1, {"1= NEUTRAL"}},
      {2, {"2 is divisible only by 1 and by itself.", "2= PRIME"}},
  };
  for (const auto& c : cases) {
    const working::Working working = FactorWorking(Factoriser(table()), c.n);
    const QStringList lines = allLines(working);
    for (const QString& line : c.lines)
      EXPECT_TRUE(lines.contains(line)) << c.n << ": " << line.toStdString();
    EXPECT_FALSE(working.stopped);
  }
}

// A row read back from a file gets its working; a row that its number does
// not give, or whose number cannot be read, gets one that stops and says why.
TEST(FactorWorking, RowsReadBackOrRefused) {
  const Factoriser factoriser(table());
  const working::Working fromFile = FactorWorkingForRow(factoriser, "8= 2  2  2");  // end blanks lost
  EXPECT_FALSE(fromFile.stopped);
  EXPECT_EQ(fromFile.steps.last().lines.first(), "8 = 2³");
  const std::pair<const char*, const char*> refused[] = {
      {"360= 2  2  2  3  3  7", "The factorisation of 360 gives \"360= 2  2  2  3  3  5\", not this row"},
      {"1E+400= TOO LARGE", "Its number cannot be read: Overflow."},
      {"no number", "The row holds no \"=\""},
  };
  for (const auto& [row, why] : refused) {
    const working::Working working = FactorWorkingForRow(factoriser, row);
    EXPECT_TRUE(working.stopped) << row;
    EXPECT_TRUE(working.steps.last().lines.join(' ').contains(why))
        << working.steps.last().lines.join(' ').toStdString();
  }
}

}  // namespace
