#include "complex/complex_file.h"

#include <gtest/gtest.h>

#include "common/testing/printers.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using namespace veltrano::complex;

namespace {

TEST(ComplexFileTest, FieldsWithCommasReadBackUnchanged) {
  // A comma typed into a field would otherwise split its line into two
  // fields and shift everything after it. A double quote cannot stand
  // inside quotes: it is kept as an apostrophe.
  const ComplexContents needCare = {{"3,5", " 2", "1e3", "-0", "1,\"2"}, {}, {}};
  WorksheetWriter file;
  writeComplexFile(needCare, file);
  EXPECT_TRUE(file.bytes().startsWith("\"3,5\"\r\n\" 2\"\r\n1e3\r\n-0\r\n\"1,'2\"\r\n\r\n"));
  WorksheetReader back(file.bytes());
  const ComplexContents read = readComplexFile(back);
  EXPECT_EQ(read.inputs, (std::array<QString, 5>{"3,5", " 2", "1e3", "-0", "1,'2"}));
  EXPECT_EQ(read.results, needCare.results);
}

}  // namespace
