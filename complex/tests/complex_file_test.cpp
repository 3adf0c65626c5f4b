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
ComplexContents sample() {
  return {{"3", "-4", "1", "2", "3"}, {"S", "D", "P", "Q", "Y", "E", "L", "8,3.1", "X"}, {"r1", "r2", "r3"}};
}

TEST(ComplexFileTest, WhatIsWrittenReadsBackUnchanged) {
  // A comma typed into a field would otherwise split its line into two
  // fields and shift everything after it.
  const ComplexContents needCare = {{"3,5", " 2", "1e3", "-0", "abc"}, {}, {}};
  for (const ComplexContents& contents : {ComplexContents{}, sample(), needCare}) {
    const ComplexContents back = read(written(contents));
    EXPECT_EQ(back.inputs, contents.inputs);
    EXPECT_EQ(back.results, contents.results);
    EXPECT_EQ(back.roots, contents.roots);
  }
  EXPECT_TRUE(written(needCare).startsWith("\"3,5\"\r\n\" 2\"\r\n1e3\r\n"));
}

TEST(ComplexFileTest, ShortOrBrokenFilesRaiseARunTimeError) {
  const QByteArray whole = written(sample());
  const QByteArray noCount = QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\n";
  const struct {
    QByteArray bytes;
    ErrorNumber error;
  } cases[] = {{"", ErrorNumber::InputPastEndOfFile},
               {noCount, ErrorNumber::InputPastEndOfFile},
               {whole.left(whole.size() - 4), ErrorNumber::InputPastEndOfFile},  // a row short
               {noCount + "three\r\n", ErrorNumber::TypeMismatch}};
  for (const auto& c : cases) {
    try {
      read(c.bytes);
      ADD_FAILURE() << c.bytes.toStdString() << " was read";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), c.error) << c.bytes.toStdString();
    }
  }
}

TEST(ComplexPrintTest, PageDependsOnTheTaskGroup) {
  const QStringList lastThree = {"Exp(x) = E", "Log(x) = L", "Polar form of x = 8,3.1"};
  for (int task = 0; task <= 9; ++task) {
    QStringList page = {"x = 3 + -4 * i"};
    if (task <= 4)
      page << "y = 1 + 2 * i"
           << ""
           << "x + y = S"
           << "x - y = D"
           << "x * y = P"
           << "x / y = Q"
           << "y ^ x = Y";
    if (task >= 5 && task <= 7) page << "";
    if (task >= 8)
      page << "n = 3"
           << ""
           << "x ^ n = X"
           << "nth roots of x:"
           << "r1"
           << "r2"
           << "r3";
    EXPECT_EQ(complexPrintedLines(sample(), task), page + lastThree) << task;
  }
}

}  // namespace
