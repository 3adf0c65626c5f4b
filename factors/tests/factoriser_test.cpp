#include "factors/factoriser.h"

#include <gtest/gtest.h>
#include <QFile>
#include <memory>

#include "common/testing/printers.h"
#include "factors/tests/table_files.h"

using namespace veltrano;
using namespace veltrano::factors;

namespace {

QString repeated(const char* factor, int times) {
  return QString(QString::fromLatin1(factor) + "  ").repeated(times);
}

TEST(Factoriser, RowsForTheWholeRange) {
  QFile file(factors::testing::builtTablePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const PrimeTable table = PrimeTable::fromBytes(file.readAll(), file.fileName());
  const Factoriser factoriser(table);
  const struct {
    double n;
    QString row;
  } cases[] = {
      {0, "0= ILLEGAL"},
      {-5, "-5= ILLEGAL"},
      {0.5, "0.5= ILLEGAL"},
      // Trial division finds no divisor of 1.5; a fraction is still no prime.
      {1.5, "1.5= ILLEGAL"},
      {1689550229928.5, "1689550229928.5= ILLEGAL"},
      {1, "1= NEUTRAL"},
      {2, "2= PRIME"},
      {3, "3= PRIME"},
      {97, "97= PRIME"},
      {4, "4= 2  2  "},
      {8, "8= 2  2  2  "},
      {49, "49= 7  7  "},
      {6, "6= 2  3"},
      {12, "12= 2  2  3"},
      {15, "15= 3  5"},
      {360, "360= 2  2  2  3  3  5"},
      {1099511627776.0, "1099511627776= " + repeated("2", 40)},
      {1e12, "1000000000000= " + repeated("2", 12) + repeated("5", 12)},
      // A last factor above the square-root bound has no blanks after it.
      {2599654, "2599654= 2  1299827"},
      {1689542430967.0, "1689542430967= 1299821  1299827"},
      // The last prime of the table squared is the largest number it can
      // factorise; the primes just below it need every prime of the table.
      {1689550229929.0, "1689550229929= 1299827  1299827  "},
      {1689550229903.0, "1689550229903= PRIME"},
      {1299827, "1299827= PRIME"},
      {1689550229930.0, "1689550229930= TOO LARGE"},
      {1e20, "1E+20= TOO LARGE"},
  };
  for (const auto& c : cases) EXPECT_EQ(factoriser.rowFor(c.n), c.row) << c.n;
}

}  // namespace
