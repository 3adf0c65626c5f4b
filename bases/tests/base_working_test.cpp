#include "bases/base_working.h"

#include <gtest/gtest.h>

#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::bases;

namespace {

const BaseConverter converter;

QStringList allLines(const working::Working& working) {
  QStringList lines;
  for (const working::Step& step : working.steps) lines += step.lines;
  return lines;
}

const working::Table* tableOf(const working::Working& working, const QString& ruleStart) {
  for (const working::Step& step : working.steps) {
    if (step.rule.startsWith(ruleStart) && !step.tables.isEmpty()) return &step.tables.first();
  }
  return nullptr;
}

QString column(const working::Table* table, int index) {
  QString digits;
  if (table)
    for (const QStringList& row : table->rows) digits += row[index];
  return digits;
}

// The answer's digits as the working finds them: the remainders read from
// the last up, then the fraction's digits, the period repeated to the cut.
QString workedDigits(const working::Working& working) {
  QString whole;
  for (const QChar digit : column(tableOf(working, "Whole part"), 4)) whole.prepend(digit);
  for (const working::Step& step : working.steps) {
    if (step.rule == "Whole part")
      whole = step.lines.first().section(u' ', 4).chopped(1);  // "The whole part is 26."
  }
  if (whole.isEmpty()) whole = QStringLiteral("0");
  QString fraction = column(tableOf(working, "Fraction"), 2);
  for (const QString& line : allLines(working)) {
    if (!line.startsWith("From step ")) continue;
    const int start = line.section(u' ', 2, 2).toInt();
    const QString period = line.section(u' ', 6, 6);
    fraction = fraction.left(start - 1);
    while (fraction.size() < BaseConverter::kMaxFractionDigits) fraction += period;
    fraction.truncate(BaseConverter::kMaxFractionDigits);
  }
  return fraction.isEmpty() ? whole : whole + u'.' + fraction;
}

// The working finds the row's digits, the period repeated up to the cut, and
// ends in the row itself (the converter's tests hold every one of their rows
// to that last line too).
TEST(BaseWorking, FindsTheDigitsOfTheRow) {
  const std::pair<QString, int> numbers[] = {
      {"10.25", 2},
      {"#Z.I", 36},
      {"", 16},
      {"#", 16},
      {"1.2.3", 10},
      {"18446744073709551615", 2},
      {"0.1", 2},
      {"#0.1", 7},
      {"0.1", 3},
      {"0.1", 12},
      {"0.2", 12},
      {"12345678901234567890.0987654321", 7},
      {"#0.0001", 36},
      {QString(99, u'9'), 2},
      {u'#' + QString(99, u'Z'), 36},
      {"#123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD.EFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJKLMNOPQ",
       36},
  };
  for (const auto& [number, base] : numbers) {
    const QString row = converter.convert(number, base).value();
    const working::Working working = BaseWorking(converter, number, base);
    const std::string what = number.toStdString() + " in base " + std::to_string(base);
    EXPECT_FALSE(working.stopped) << what;
    const bool toDecimal = number.startsWith(u'#');
    const QString digits = toDecimal ? row.section(" = ", 1) : row.section(" = #", 1).section(" (BASE", 0, 0);
    EXPECT_EQ(workedDigits(working), digits) << what;
    EXPECT_EQ(BaseWorkingForRow(converter, row).steps.last().lines.last(), row) << what;
  }
}

// The periods were worked out by hand, step by step as the table writes them,
// and checked as period / (base^length − 1): 0011₂ = 3/15, 0022₃ = 8/80,
// 0462₇ = 240/2400, 2497₁₂ = 4147/20735 = 1/5. 1/36⁴ = 1/(2⁸·3⁸) has a
// decimal period of 3⁶ = 729 digits, so no part comes back within 100 steps.
TEST(BaseWorking, RepeatingFractionsAndTheCut) {
  const struct {
    QString number;
    int base;
    QString end;
  } cases[] = {
      {"0.1", 2,
       "From step 2 on the digits 0011 repeat: 0.0(0011) in base 2, the digits in brackets again and again."},
      {"0.1", 3,
       "From step 1 on the digits 0022 repeat: 0.(0022) in base 3, the digits in brackets again and again."},
      {"0.1", 7,
       "From step 1 on the digits 0462 repeat: 0.(0462) in base 7, the digits in brackets again and again."},
      {"0.2", 12,
       "From step 1 on the digits 2497 repeat: 0.(2497) in base 12, the digits in brackets again and again."},
      {"0.1", 12,
       "From step 2 on the digits 2497 repeat: 0.1(2497) in base 12, the digits in brackets again and "
       "again."},
      {"#0.1", 3,
       "From step 1 on the digits 3 repeat: 0.(3) in base 10, the digits in brackets again and again."},
      {"#0.0001", 36, "After 100 steps no part left has come back and something is still left."},
      {"10.25", 2, "Nothing is left after step 2: the fraction ends."},
  };
  const QString cut = "The row shows the first 100 digits after the point, cut, not rounded.";
  for (const auto& c : cases) {
    const QStringList lines = allLines(BaseWorking(converter, c.number, c.base));
    EXPECT_TRUE(lines.contains(c.end)) << c.number.toStdString() << " in base " << c.base << ":\n"
                                       << lines.join('\n').toStdString();
    EXPECT_EQ(lines.contains(cut), !c.end.startsWith("Nothing")) << c.number.toStdString();
  }
  // The table of 0.1 in base 2, as worked by hand: the part left times 2,
  // the digit, the part left over.
  const working::Working tenth = BaseWorking(converter, "0.1", 2);
  const working::Table* table = tableOf(tenth, "Fraction");
  ASSERT_TRUE(table);
  EXPECT_EQ(table->rows, (QList<QStringList>{{"1", "2/10", "0", "1/5"},
                                             {"2", "2/5", "0", "2/5"},
                                             {"3", "4/5", "0", "4/5"},
                                             {"4", "8/5", "1", "3/5"},
                                             {"5", "6/5", "1", "1/5  ← as after step 1"}}));
}

// Worked by hand: 11 = 5·2 + 1 = (2·2 + 1)·2 + 1 ...; #1A.8 = 16 + 10 + 8/16.
TEST(BaseWorking, DivisionsAndDigitSums) {
  const working::Working eleven = BaseWorking(converter, "11", 2);
  const working::Table* divisions = tableOf(eleven, "Whole part");
  ASSERT_TRUE(divisions);
  EXPECT_EQ(divisions->rows, (QList<QStringList>{{"1", "11", "5", "1", "1"},
                                                 {"2", "5", "2", "1", "1"},
                                                 {"3", "2", "1", "0", "0"},
                                                 {"4", "1", "0", "1", "1"}}));
  EXPECT_TRUE(allLines(eleven).contains("Read from the last remainder up, the digits are 1011."));
  const QStringList sum = BaseWorking(converter, "#1a.8", 16).steps.first().lines;
  EXPECT_EQ(sum, QStringList({"1·16¹ + 10·16⁰ + 8·16⁻¹", "= 16 + 10 + 1/2", "= 53/2"}));
  // A long number lists every digit's term in a table.
  const working::Working longNumber = BaseWorking(converter, "#10000001", 2);
  ASSERT_EQ(longNumber.steps.first().tables.size(), 1);
  EXPECT_EQ(longNumber.steps.first().tables.first().rows.first(), QStringList({"1", "1", "2⁷", "128"}));
  EXPECT_EQ(longNumber.steps.first().lines.last(), "= 129");
}

// What the converter refuses stops the working at the first character it
// cannot take; a row its number and base do not give stops it too.
TEST(BaseWorking, RefusedNumbersAndChangedRowsStopWithTheReason) {
  const struct {
    QString number;
    int base;
    QString why;
  } cases[] = {
      {"-5", 10, "\"-\" at place 1 is no decimal digit"},
      {"1E3", 16, "\"E\" at place 2 is no decimal digit"},
      {"#G", 16, "\"G\" at place 2 is no digit of base 16, whose digits are 0 to F."},
      {"#1.2.3", 10, "\".\" at place 5 is a second point; a number has at most one."},
      {"7", 37, "The base must be a whole number from 2 to 36, not 37."},
      {QString(101, u'1'), 10, "The number has 101 characters; at most 100 are read."},
  };
  for (const auto& c : cases) {
    const working::Working working = BaseWorking(converter, c.number, c.base);
    EXPECT_TRUE(working.stopped) << c.number.toStdString();
    EXPECT_TRUE(working.steps.last().lines.last().startsWith(c.why))
        << working.steps.last().lines.last().toStdString();
  }
  for (const QString row : {"11 = #1111 (BASE2)", "11 = #1011 (BASE99)", "garbled"}) {
    EXPECT_TRUE(BaseWorkingForRow(converter, row).stopped) << row.toStdString();
  }
}

}  // namespace
