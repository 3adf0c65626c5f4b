#include "complex/complex_file.h"

#include <gtest/gtest.h>

#include "common/runtime_error.h"
#include "common/testing/printers.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using namespace veltrano::complex;

namespace {

QByteArray written(const ComplexContents& contents) {
  WorksheetWriter file;
  writeComplexFile(contents, file);
  return file.bytes();
}

ComplexContents read(const QByteArray& bytes) {
  WorksheetReader file(bytes);
  return readComplexFile(file);
}

// Inputs, results Sum to XtoN in file order, and rows.
const ComplexContents kSample = {
    {"3", "-4", "1", "2", "3"}, {"S", "D", "P", "Q", "Y", "E", "L", "8,3.1", "X"}, {"r1", "r2", "r3"}};

TEST(ComplexFileTest, WhatIsWrittenReadsBackUnchangedAndAShortFileRaises) {
  // A comma typed into a field would otherwise split its line into two
  // fields and shift everything after it.
  const ComplexContents needCare = {{"3,5", " 2", "1e3", "-0", "abc"}, {}, {}};
  const QByteArray bytes = written(needCare);
  EXPECT_TRUE(bytes.startsWith("\"3,5\"\r\n\" 2\"\r\n1e3\r\n"));
  EXPECT_EQ(read(bytes).inputs, needCare.inputs);
  const QByteArray whole = written(kSample);
  EXPECT_THROW(read(whole.left(whole.size() - 4)), RuntimeError);  // a row short
}

TEST(ComplexPrintTest, PageDependsOnTheTaskGroup) {
  const QStringList lastThree = {"Exp(x) = E", "Log(x) = L", "Polar form of x = 8,3.1"};
  const QStringList twoNumbers = {"x = 3 + -4 * i", "y = 1 + 2 * i", "",          "x + y = S",
                                  "x - y = D",      "x * y = P",     "x / y = Q", "y ^ x = Y"};
  const QStringList power = {"x = 3 + -4 * i", "n = 3", "", "x ^ n = X", "nth roots of x:", "r1", "r2", "r3"};
  for (int task = 0; task <= 9; ++task) {
    const QStringList page = task <= 4 ? twoNumbers : task <= 7 ? QStringList{"x = 3 + -4 * i", ""} : power;
    EXPECT_EQ(complexPrintedLines(kSample, task), page + lastThree) << task;
  }
}

}  // namespace
