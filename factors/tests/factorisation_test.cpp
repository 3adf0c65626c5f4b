#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/input_notes.h"
#include "common/runtime_error.h"
#include "common/testing/printers.h"
#include "common/testing/raised_error.h"
#include "common/worksheet_file.h"
#include "factors/factor_working.h"
#include "factors/factoriser.h"
#include "factors/factors_file.h"
#include "factors/prime_table.h"

using namespace veltrano;
using namespace veltrano::factors;
using veltrano::testing::raisedError;

namespace {

// The table file the build writes beside the test executable.
QString builtPath() { return QDir(QCoreApplication::applicationDirPath()).filePath(PrimeTable::FileName); }
QByteArray builtTable() {
  QFile file(builtPath());
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the build wrote no table";
  return file.readAll();
}

// Only the exact primes load: a short table would divide by zero, and one
// that leaves out a prime, repeats one or holds a number that is none would
// give wrong factors ("49= PRIME" without 7). The first wrong entry is named.
TEST(PrimeTable, LoadsEveryLayoutOfTheFieldsAndRefusesDamage) {
  const QByteArray built = builtTable();
  for (const QByteArray& bytes : {built, " " + QByteArray(built).replace("\r\n", " \r\n\t "),
                                  built + "1299833\r\nabc\r\n-5", QByteArray(built).replace("\r\n", ",")})
    EXPECT_EQ(PrimeTable::fromBytes(bytes, "P100008.txt").last(), 1299827);
  const std::tuple<QByteArray, ErrorNumber, const char*> damaged[] = {
      {built.chopped(9), ErrorNumber::InputPastEndOfFile, "holds 100007 numbers"},
      {QByteArray(built).replace("\n5\r", "\n\r"), ErrorNumber::TypeMismatch, "number 3 of the table is 0"},
      {QByteArray(built).replace("\n13\r", "\n2147483648\r"), ErrorNumber::Overflow, "number 6 "},
      {QByteArray(built).replace("\n7\r", "\n5\r"), ErrorNumber::TypeMismatch, "number 4 of the table is 5"},
      {QByteArray(built).replace("\n7\r\n", "\n") + "1299833\r\n", ErrorNumber::TypeMismatch,
       "number 4 of the table is 11, where the prime 7 belongs"},
      {QByteArray(built).replace("\n1299827\r", "\n1299829\r"), ErrorNumber::TypeMismatch,
       "number 100008 of the table is 1299829, where the prime 1299827 belongs"}};
  for (const auto& [table, number, told] : damaged) {
    const QByteArray& bytes = table;  // a lambda may not capture a structured binding in clang 14
    const RuntimeError error = raisedError([&] { PrimeTable::fromBytes(bytes, "/data/P100008.txt"); });
    EXPECT_EQ(error.number(), number) << told;
    EXPECT_TRUE(error.message().contains("/data/P100008.txt\n") && error.message().contains(told));
  }
}

// A program folder that cannot be searched (here a link to itself, which
// stops the administrator too) hides its table: the error says why, not
// that the table is nowhere.
TEST(PrimeTable, AProgramFolderThatCannotBeSearchedIsNamedWithTheCause) {
  const QTemporaryDir folder;
  const QString loop = folder.filePath("share");
  ASSERT_TRUE(QFile::link("share", loop));
  const QString before = QDir::currentPath();
  QDir::setCurrent(folder.path());
  const RuntimeError error = raisedError([&] { PrimeTable::load(loop); });
  QDir::setCurrent(before);
  EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
  EXPECT_EQ(error.path(), loop + "/P100008.txt");
  EXPECT_EQ(error.cause(), "Too many levels of symbolic links");
}

// A fraction is no prime, though trial division finds no divisor of 1.5. A
// last factor above the square-root bound has no blanks after it. The last
// prime squared is the largest number the table can factorise.
TEST(Factoriser, RowsForTheWholeRange) {
  const PrimeTable table = PrimeTable::fromBytes(builtTable(), PrimeTable::FileName);
  for (const char* row :
       {"0= ILLEGAL", "-5= ILLEGAL", "1.5= ILLEGAL", "1= NEUTRAL", "1689550229930= TOO LARGE", "2= PRIME",
        "1299827= PRIME", "1689550229903= PRIME", "49= 7  7  ", "6= 2  3", "360= 2  2  2  3  3  5",
        "2599654= 2  1299827", "1689542430967= 1299821  1299827", "1689550229929= 1299827  1299827  ",
        "1E+20= TOO LARGE"}) {
    const double n = QString(row).section(u'=', 0, 0).toDouble();
    EXPECT_EQ(Factoriser(table).rowFor(n), row);
    // The working ends in the very row, drawn from the same factorisation.
    EXPECT_EQ(FactorWorking(Factoriser(table), n).steps.last().lines.last(), row);
    // Every row a factorisation writes is one of this window's files; another
    // worksheet's row is a sign of another's file.
    WorksheetWriter file;
    file.numberLine(1);
    file.textLine(row);
    WorksheetReader own(file.bytes());
    readFactorsFile(own);
    EXPECT_EQ(own.misfit(), "") << row;
  }
  for (const char* foreign : {"#FF (BASE16) = 255", "4", "360 = 2  2", "6= 2  3x", "= PRIME"}) {
    WorksheetReader other(QByteArray(" 2 \r\n6= 2  3\r\n") + foreign + "\r\n");
    readFactorsFile(other);
    EXPECT_EQ(other.misfit(),
              QStringLiteral("line 3: %1 is no row of prime factors").arg(QuotedExcerpt(foreign)));
  }
}

// Only a number beyond the table gets a note; the largest it factorises does not.
TEST(Factoriser, NotesOnlyANumberTooLargeForTheTable) {
  const PrimeTable table = PrimeTable::fromBytes(builtTable(), PrimeTable::FileName);
  const QString tooLarge =
      "Numbers above 1689550229929 are too large for the prime table (the square of its largest prime)";
  const struct {
    double n;
    QString note;
  } cases[] = {{1e20, tooLarge}, {1689550229930.0, tooLarge}, {1689550229929.0, ""}, {0, ""}, {1.5, ""}};
  for (const auto& c : cases) EXPECT_EQ(Factoriser(table).noteFor(c.n), c.note) << c.n;
}

}  // namespace
