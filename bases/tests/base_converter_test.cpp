#include "bases/base_converter.h"
#include "bases/base_working.h"

#include <gtest/gtest.h>

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

TEST(BaseConverter, RefusesCharactersTheDirectionDoesNotAllow) {
  const std::pair<const char*, int> illegal[] = {
      {"-5", 10}, {"1E3", 10}, {"1,5", 10},    {" 5", 10},  {"FF", 16}, {"#G", 16}, {"#8", 8},
      {"#A", 10}, {"#Z", 35},  {"#1.2.3", 10}, {"# 1", 16}, {"#:", 16}, {"#@", 16}, {"##1", 10},
  };
  for (const auto& [text, base] : illegal)
    EXPECT_FALSE(converter.convert(text, base)) << text << " in " << base;
}

// The line for a number typed in a base and the digits of its answer.
QString lineFor(const QString& text, int base, const QString& answer) {
  const QString inBase = QStringLiteral(" (BASE%1)").arg(base);
  return text.startsWith(u'#') ? text + inBase + " = " + answer : text + " = #" + answer + inBase;
}

// Numbers beyond a double's precision and fractions with no end in the base:
// the whole part gets every digit, the fraction is cut after its hundredth
// digit, which is not rounded. The expected digits were computed with
// Python's fractions and integers. Repeating digits are written as their period.
TEST(BaseConverter, ConvertsEveryNumberTheFieldHoldsExactly) {
  const std::tuple<QString, int, QString> examples[] = {
      {"10.25", 2, "1010.01"},
      {"#0.1", 2, "0.5"},
      {"#Z.I", 36, "35.5"},
      {"", 16, "0"},
      {"#", 16, "0"},
      {".", 10, "0"},
      {"1.2.3", 10, "1.2"},  // a second point ends the number
      {"18446744073709551615", 16, "FFFFFFFFFFFFFFFF"},
      {"#FFFFFFFFFFFFFFFF", 16, "18446744073709551615"},
      {"18446744073709551615", 2, QString(64, u'1')},
      {"#SHGV4JFEILRM0N3FP0U", 35, "177036193478532314791936303780"},
      {"#1FFFFFFFFFFFF7", 16, "9007199254740983"},  // remainders taken in doubles end it in ...982
      {"0.1", 2, "0.0001" + QString("1001").repeated(24)},
      {"#0.1", 3, "0." + QString(100, u'3')},
      {"#0.1", 7, "0." + QString("142857").repeated(16) + "1428"},
      {"0.2", 12, "0." + QString("2497").repeated(25)},
      {u'1' + QString(99, u'0'), 2,
       "1110101000010101011101010001010000111100111110010111001000100110111101010010110100001001110101110001"
       "10100011001010010011101111011000001100111010010011100111010010000110001110111011110000011100111100111"
       "01000100000001001010011111101000000000000000000000000000000000000000000000000000000000000000000000000"
       "000000000000000000000000000"},
      {QString(99, u'9'), 2,
       "1110101000010101011101010001010000111100111110010111001000100110111101010010110100001001110101110001"
       "10100011001010010011101111011000001100111010010011100111010010000110001110111011110000011100111100111"
       "01000100000001001010011111100111111111111111111111111111111111111111111111111111111111111111111111111"
       "111111111111111111111111111"},
      {"#123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD.EFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQ",
       36,
       "533321325306180331507502258904536996356852008549350909228967164199044583661."
       "400816326530612244897959183673469328383408164706980630905818209038227236810702268124427592999170309"
       "0"},
      {u'#' + QString(99, u'Z'), 36,
       "1185625621700076113324930254218815923174968737095803970820775219264202582082"
       "2770528307559426132141591578133762963225828637624034458822090066222655331106815"}};
  for (const auto& [text, base, answer] : examples) {
    EXPECT_EQ(line(text, base), lineFor(text, base, answer)) << text.toStdString();
    // The working of the row ends in the row, built from the same exact value.
    EXPECT_EQ(BaseWorking(converter, text, base).steps.last().lines.last(), line(text, base));
  }
  EXPECT_EQ(line("#ff", 16), "#FF (BASE16) = 255");  // letters read in either case, shown upper
}

// A whole number converted to a base and its digits converted back give the
// text typed, in every base; digits longer than the field goes back through
// the engine.
TEST(BaseConverter, BringsWholeNumbersBackToTheTextTyped) {
  const QString numbers[] = {"35", "18446744073709551615", u'1' + QString(99, u'0'), QString(99, u'9')};
  for (int base = BaseConverter::kMinBase; base <= BaseConverter::kMaxBase; ++base) {
    for (const QString& number : numbers) {
      const QString digits = line(number, base).section(" = #", 1).section(" (BASE", 0, 0);
      const std::optional<mpq_class> value = converter.exactValue(digits, base);
      ASSERT_TRUE(value.has_value()) << digits.toStdString();
      EXPECT_EQ(converter.digitsInBase(*value, 10), number) << "base " << base;
      if (digits.size() < BaseConverter::kMaxTextLength)
        EXPECT_EQ(line(u'#' + digits, base).section(" = ", 1), number) << "base " << base;
    }
  }
}

}  // namespace
