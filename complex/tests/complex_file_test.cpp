#include "complex/complex_file.h"

#include <gtest/gtest.h>

#include "common/runtime_error.h"
#include "common/testing/printers.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using namespace veltrano::complex;

namespace {

// Inputs, results Sum to XtoN in file order, and rows.
const ComplexContents kSample = {
    {"3", "-4", "1", "2", "3"}, {"S", "D", "P", "Q", "Y", "E", "L", "8,3.1", "X"}, {"r1", "r2", "r3"}};

TEST(ComplexFileTest, FieldsWithCommasReadBackUnchangedAndAShortFileRaises) {
  // A comma typed into a field would otherwise split its line into two
  // fields and shift everything after it. A double quote cannot stand
  // inside quotes: it is kept as an apostrophe.
  const ComplexContents needCare = {{"3,5", " 2", "1e3", "-0", "1,\"2"}, {}, {}};
  WorksheetWriter file, whole;
  writeComplexFile(needCare, file);
  EXPECT_TRUE(file.bytes().startsWith("\"3,5\"\r\n\" 2\"\r\n1e3\r\n-0\r\n\"1,'2\"\r\n\r\n"));
  WorksheetReader back(file.bytes());
  const ComplexContents read = readComplexFile(back);
  EXPECT_EQ(read.inputs, (std::array<QString, 5>{"3,5", " 2", "1e3", "-0", "1,'2"}));
  EXPECT_EQ(read.results, needCare.results);
  writeComplexFile(kSample, whole);
  WorksheetReader rowShort(whole.bytes().chopped(4));
  EXPECT_THROW(readComplexFile(rowShort), RuntimeError);
}

TEST(ComplexPrintTest, PageDependsOnTheTaskGroup) {
  const QString x = "x = 3 + -4 * i";
  const QStringList lastThree = {"Exp(x) = E", "Log(x) = L", "Polar form of x = 8,3.1"};
  const QStringList twoNumbers = {x,           "y = 1 + 2 * i", "",          "x + y = S",
                                  "x - y = D", "x * y = P",     "x / y = Q", "y ^ x = Y"};
  const QStringList power = {x, "n = 3", "", "x ^ n = X", "nth roots of x:", "r1", "r2", "r3"};
  const QStringList pages[] = {twoNumbers, {x, ""}, power};  // tasks 0-4, 5-7, 8-9
  for (int task = 0; task <= 9; ++task) {
    EXPECT_EQ(complexPrintedLines(kSample, task), pages[(task > 4) + (task > 7)] + lastThree) << task;
  }
}

}  // namespace
