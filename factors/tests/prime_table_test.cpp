#include "factors/prime_table.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/runtime_error.h"
#include "common/testing/printers.h"
#include "factors/tests/table_files.h"

using namespace veltrano;
using namespace veltrano::factors;
using namespace veltrano::factors::testing;

namespace {

QByteArray standardTable() { return tableText(builtTableNumbers(), "", "\r\n"); }

RuntimeError loadError(const QByteArray& bytes) {
  try {
    PrimeTable::fromBytes(bytes, QStringLiteral("/data/P100008.txt"));
  } catch (const RuntimeError& e) {
    return e;
  }
  ADD_FAILURE() << "the table loaded";
  return RuntimeError(ErrorNumber::InvalidCall);
}

TEST(BuiltTable, HoldsTheFirstPrimesInCrLfLines) {
  QFile file(builtTablePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the build did not write " << builtTablePath().toStdString();
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("2\r\n3\r\n5\r\n7\r\n11\r\n"));
  EXPECT_TRUE(bytes.endsWith("\r\n1299811\r\n1299817\r\n1299821\r\n1299827\r\n"));
  EXPECT_EQ(bytes.count('\n'), PrimeTable::TableSize);
  EXPECT_EQ(bytes.count('\r'), PrimeTable::TableSize);
}

TEST(PrimeTableLoad, ReadsEveryEntryWithEntryZeroUnused) {
  const PrimeTable table = PrimeTable::fromBytes(standardTable(), QStringLiteral("P100008.txt"));
  EXPECT_EQ(table[0], 0);
  EXPECT_EQ(table[1], 2);
  EXPECT_EQ(table[2], 3);
  EXPECT_EQ(table[3], 5);
  EXPECT_EQ(table[1000], 7919);
  EXPECT_EQ(table[PrimeTable::TableSize], 1299827);
  EXPECT_EQ(table.last(), 1299827);
}

// Every layout that the worksheet field rules accept gives the same table.
TEST(PrimeTableLoad, AcceptsEveryLayoutOfTheFieldRules) {
  const QList<QByteArray> numbers = builtTableNumbers();
  QList<QByteArray> withExtra = numbers;
  withExtra << "1299833" << "abc" << "" << "-5";
  const struct {
    const char* layout;
    QByteArray bytes;
  } cases[] = {
      {"blanks around each number", tableText(numbers, " ", " \r\n")},
      {"tabs and blanks before, blanks after", tableText(numbers, "\t  ", "   \r\n")},
      {"extra numbers and junk after the last", tableText(withExtra, "", "\r\n")},
      {"commas between numbers", tableText(numbers, "", ",")},
      {"LF line ends", tableText(numbers, "", "\n")},
      {"no line end after the last", tableText(numbers, "", "\r\n").chopped(2)},
      {"numbers in quotes", tableText(numbers, "\"", "\"\r\n")},
      {"a whole number written with a point", tableText(numbers, "", ".0\r\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    const PrimeTable table = PrimeTable::fromBytes(c.bytes, QStringLiteral("P100008.txt"));
    EXPECT_EQ(table[1], 2);
    EXPECT_EQ(table[50000], 611953);
    EXPECT_EQ(table.last(), 1299827);
  }
}

TEST(PrimeTableLoad, ShortTableNamesTheFileAndTheCount) {
  QList<QByteArray> numbers = builtTableNumbers();
  numbers.removeLast();
  const RuntimeError error = loadError(tableText(numbers, "", "\r\n"));
  EXPECT_EQ(error.number(), ErrorNumber::InputPastEndOfFile);
  EXPECT_TRUE(error.message().contains("/data/P100008.txt")) << error.message().toStdString();
  EXPECT_TRUE(error.message().contains("100007")) << error.message().toStdString();

  EXPECT_EQ(loadError(QByteArray()).number(), ErrorNumber::InputPastEndOfFile);
}

// A damaged entry stops the load with the entry's place in the file; a table
// that loaded with it would divide by zero or give wrong factors.
TEST(PrimeTableLoad, DamagedEntryNamesItsPlace) {
  const struct {
    const char* damage;
    int index;
    QByteArray replacement;
    ErrorNumber error;
  } cases[] = {
      {"letters", 5, "abc", ErrorNumber::TypeMismatch},
      {"digits then letters", 7, "17x", ErrorNumber::TypeMismatch},
      {"beyond 32 bits", 100, "99999999999", ErrorNumber::Overflow},
      {"just beyond 32 bits", 100, "2147483648", ErrorNumber::Overflow},
      {"an empty line (reads as 0)", 3, "", ErrorNumber::TypeMismatch},
      {"out of order", 10, "4", ErrorNumber::TypeMismatch},
      {"negative", 1, "-2", ErrorNumber::TypeMismatch},
      {"one instead of two", 1, "1", ErrorNumber::TypeMismatch},
      {"repeated prime", 100008, "1299821", ErrorNumber::TypeMismatch},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.damage);
    QList<QByteArray> numbers = builtTableNumbers();
    numbers[c.index - 1] = c.replacement;
    QByteArray bytes;
    for (const QByteArray& n : numbers) bytes += n + "\r\n";
    const RuntimeError error = loadError(bytes);
    EXPECT_EQ(error.number(), c.error);
    EXPECT_TRUE(error.message().contains("/data/P100008.txt")) << error.message().toStdString();
    EXPECT_TRUE(error.message().contains(QStringLiteral("number %1 ").arg(c.index))) << error.message().toStdString();
  }
}

class PrimeTablePlaces : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cwd_.isValid() && program_.isValid()); }
  void put(const QTemporaryDir& folder, const QByteArray& bytes) {
    QFile file(folder.filePath("P100008.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QTemporaryDir cwd_;
  QTemporaryDir program_;
};

TEST_F(PrimeTablePlaces, MissingFromBothNamesTheFileAndBothPlaces) {
  CurrentDirectory here(cwd_.path());
  try {
    PrimeTable::load(program_.path());
    FAIL() << "the table loaded";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ErrorNumber::FileNotFound);
    EXPECT_TRUE(e.message().contains("P100008.txt")) << e.message().toStdString();
    EXPECT_TRUE(e.message().contains(QDir(cwd_.path()).canonicalPath())) << e.message().toStdString();
    EXPECT_TRUE(e.message().contains(program_.path())) << e.message().toStdString();
  }
}

TEST_F(PrimeTablePlaces, ProgramFolderServesWhenTheCurrentDirectoryHasNone) {
  put(program_, standardTable());
  CurrentDirectory here(cwd_.path());
  EXPECT_EQ(PrimeTable::load(program_.path()).last(), 1299827);
}

TEST_F(PrimeTablePlaces, CurrentDirectoryComesFirst) {
  put(program_, standardTable());
  put(cwd_, "2\r\n3\r\n");
  CurrentDirectory here(cwd_.path());
  try {
    PrimeTable::load(program_.path());
    FAIL() << "the short table in the current directory was passed over";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ErrorNumber::InputPastEndOfFile);
    EXPECT_TRUE(e.message().contains(QDir(cwd_.path()).canonicalPath())) << e.message().toStdString();
  }
}

}  // namespace
