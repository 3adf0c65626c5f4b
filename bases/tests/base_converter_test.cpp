#include "bases/base_converter.h"
#include "bases/base_working.h"

#include <gtest/gtest.h>

#include "bases/bases_file.h"
#include "common/input_notes.h"
#include "common/testing/printers.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using namespace veltrano::bases;

namespace {

const BaseConverter converter;

QString line(const QString& text, int base) {
  const std::optional<QString> result = converter.convert(text, base);
  EXPECT_TRUE(result.has_value()) << text.toStdString() << " in base " << base;
  return result.value_or(QString());
}

// Each refusal names its first offending character; a number convert takes
// has no reason.
TEST(BaseConverter, RefusesCharactersTheDirectionDoesNotAllowAndSaysWhich) {
  const QString minus = "A minus sign cannot stand in a number: only numbers of 0 or more convert";
  const QString noDigit = "' is no digit of any base up to 36 and no sign a number can have";
  const QString blank = "A blank cannot stand in a number";
  const QString onePoint = "A number can have only one point";
  const std::tuple<const char*, int, QString> illegal[] = {
      {"-5", 10, minus},
      {"#1-", 16, minus},
      {"1E3", 10, "'E' is a digit too large for base 10"},
      {"FF", 16, "'F' is a digit too large for base 10: numbers in base 16 begin with #"},
      {"1,5", 10, "'," + noDigit},
      {" 5", 10, blank},
      {"# 1", 16, blank},
      {"#G", 16, "'G' is a digit too large for base 16"},
      {"#8", 8, "'8' is a digit too large for base 8"},
      {"#A", 10, "'A' is a digit too large for base 10"},
      {"#Z", 35, "'Z' is a digit too large for base 35"},
      {"#1.2.3", 10, onePoint},
      {"#:", 16, "':" + noDigit},
      {"#@", 16, "'@" + noDigit},
      {"##1", 10, "'#' can stand only first, before a number written in base 10"},
      {"1#", 16, "'#' can stand only first, before a number written in base 16"},
  };
  for (const auto& [text, base, reason] : illegal) {
    EXPECT_FALSE(converter.convert(text, base)) << text << " in " << base;
    EXPECT_EQ(converter.illegalReason(text, base), reason) << text << " in " << base;
  }
  EXPECT_EQ(converter.illegalReason(QString(101, u'1'), 10), "A number can have at most 100 characters");
  for (const auto& [text, base] : {std::pair{"1.2.3", 10}, {"#ff.8", 16}, {"", 2}, {"#", 36}, {"#Z", 36}})
    EXPECT_EQ(converter.illegalReason(text, base), "") << text << " in " << base;
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

// Every row a conversion writes, in any base and either direction, is one of
// this window's files; another worksheet's row is a sign of another's file.
TEST(BasesFile, TakesEveryRowAConversionWritesAndNoOther) {
  WorksheetWriter file;
  QStringList rows;
  for (int base = BaseConverter::kMinBase; base <= BaseConverter::kMaxBase; ++base) {
    for (const QString& number :
         {QString(), QStringLiteral("0.1"), QStringLiteral("255."), QString(99, u'9')})
      rows << line(number, base);
    rows << line(QStringLiteral("#1.1"), base) << line(QStringLiteral("#10"), base);
  }
  file.numberLine(static_cast<std::int32_t>(rows.size()));
  for (const QString& row : rows) file.textLine(row);
  WorksheetReader own(file.bytes());
  EXPECT_EQ(readBasesFile(own), rows);
  EXPECT_EQ(own.misfit(), "");
  // A row of an empty number that lost its leading blank in an older file.
  WorksheetReader older(" 1 \r\n= #0 (BASE16)\r\n");
  readBasesFile(older);
  EXPECT_EQ(older.misfit(), "");
  for (const char* foreign :
       {"360= 2  2  2  3  3  5", "12 = #C (BASE37)", "12 = #C (BASE1)", "3", "x = #1 (BASE2)"}) {
    WorksheetReader other(QByteArray(" 1 \r\n") + foreign + "\r\n");
    readBasesFile(other);
    EXPECT_EQ(other.misfit(),
              QStringLiteral("line 2: %1 is no row of a base conversion").arg(QuotedExcerpt(foreign)));
  }
}

}  // namespace
