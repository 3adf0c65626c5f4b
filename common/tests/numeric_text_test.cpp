#include "common/numeric_text.h"

#include <gtest/gtest.h>

#include "common/testing/printers.h"
#include "common/testing/raised_error.h"

using namespace veltrano;
using veltrano::testing::raisedError;

namespace {

using ReadCase = std::pair<const char*, double>;

TEST(TextToNumber, ReadsTheLeadingNumberAndOverflowsBeyondTheDoubleRange) {
  const ReadCase cases[] = {
      // No leading number reads as 0.
      ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"+.e5", 0},
      // Blanks, tabs and line feeds vanish anywhere; a return character is not a blank.
      ReadCase{"   -1.5e2xyz", -150}, ReadCase{"1 000", 1000}, ReadCase{"\t4\n2", 42}, ReadCase{"- 7", -7},
      ReadCase{"1\r2", 1},
      // Sign, point, exponent letters E and D in either case.
      ReadCase{"-.25", -0.25}, ReadCase{"5.", 5}, ReadCase{"1.5D3", 1500}, ReadCase{"2d-2", 0.02},
      // Reading stops where the number cannot go on.
      ReadCase{"3,5", 3}, ReadCase{"1.2.3", 1.2}, ReadCase{"1E+", 1}, ReadCase{"inf", 0},
      // Underflow is zero, not an error; the largest double still reads.
      ReadCase{"1E-400", 0}, ReadCase{"1.7976931348623157E308", 1.7976931348623157e308},
      // &H and &O whole numbers.
      ReadCase{"&hff", 255}, ReadCase{"&HFFFF", -1}, ReadCase{"&H10000", 65536}, ReadCase{"&HFFFFFFFF", -1},
      ReadCase{"&O17", 15}, ReadCase{"&O8", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToNumber(QString::fromUtf8(text)), value) << text;
  // Numbers beyond the double range overflow.
  for (const char* text : {"1E309", "1E99999999999", "&H100000000"}) {
    EXPECT_EQ(raisedError([text] { TextToNumber(QString::fromLatin1(text)); }).number(),
              ErrorNumber::Overflow)
        << text;
  }
}

using WriteCase = std::pair<double, const char*>;

TEST(NumberToText, WritesTheDisplayText) {
  const WriteCase cases[] = {
      WriteCase{100000, "100000"}, WriteCase{-0.5, "-0.5"}, WriteCase{1e20, "1E+20"}, WriteCase{-0.0, "0"},
      // Fifteen significant digits, rounded.
      WriteCase{36.86989764584402, "36.869897645844"}, WriteCase{2.0 / 3, "0.666666666666667"},
      WriteCase{1234567890123456, "1.23456789012346E+15"}, WriteCase{999999999999999.9, "1E+15"},
      // Small magnitudes: plain down to 0.0001.
      WriteCase{0.0001, "0.0001"}, WriteCase{0.00001, "1E-05"},
      WriteCase{1.7976931348623157e308, "1.79769313486232E+308"},
      WriteCase{4.9e-324, "4.94065645841247E-324"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberToText(value).toStdString(), text) << value;
}

}  // namespace
