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

// A second point ends the number: "1.2.3" is 1.2.
TEST(BaseConverter, ConvertsToTheExactLines) {
  const std::tuple<const char*, int, const char*> examples[] = {{"255", 16, "255 = #FF (BASE16)"},
                                                                {"#ff", 16, "#FF (BASE16) = 255"},
                                                                {"10.25", 2, "10.25 = #1010.01 (BASE2)"},
                                                                {"3.75", 16, "3.75 = #3.C (BASE16)"},
                                                                {"#0.1", 2, "#0.1 (BASE2) = 0.5"},
                                                                {"#Z.I", 36, "#Z.I (BASE36) = 35.5"},
                                                                {"", 16, " = #0 (BASE16)"},
                                                                {"#", 16, "# (BASE16) = 0"},
                                                                {".", 10, ". = #0 (BASE10)"},
                                                                {"1.2.3", 10, "1.2.3 = #1.2 (BASE10)"}};
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

// A fraction with no end in the base is cut after its hundredth digit, which
// is not rounded; a whole part gets every digit. The expected digits of
// doubles were worked out in exact integer arithmetic from the double's
// value; 2^-100 in decimal with Python's fractions module.
TEST(BaseConverter, CutsEndlessFractionsAtAHundredDigitsButNoWholePart) {
  const QString third = converter.digitsInBase(0.1, 3);  // 0.(0022) repeated, as far as the double holds it
  EXPECT_TRUE(third.startsWith("0.00220022002200220022002200220022"));
  EXPECT_EQ(third.size(), 2 + BaseConverter::kMaxFractionDigits);
  EXPECT_EQ(converter.digitsInBase(1e40, 2).size(), 133);
  EXPECT_EQ(converter.digitsInBase(1e40, 10), "10000000000000000303786028427003666890752");
  EXPECT_EQ(converter.digitsInBase(DBL_MAX, 2), QString(53, u'1') + QString(971, u'0'));
  const mpz_class two100 = mpz_class(1) << 100;
  EXPECT_EQ(converter.digitsInBase(mpq_class(1, two100), 2), "0." + QString(99, u'0') + u'1');
  EXPECT_EQ(
      converter.digitsInBase(mpq_class(1, two100), 10),
      "0."
      "0000000000000000000000000000007888609052210118054117285652827862296732064351090230047702789306640625");
  EXPECT_EQ(converter.digitsInBase(mpq_class(1, two100 * 2), 2), "0." + QString(100, u'0'));
  EXPECT_EQ(converter.digitsInBase(mpq_class(two100 * 2 - 1, two100 * 2), 2), "0." + QString(100, u'1'));
}

// The line for a number typed in a base and the digits of its answer.
QString lineFor(const QString& text, int base, const QString& answer) {
  const QString inBase = QStringLiteral(" (BASE%1)").arg(base);
  return text.startsWith(u'#') ? text + inBase + " = " + answer : text + " = #" + answer + inBase;
}

// Numbers beyond a double's precision and fractions with no end in the base.
// The expected digits were computed with Python's fractions module: the
// typed digits read as a Fraction, the whole part written by repeated
// division, the fraction by multiplying by the base, cut after 100 digits;
// 36^99 - 1 with Python's integers. Repeating digits are written as their
// period.
TEST(BaseConverter, ConvertsEveryNumberTheFieldHoldsExactly) {
  const std::tuple<QString, int, QString> examples[] = {
      {"18446744073709551615", 16, "FFFFFFFFFFFFFFFF"},
      {"#FFFFFFFFFFFFFFFF", 16, "18446744073709551615"},
      {"18446744073709551615", 2, QString(64, u'1')},
      {"#SHGV4JFEILRM0N3FP0U", 35, "177036193478532314791936303780"},
      {"#1FFFFFFFFFFFF7", 16, "9007199254740983"},  // remainders taken in doubles end it in ...982
      {"9876543210987654321098765432109876543210987654321098765432109876543210987654321098765432109876543210",
       2,
       "1001000001111111000001011110011011010110111010011101110011010000110111101010011100000011110000010110"
       "00010110100111110000001000011100101110110011000111011101101101001110101100111000001011001111010010100"
       "00100110110111010100011100110011110010011011010000000110011111011110110101010001111001100111110101110"
       "1010001110001100111111011101010"},
      {"0.1", 2, "0.0001" + QString("1001").repeated(24)},
      {"#0.1", 3, "0." + QString(100, u'3')},
      {"0.1", 3, "0." + QString("0022").repeated(25)},
      {"0.5", 7, "0." + QString(100, u'3')},
      {"#0.1", 7, "0." + QString("142857").repeated(16) + "1428"},
      {"0.2", 12, "0." + QString("2497").repeated(25)},
      {"#0.5", 12, "0.41" + QString(98, u'6')},
      {"98765432109876543210987654321098765432109876543210.9876543210987654321098765432109876543210987654321",
       36,
       "1K4TWO7TU6EW0J8I5SJI2Z8AW9UCZDL2I."
       "ZK00008PGFTRF6JMZZCHVKS77L837NRNFSUYNWA43GY3K2YP4ENLAG8IF4FQ6UMX72FWE6GF79V4SGX9LLDOD1Y8BA43SIIMKRS"
       "X"},
      {"#123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD.EFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQ",
       36,
       "533321325306180331507502258904536996356852008549350909228967164199044583661."
       "400816326530612244897959183673469328383408164706980630905818209038227236810702268124427592999170309"
       "0"},
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
      {"#123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQR",
       36,
       "34842875413226726595671419715818263864733775130978728525744429926946818340216528205223913089865303080"
       "9901559767296497526956125385727263158078920284010323"},
      {u'#' + QString(99, u'Z'), 36,
       "1185625621700076113324930254218815923174968737095803970820775219264202582082"
       "2770528307559426132141591578133762963225828637624034458822090066222655331106815"}};
  for (const auto& [text, base, answer] : examples)
    EXPECT_EQ(line(text, base), lineFor(text, base, answer)) << text.toStdString();
}

// The digits a line shows after the number typed.
QString shownDigits(const QString& line) {
  if (line.startsWith(u'#')) return line.section(QStringLiteral(" = "), 1);
  return line.section(QStringLiteral(" = #"), 1).section(QStringLiteral(" (BASE"), 0, 0);
}

// Digits read in one base and written in another, with no limit on the length.
QString rewritten(const QString& digits, int from, int to) {
  const std::optional<mpq_class> value = converter.exactValue(digits, from);
  EXPECT_TRUE(value.has_value()) << digits.toStdString() << " in base " << from;
  return value ? converter.digitsInBase(*value, to) : QString();
}

// A number converted and its digits converted back give the text typed, in
// every base: whole numbers, and fractions that end in both bases.
TEST(BaseConverter, BringsNumbersBackToTheTextTyped) {
  QStringList decimals = {"0",     "1",   "35",     "9007199254740993", "18446744073709551615",
                          "10.25", "0.5", "1296.75"};
  decimals << u'1' + QString(99, u'0') << QString(99, u'9') << QStringLiteral("9876543210").repeated(10);
  for (int base = BaseConverter::kMinBase; base <= BaseConverter::kMaxBase; ++base) {
    for (const QString& decimal : decimals) {
      const QString digits = shownDigits(line(decimal, base));
      // Back through the field when the digits fit it, else through the engine.
      if (digits.contains(u'.') && base % 2 != 0) continue;  // the fraction has no end
      const QString back = digits.size() < BaseConverter::kMaxTextLength
                               ? shownDigits(line(u'#' + digits, base))
                               : rewritten(digits, base, 10);
      EXPECT_EQ(back, decimal) << "base " << base;
    }
  }
  const std::pair<QString, int> numbers[] = {
      {"123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQR",
       36},
      {u'1' + QString(98, u'0'), 36},
      {QString(99, u'Z'), 36},
      {QString(64, u'1'), 2},
      {"1K4TWO7TU6EW0J8I5SJI2Z8AW9UCZDL2I", 36},
      {"FF.8", 16},
      {"10.01", 2},
      {"3.5", 10}};
  for (const auto& [digits, base] : numbers)
    EXPECT_EQ(rewritten(shownDigits(line(u'#' + digits, base)), 10, base), digits) << "base " << base;
}

}  // namespace
