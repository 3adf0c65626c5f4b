#include "complex/complex_file.h"

#include <gtest/gtest.h>

#include "common/runtime_error.h"
#include "common/testing/printers.h"
#include "common/worksheet_file.h"
#include "complex/complex_solver.h"

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

void setResult(ComplexContents& contents, Target target, const QString& text) {
  contents.results[static_cast<std::size_t>(target)] = text;
}

ComplexContents cubeRootsOfMinusEight() {
  ComplexContents contents;
  contents.inputs = {"-8", "", "", "", "3"};
  setResult(contents, Target::XtoN, "-512+1.88079096131566E-13*i");
  setResult(contents, Target::Exp, "3.35462627902512E-04");
  setResult(contents, Target::Log, "2.07944154167984+3.14159265358979*i");
  setResult(contents, Target::Polar, "8,3.14159265358979");
  contents.roots = {"1+1.73205080756888*i", "-2+2.44929359829471E-16*i", "1-1.73205080756888*i"};
  return contents;
}

TEST(ComplexFileTest, EmptyWorksheetGivesTwelveEmptyLinesQuotesEmptyLineAndZeroCount) {
  EXPECT_EQ(written(ComplexContents{}), QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\n 0 \r\n");
}

TEST(ComplexFileTest, LinesInTheirOrderWithThePolarCaptionQuotedAndTheCountAsANumberLine) {
  ComplexContents contents = cubeRootsOfMinusEight();
  contents.inputs = {"3", "4", "1", "-2", ""};
  setResult(contents, Target::Sum, "4+2*i");
  setResult(contents, Target::Difference, "2+6*i");
  setResult(contents, Target::Product, "11-2*i");
  setResult(contents, Target::Quotient, "-1+2*i");
  setResult(contents, Target::YtoX, "y");
  setResult(contents, Target::Exp, "e");
  setResult(contents, Target::Log, "NOT DEFINED FOR X = 0");
  setResult(contents, Target::Polar, "5,0.927295218001612");
  setResult(contents, Target::XtoN, "");
  contents.roots = {"r1", "r2", "r3"};
  EXPECT_EQ(written(contents),
            "3\r\n4\r\n1\r\n-2\r\n\r\n4+2*i\r\n2+6*i\r\n11-2*i\r\n-1+2*i\r\ny\r\ne\r\n"
            "NOT DEFINED FOR X = 0\r\n\"5,0.927295218001612\"\r\n\r\n 3 \r\nr1\r\nr2\r\nr3\r\n");
}

TEST(ComplexFileTest, WhatIsWrittenReadsBackUnchanged) {
  ComplexContents inputsThatNeedCare;
  // A comma typed into a field would otherwise split the line into two
  // fields and shift everything after it.
  inputsThatNeedCare.inputs = {"3,5", " 2", "1e3", "-0", "abc"};
  setResult(inputsThatNeedCare, Target::Polar, "1,3.14159265358979");

  for (const ComplexContents& contents : {ComplexContents{}, cubeRootsOfMinusEight(), inputsThatNeedCare}) {
    const ComplexContents back = read(written(contents));
    EXPECT_EQ(back.inputs, contents.inputs);
    EXPECT_EQ(back.results, contents.results);
    EXPECT_EQ(back.roots, contents.roots);
  }
  EXPECT_TRUE(written(inputsThatNeedCare).startsWith("\"3,5\"\r\n\" 2\"\r\n1e3\r\n"));
}

TEST(ComplexFileTest, ShortOrBrokenFilesRaiseARunTimeError) {
  const QByteArray whole = written(cubeRootsOfMinusEight());
  const struct {
    const char* what;
    QByteArray bytes;
    ErrorNumber error;
  } cases[] = {
      {"empty file", "", ErrorNumber::InputPastEndOfFile},
      {"no count line", QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\n", ErrorNumber::InputPastEndOfFile},
      {"fewer rows than the count", whole.left(whole.lastIndexOf("1-1.7")), ErrorNumber::InputPastEndOfFile},
      {"count that is no number", QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\nthree\r\n",
       ErrorNumber::TypeMismatch},
  };
  for (const auto& c : cases) {
    try {
      read(c.bytes);
      ADD_FAILURE() << c.what << " was read";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), c.error) << c.what;
    }
  }
}

TEST(ComplexFileTest, ACommaOutsideQuotesInAForeignFileShiftsTheFields) {
  const ComplexContents back =
      read("3,4\r\n1\r\n-2\r\n\r\n\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\n\"5,1\"\r\n\r\n 0 \r\n");
  EXPECT_EQ(back.inputs, (std::array<QString, 5>{"3", "4", "1", "-2", ""}));
  EXPECT_EQ(back.results[static_cast<std::size_t>(Target::Sum)], "");
  EXPECT_EQ(back.results[static_cast<std::size_t>(Target::Polar)], "g");
  EXPECT_EQ(back.results[static_cast<std::size_t>(Target::XtoN)], "5,1");
  EXPECT_TRUE(back.roots.isEmpty());
}

TEST(ComplexPrintTest, PageDependsOnTheTaskGroup) {
  ComplexContents contents = cubeRootsOfMinusEight();
  contents.inputs = {"3", "-4", "1", "2", "3"};
  setResult(contents, Target::Sum, "S");
  setResult(contents, Target::Difference, "D");
  setResult(contents, Target::Product, "P");
  setResult(contents, Target::Quotient, "Q");
  setResult(contents, Target::YtoX, "Y");
  const QStringList lastThree = {"Exp(x) = 3.35462627902512E-04", "Log(x) = 2.07944154167984+3.14159265358979*i",
                                 "Polar form of x = 8,3.14159265358979"};

  for (int task = 0; task <= 4; ++task) {
    EXPECT_EQ(complexPrintedLines(contents, task),
              QStringList({"x = 3 + -4 * i", "y = 1 + 2 * i", "", "x + y = S", "x - y = D", "x * y = P",
                           "x / y = Q", "y ^ x = Y"}) +
                  lastThree);
  }
  for (int task = 5; task <= 7; ++task) {
    EXPECT_EQ(complexPrintedLines(contents, task), QStringList({"x = 3 + -4 * i", ""}) + lastThree);
  }
  for (int task : {8, 9}) {
    EXPECT_EQ(complexPrintedLines(contents, task),
              QStringList({"x = 3 + -4 * i", "n = 3", "", "x ^ n = -512+1.88079096131566E-13*i", "nth roots of x:",
                           "1+1.73205080756888*i", "-2+2.44929359829471E-16*i", "1-1.73205080756888*i"}) +
                  lastThree);
  }
  EXPECT_EQ(complexPrintedLines(ComplexContents{}, 5),
            QStringList({"x =  +  * i", "", "Exp(x) = ", "Log(x) = ", "Polar form of x = "}));
}

}  // namespace
