#include "bases/base_converter.h"

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
      {"#1FFFFFFFFFFFF7", 16, "9007199254740983"},  // remainders taken in doubles end it in ...982
      {"0.1", 2, "0.0001" + QString("1001").repeated(24)},
      {"#0.1", 3, "0." + QString(100, u'3')},
      {"#0.1", 7, "0." + QString("142857").repeated(16) + "1428"},
      {"#123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD.EFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQ",
       36,
       "533321325306180331507502258904536996356852008549350909228967164199044583661."
       "400816326530612244897959183673469328383408164706980630905818209038227236810702268124427592999170309"
       "0"},
      {u'#' + QString(99, u'Z'), 36,
       "1185625621700076113324930254218815923174968737095803970820775219264202582082"
       "2770528307559426132141591578133762963225828637624034458822090066222655331106815"}};
  for (const auto& [text, base, answer] : examples)
    EXPECT_EQ(line(text, base), lineFor(text, base, answer)) << text.toStdString();
  EXPECT_EQ(line("#ff", 16), "#FF (BASE16) = 255");  // letters read in either case, shown upper
}

}  // namespace
