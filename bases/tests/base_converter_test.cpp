#include "bases/base_converter.h"

#include <gtest/gtest.h>
#include <cfloat>

#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::bases;

namespace {

const BaseConverter converter;

QString line(const QString& text, int base) {
  const std::optional<QString> result = converter.convert(text, base);
  EXPECT_TRUE(result.has_value()) << text.toStdString() << " in base " << base;
  return result.value_or(QString());
}

// A second point ends the number: "1.2.3" is the double nearest 1.2, in full.
TEST(BaseConverter, ConvertsToTheExactLines) {
  const std::tuple<const char*, int, const char*> examples[] = {
      {"255", 16, "255 = #FF (BASE16)"},
      {"#ff", 16, "#FF (BASE16) = 255"},
      {"10.25", 2, "10.25 = #1010.01 (BASE2)"},
      {"3.75", 16, "3.75 = #3.C (BASE16)"},
      {"#0.1", 2, "#0.1 (BASE2) = 0.5"},
      {"#Z.I", 36, "#Z.I (BASE36) = 35.5"},
      {"", 16, " = #0 (BASE16)"},
      {"#", 16, "# (BASE16) = 0"},
      {".", 10, ". = #0 (BASE10)"},
      {"1.2.3", 10, "1.2.3 = #1.19999999999999996447286321199499070644378662109375 (BASE10)"}};
  for (const auto& [text, base, expected] : examples) EXPECT_EQ(line(text, base), expected) << text;
}

TEST(BaseConverter, RefusesCharactersTheDirectionDoesNotAllow) {
  const std::pair<const char*, int> illegal[] = {
      {"-5", 10}, {"1E3", 10}, {"1,5", 10},    {" 5", 10},  {"FF", 16}, {"#G", 16}, {"#8", 8},
      {"#A", 10}, {"#Z", 35},  {"#1.2.3", 10}, {"# 1", 16}, {"#:", 16}, {"#@", 16}, {"##1", 10},
  };
  for (const auto& [text, base] : illegal)
    EXPECT_FALSE(converter.convert(text, base)) << text << " in " << base;
  // 100 characters, "#" included, is the most a number may have.
  EXPECT_TRUE(converter.convert(QString(100, u'1'), 2));
  EXPECT_FALSE(converter.convert(QString(101, u'1'), 2));
  EXPECT_FALSE(converter.convert(u'#' + QString(100, u'1'), 2));
}

// A fraction with no end in the base is cut; a whole part gets every digit.
// The expected digits were worked out in exact integer arithmetic from the
// double's value.
TEST(BaseConverter, CutsEndlessFractionsButNoWholePart) {
  const QString third = converter.digitsInBase(0.1, 3);  // 0.(0022) repeated, as far as the double holds it
  EXPECT_TRUE(third.startsWith("0.00220022002200220022002200220022"));
  EXPECT_EQ(third.size(), 2 + BaseConverter::kMaxFractionDigits);
  EXPECT_EQ(converter.digitsInBase(1e40, 2).size(), 133);
  EXPECT_EQ(converter.digitsInBase(1e40, 10), "10000000000000000303786028427003666890752");
  EXPECT_EQ(line(u'#' + QString(99, u'Z'), 36),
            u'#' + QString(99, u'Z') +
                " (BASE36) = 1185625621700076262823332265327870947572255781768118782080844431421305599690"
                "7330118268530516351655465735413131139965603487627429903155632699097498395869184");
  // Remainders taken in floating point end this one in ...982.
  EXPECT_EQ(line("#1FFFFFFFFFFFF7", 16), "#1FFFFFFFFFFFF7 (BASE16) = 9007199254740983");
  EXPECT_EQ(converter.digitsInBase(DBL_MAX, 2), QString(53, u'1') + QString(971, u'0'));
}

}  // namespace
