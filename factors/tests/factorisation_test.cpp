#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/runtime_error.h"
#include "common/testing/printers.h"
#include "factors/factoriser.h"
#include "factors/prime_table.h"

using namespace veltrano;
using namespace veltrano::factors;

namespace {

// The table file the build writes beside the test executable.
QByteArray builtTable() {
  QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(PrimeTable::FileName));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the build wrote no table";
  return file.readAll();
}

// The error a load raises; a load that succeeds fails the test.
template <typename Load>
RuntimeError errorOf(Load load) {
  try {
    load();
  } catch (const RuntimeError& e) {
    return e;
  }
  ADD_FAILURE() << "the table loaded";
  return RuntimeError(ErrorNumber::InvalidCall);
}

TEST(PrimeTable, BuiltFileAndEveryLayoutOfTheFieldRulesLoad) {
  const QByteArray built = builtTable();
  EXPECT_TRUE(built.startsWith("2\r\n3\r\n5\r\n7\r\n11\r\n") && built.endsWith("\r\n1299827\r\n"));
  EXPECT_EQ(built.count("\r\n"), PrimeTable::TableSize);
  const QByteArray layouts[] = {built, " " + QByteArray(built).replace("\r\n", " \r\n\t "),
                                built + "1299833\r\nabc\r\n-5", QByteArray(built).replace("\r\n", ",")};
  // The load checks that the entries rise from 2, so the last one shows the whole table came in.
  for (const QByteArray& bytes : layouts)
    EXPECT_EQ(PrimeTable::fromBytes(bytes, "P100008.txt").last(), 1299827);
}

// A table that loaded anyway would divide by zero or give wrong factors.
TEST(PrimeTable, ShortOrDamagedTableNamesTheFileAndThePlace) {
  const QByteArray built = builtTable();
  const std::tuple<QByteArray, ErrorNumber, const char*> cases[] = {
      {built.chopped(9), ErrorNumber::InputPastEndOfFile, "holds 100007 numbers"},
      {QByteArray(built).replace("\n5\r", "\n\r"), ErrorNumber::TypeMismatch, "number 3 of the table is 0"},
      {QByteArray(built).replace("\n29\r", "\n4\r"), ErrorNumber::TypeMismatch, "number 10 "},
      {QByteArray(built).replace("\n13\r", "\n2147483648\r"), ErrorNumber::Overflow, "number 6 "},
  };
  for (const auto& [damaged, number, told] : cases) {
    const QByteArray& bytes = damaged;  // a lambda may not capture a structured binding in clang 14
    const RuntimeError error = errorOf([&] { PrimeTable::fromBytes(bytes, "/data/P100008.txt"); });
    EXPECT_EQ(error.number(), number) << told;
    EXPECT_TRUE(error.message().contains("/data/P100008.txt") && error.message().contains(told))
        << error.message().toStdString();
  }
}

TEST(PrimeTable, LooksInTheCurrentDirectoryThenBesideTheProgram) {
  QTemporaryDir cwd, program;
  const QString before = QDir::currentPath(), here = QDir(cwd.path()).canonicalPath();
  QDir::setCurrent(here);
  auto put = [](const QTemporaryDir& folder, const QByteArray& bytes) {
    QFile file(folder.filePath(PrimeTable::FileName));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  };
  const RuntimeError missing = errorOf([&] { PrimeTable::load(program.path()); });
  EXPECT_EQ(missing.number(), ErrorNumber::FileNotFound);
  EXPECT_TRUE(
      missing.message().contains("P100008.txt was looked for in " + here + "\nand in " + program.path()));
  put(program, builtTable());
  EXPECT_EQ(PrimeTable::load(program.path()).last(), 1299827);
  put(cwd, "2\r\n3\r\n");
  EXPECT_TRUE(errorOf([&] { PrimeTable::load(program.path()); }).message().contains(here + "/P100008.txt"));
  QDir::setCurrent(before);
}

// Each row starts with its number. A fraction is no prime, though trial
// division finds no divisor of 1.5. A last factor above the square-root bound
// has no blanks after it. The last prime squared is the largest number the
// table can factorise; the primes just under it need the whole table.
TEST(Factoriser, RowsForTheWholeRange) {
  const PrimeTable table = PrimeTable::fromBytes(builtTable(), PrimeTable::FileName);
  const QStringList groups[] = {
      {"0= ILLEGAL", "-5= ILLEGAL", "0.5= ILLEGAL", "1.5= ILLEGAL", "1689550229928.5= ILLEGAL", "1= NEUTRAL"},
      {"2= PRIME", "3= PRIME", "97= PRIME", "1299827= PRIME", "1689550229903= PRIME"},
      {"4= 2  2  ", "8= 2  2  2  ", "49= 7  7  ", "6= 2  3", "12= 2  2  3", "15= 3  5",
       "360= 2  2  2  3  3  5"},
      {"2599654= 2  1299827", "1689542430967= 1299821  1299827", "1689550229929= 1299827  1299827  "},
      {"1689550229930= TOO LARGE", "1E+20= TOO LARGE"}};
  for (const QStringList& rows : groups) {
    for (const QString& row : rows)
      EXPECT_EQ(Factoriser(table).rowFor(row.section(u'=', 0, 0).toDouble()), row);
  }
}

}  // namespace
