#include "factors/prime_table.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "common/runtime_error.h"
#include "common/testing/printers.h"
#include "factors/tests/table_files.h"

using namespace veltrano;
using namespace veltrano::factors;
using namespace veltrano::factors::testing;

namespace {

RuntimeError loadError(const QByteArray& bytes) {
  try {
    PrimeTable::fromBytes(bytes, QStringLiteral("/data/P100008.txt"));
  } catch (const RuntimeError& e) {
    return e;
  }
  ADD_FAILURE() << "the table loaded";
  return RuntimeError(ErrorNumber::InvalidCall);
}

TEST(PrimeTable, BuiltFileHoldsTheFirstPrimesInCrLfLines) {
  QFile file(builtTablePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the build wrote no " << builtTablePath().toStdString();
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("2\r\n3\r\n5\r\n7\r\n11\r\n"));
  EXPECT_TRUE(bytes.endsWith("\r\n1299817\r\n1299821\r\n1299827\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), PrimeTable::TableSize);
}

// Every layout that the worksheet field rules accept gives the same table.
TEST(PrimeTable, LoadsEveryLayoutOfTheFieldRules) {
  const QList<QByteArray> numbers = builtTableNumbers();
  const QList<QByteArray> extra = numbers + QList<QByteArray>{"1299833", "abc", "", "-5"};
  const struct {
    const char* layout;
    QByteArray bytes;
  } cases[] = {
      {"as built", tableText(numbers, "", "\r\n")},
      {"blanks around each number", tableText(numbers, " ", " \r\n")},
      {"tabs and blanks around", tableText(numbers, "\t  ", "   \r\n")},
      {"extra numbers and junk after the last", tableText(extra, "", "\r\n")},
      {"commas", tableText(numbers, "", ",")},
      {"LF line ends, none after the last", tableText(numbers, "", "\n").chopped(1)},
      {"quoted numbers", tableText(numbers, "\"", "\"\r\n")},
      {"numbers with a point", tableText(numbers, "", ".0\r\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    const PrimeTable table = PrimeTable::fromBytes(c.bytes, QStringLiteral("P100008.txt"));
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 2);
    EXPECT_EQ(table[50000], 611953);
    EXPECT_EQ(table.last(), 1299827);
  }
}

// A short or damaged table stops the load and says where: a table that
// loaded anyway would divide by zero or give wrong factors.
TEST(PrimeTable, ShortOrDamagedTableNamesTheFileAndThePlace) {
  const struct {
    const char* damage;
    int index;  // the entry replaced; 0 drops the last one
    QByteArray replacement;
    ErrorNumber error;
    const char* told;
  } cases[] = {
      {"one number short", 0, "", ErrorNumber::InputPastEndOfFile, "holds 100007 numbers"},
      {"letters", 5, "abc", ErrorNumber::TypeMismatch, "number 5 of the table is \"abc\""},
      {"digits then letters", 7, "17x", ErrorNumber::TypeMismatch, "number 7 "},
      {"beyond 32 bits", 100, "2147483648", ErrorNumber::Overflow, "number 100 "},
      {"an empty line", 3, "", ErrorNumber::TypeMismatch, "number 3 of the table is 0"},
      {"out of order", 10, "4", ErrorNumber::TypeMismatch, "number 10 "},
      {"one for two", 1, "1", ErrorNumber::TypeMismatch, "number 1 "},
      {"last prime repeated", 100008, "1299821", ErrorNumber::TypeMismatch, "number 100008 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.damage);
    QList<QByteArray> numbers = builtTableNumbers();
    if (c.index == 0) {
      numbers.removeLast();
    } else {
      numbers[c.index - 1] = c.replacement;
    }
    const RuntimeError error = loadError(tableText(numbers, "", "\r\n"));
    EXPECT_EQ(error.number(), c.error);
    EXPECT_TRUE(error.message().contains("/data/P100008.txt")) << error.message().toStdString();
    EXPECT_TRUE(error.message().contains(c.told)) << error.message().toStdString();
  }
}

// The current directory first, then the program's folder.
TEST(PrimeTable, LooksInTheCurrentDirectoryThenBesideTheProgram) {
  QTemporaryDir cwd, program;
  const QString cwdPath = QDir(cwd.path()).canonicalPath();
  CurrentDirectory here(cwdPath);
  auto put = [](const QTemporaryDir& folder, const QByteArray& bytes) {
    QFile file(folder.filePath("P100008.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  auto errorOfLoad = [&]() -> RuntimeError {
    try {
      PrimeTable::load(program.path());
    } catch (const RuntimeError& e) {
      return e;
    }
    return RuntimeError(ErrorNumber::InvalidCall);
  };

  const RuntimeError missing = errorOfLoad();
  EXPECT_EQ(missing.number(), ErrorNumber::FileNotFound);
  EXPECT_TRUE(
      missing.message().contains("P100008.txt was looked for in " + cwdPath + "\nand in " + program.path()))
      << missing.message().toStdString();

  put(program, tableText(builtTableNumbers(), "", "\r\n"));
  EXPECT_EQ(PrimeTable::load(program.path()).last(), 1299827);

  put(cwd, "2\r\n3\r\n");
  const RuntimeError shortHere = errorOfLoad();
  EXPECT_EQ(shortHere.number(), ErrorNumber::InputPastEndOfFile);
  EXPECT_TRUE(shortHere.message().contains(cwdPath + "/P100008.txt")) << shortHere.message().toStdString();
}

}  // namespace
