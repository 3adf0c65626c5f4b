#include "factors/factoriser.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

#include "common/testing/printers.h"
#include "factors/tests/table_files.h"

using namespace veltrano;
using namespace veltrano::factors;

namespace {

class FactoriserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    QFile file(factors::testing::builtTablePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    table_ = std::make_unique<PrimeTable>(PrimeTable::fromBytes(file.readAll(), file.fileName()));
  }
  static void TearDownTestSuite() { table_.reset(); }

  static QString row(double n) { return Factoriser(*table_).rowFor(n); }

  static std::unique_ptr<PrimeTable> table_;
};

std::unique_ptr<PrimeTable> FactoriserTest::table_;

QString repeated(const QString& factor, int times) {
  QString text;
  for (int i = 0; i < times; ++i) text += factor + QStringLiteral("  ");
  return text;
}

TEST_F(FactoriserTest, ShortRowsOutsideTheFactorisableRange) {
  const struct {
    double n;
    const char* row;
  } cases[] = {
      {0, "0= ILLEGAL"},
      {0.5, "0.5= ILLEGAL"},
      {-5, "-5= ILLEGAL"},
      {1, "1= NEUTRAL"},
      {2, "2= PRIME"},
      {1689550229930.0, "1689550229930= TOO LARGE"},
      {1e20, "1E+20= TOO LARGE"},
      {-1e20, "-1E+20= ILLEGAL"},
  };
  for (const auto& c : cases) EXPECT_EQ(row(c.n), QString::fromLatin1(c.row)) << c.n;
}

// Trial division finds no divisor of 1.5 and would call it prime; a number
// with a fractional part is no candidate at all.
TEST_F(FactoriserTest, NumberWithFractionIsIllegalNotPrime) {
  EXPECT_EQ(row(1.5), "1.5= ILLEGAL");
  EXPECT_EQ(row(12.25), "12.25= ILLEGAL");
  EXPECT_EQ(row(1689550229928.5), "1689550229928.5= ILLEGAL");
}

TEST_F(FactoriserTest, FactorsInIncreasingOrderEachFollowedByTwoBlanks) {
  const struct {
    double n;
    const char* row;
  } cases[] = {
      {3, "3= PRIME"},
      {97, "97= PRIME"},
      {4, "4= 2  2  "},
      {8, "8= 2  2  2  "},
      {49, "49= 7  7  "},
      {6, "6= 2  3"},
      {12, "12= 2  2  3"},
      {15, "15= 3  5"},
      {360, "360= 2  2  2  3  3  5"},
      {1001, "1001= 7  11  13"},
      {1024, "1024= 2  2  2  2  2  2  2  2  2  2  "},
      // The last factor is above the square-root bound: no blanks after it.
      {2599654, "2599654= 2  1299827"},
      {1689542430967.0, "1689542430967= 1299821  1299827"},
      // The largest number the table can factorise and the primes below it.
      {1689550229929.0, "1689550229929= 1299827  1299827  "},
      {1689550229903.0, "1689550229903= PRIME"},
      {1689550229891.0, "1689550229891= PRIME"},
      {1299827, "1299827= PRIME"},
  };
  for (const auto& c : cases) EXPECT_EQ(row(c.n), QString::fromLatin1(c.row)) << c.n;
}

TEST_F(FactoriserTest, ManyRepeatedFactorsOfLargeNumbers) {
  EXPECT_EQ(row(1099511627776.0), "1099511627776= " + repeated("2", 40));
  EXPECT_EQ(row(1e12), "1000000000000= " + repeated("2", 12) + repeated("5", 11) + "5  ");
  // 3^25 = 847288609443
  EXPECT_EQ(row(847288609443.0), "847288609443= " + repeated("3", 25));
}

TEST_F(FactoriserTest, LargestIsTheLastPrimeSquared) {
  EXPECT_EQ(Factoriser(*table_).largest(), 1689550229929.0);
}

}  // namespace
