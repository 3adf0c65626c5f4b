#include "bases/base_converter.h"

#include <QRandomGenerator>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::bases;

namespace {

// A whole number of any size for checking digits exactly, built the slow and
// obvious way: limbs of 32 bits, least significant first, and multiply-add.
class BigWhole {
 public:
  void mulAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }
  friend bool operator==(const BigWhole&, const BigWhole&) = default;

  static BigWhole fromDigits(const QString& digits, int base) {
    BigWhole number;
    for (QChar c : digits) {
      const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
      EXPECT_TRUE(value >= 0 && value < base) << "digit " << c.toLatin1() << " in base " << base;
      number.mulAdd(static_cast<std::uint32_t>(base), static_cast<std::uint32_t>(value));
    }
    return number;
  }

  // A whole double: its 53-bit mantissa, doubled as often as its exponent says.
  static BigWhole fromDouble(double whole) {
    BigWhole number;
    if (whole == 0.0) return number;
    const int shift = std::max(0, std::ilogb(whole) - 52);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(whole, -shift));
    number.mulAdd(1, static_cast<std::uint32_t>(mantissa >> 32));
    number.mulAdd(1u << 16, 0);
    number.mulAdd(1u << 16, static_cast<std::uint32_t>(mantissa));
    for (int i = 0; i < shift; ++i) number.mulAdd(2, 0);
    return number;
  }

 private:
  std::vector<std::uint32_t> limbs_;
};

struct Example {
  const char* text;
  int base;
  const char* line;
};

class ConverterTest : public ::testing::Test {
 protected:
  QString line(const QString& text, int base) const {
    const std::optional<QString> result = converter.convert(text, base);
    EXPECT_TRUE(result.has_value()) << text.toStdString() << " in base " << base;
    return result.value_or(QString());
  }
  // The digits after "#" of a decimal number converted into the base.
  QString digitsOf(const QString& text, int base) const {
    const QString result = line(text, base);
    const qsizetype from = result.indexOf(u'#') + 1;
    return result.mid(from, result.indexOf(u' ', from) - from);
  }

  BaseConverter converter;
};

TEST_F(ConverterTest, ConvertsTheWorkedExamplesToTheExactLines) {
  const Example examples[] = {
      {"255", 16, "255 = #FF (BASE16)"},
      {"#ff", 16, "#FF (BASE16) = 255"},
      {"11", 2, "11 = #1011 (BASE2)"},
      {"#1011", 2, "#1011 (BASE2) = 11"},
      {"10.25", 2, "10.25 = #1010.01 (BASE2)"},
      {"3.75", 16, "3.75 = #3.C (BASE16)"},
      {"0.5", 2, "0.5 = #0.1 (BASE2)"},
      {"#0.1", 2, "#0.1 (BASE2) = 0.5"},
      {"#Z.I", 36, "#Z.I (BASE36) = 35.5"},
      {"35", 36, "35 = #Z (BASE36)"},
      {"#777", 8, "#777 (BASE8) = 511"},
      {"0", 7, "0 = #0 (BASE7)"},
      {"", 16, " = #0 (BASE16)"},
      {"#", 16, "# (BASE16) = 0"},
      {".", 10, ". = #0 (BASE10)"},
      {"#.", 10, "#. (BASE10) = 0"},
      {"#.8", 16, "#.8 (BASE16) = 0.5"},
      {"1.", 2, "1. = #1 (BASE2)"},
  };
  for (const Example& e : examples) {
    EXPECT_EQ(line(e.text, e.base), QString(e.line)) << e.text << " in base " << e.base;
  }
}

TEST_F(ConverterTest, RefusesCharactersTheDirectionDoesNotAllow) {
  const Example illegal[] = {
      {"-5", 10, ""},     {"+5", 10, ""},    {"1E3", 10, ""},   {"1,5", 10, ""},
      {" 5", 10, ""},     {"5 ", 10, ""},    {"&H10", 16, ""},  {"FF", 16, ""},
      {"#G", 16, ""},     {"#8", 8, ""},     {"#2", 2, ""},     {"#A", 10, ""},
      {"#Z", 35, ""},     {"#1.2.3", 10, ""}, {"#-1", 10, ""},  {"# 1", 16, ""},
      {"#:", 16, ""},     {"#@", 16, ""},    {"#[", 36, ""},    {"#1,5", 10, ""},
      {"#\"", 10, ""},    {"##1", 10, ""},   {"#\u00e9", 36, ""}, {"#1.G", 16, ""},
  };
  for (const Example& e : illegal) {
    EXPECT_FALSE(converter.convert(QString::fromUtf8(e.text), e.base).has_value())
        << e.text << " in base " << e.base;
  }
}

TEST_F(ConverterTest, TakesAtMostOneHundredCharactersCountingTheHash) {
  const QString hundredDigits(100, u'1');
  EXPECT_TRUE(converter.convert(hundredDigits, 2).has_value());
  EXPECT_FALSE(converter.convert(hundredDigits + u'1', 2).has_value());
  EXPECT_TRUE(converter.convert(u'#' + QString(99, u'1'), 2).has_value());
  EXPECT_FALSE(converter.convert(u'#' + hundredDigits, 2).has_value());
}

TEST_F(ConverterTest, ReadsADecimalNumberUpToItsSecondPoint) {
  for (int base : {2, 10, 16}) {
    EXPECT_EQ(digitsOf("1.2.3", base), digitsOf("1.2", base)) << "base " << base;
  }
  EXPECT_TRUE(digitsOf("1.2.3", 2).startsWith("1.0011001100110011"));
}

TEST_F(ConverterTest, CutsAnEndlessFractionAfterOneHundredDigits) {
  const QString digits = digitsOf("0.1", 3);
  ASSERT_TRUE(digits.startsWith("0."));
  EXPECT_EQ(digits.size() - 2, BaseConverter::kMaxFractionDigits);
  // 1/10 in base 3 is 0.(0022) repeated, as far as the double holds it.
  EXPECT_TRUE(digits.startsWith("0.00220022002200220022002200220022"));
  // A fraction that ends stops at its last digit.
  EXPECT_EQ(digitsOf("0.0625", 2), "0.0001");
}

TEST_F(ConverterTest, GivesLongWholePartsAllTheirDigits) {
  // 1 followed by 40 zeros needs 133 binary digits; the double holds it as
  // 10000000000000000303786028427003666890752.
  const QString tenTo40 = QString(u'1') + QString(40, u'0');
  const QString binary = digitsOf(tenTo40, 2);
  EXPECT_EQ(binary.size(), 133);
  EXPECT_EQ(BigWhole::fromDigits(binary, 2), BigWhole::fromDouble(1e40));
  EXPECT_EQ(digitsOf(tenTo40, 10), "10000000000000000303786028427003666890752");

  // 99 "Z" digits in base 36 come to a value with 155 decimal digits.
  EXPECT_EQ(line(u'#' + QString(99, u'Z'), 36),
            u'#' + QString(99, u'Z') +
                " (BASE36) = 1185625621700076262823332265327870947572255781768118782080844431421305599690"
                "7330118268530516351655465735413131139965603487627429903155632699097498395869184");
}

TEST_F(ConverterTest, GetsEveryDigitOfLargeWholeNumbersRight) {
  // Dividing in floating point gives ...982 here, well inside the range in
  // which doubles hold every whole number exactly.
  EXPECT_EQ(digitsOf("9007199254740983", 10), "9007199254740983");
  EXPECT_EQ(line("#1FFFFFFFFFFFF7", 16), "#1FFFFFFFFFFFF7 (BASE16) = 9007199254740983");

  // The largest double: 53 ones and then 971 zeros in base 2.
  EXPECT_EQ(converter.digitsInBase(DBL_MAX, 2), QString(53, u'1') + QString(971, u'0'));
  EXPECT_EQ(converter.digitsInBase(DBL_MAX, 16), "FFFFFFFFFFFFF8" + QString(242, u'0'));
}

TEST_F(ConverterTest, WholeDigitsAgreeWithExactArithmeticInEveryBase) {
  QRandomGenerator random(20261206);
  for (int trial = 0; trial < 400; ++trial) {
    QString text;
    const int length = 1 + static_cast<int>(random.bounded(100));
    for (int i = 0; i < length; ++i) text += QChar(u'0' + random.bounded(10));
    const int base = 2 + static_cast<int>(random.bounded(35));
    const double value = TextToNumber(text);
    EXPECT_EQ(BigWhole::fromDigits(digitsOf(text, base), base), BigWhole::fromDouble(value))
        << text.toStdString() << " in base " << base;
  }
}

TEST_F(ConverterTest, DecimalResultsOfHashNumbersAreExactValuesOfDoubles) {
  QRandomGenerator random(7);
  for (int trial = 0; trial < 200; ++trial) {
    const int base = 2 + static_cast<int>(random.bounded(35));
    QString text = QStringLiteral("#");
    const int length = 1 + static_cast<int>(random.bounded(99));
    for (int i = 0; i < length; ++i) {
      const int digit = static_cast<int>(random.bounded(base));
      text += QChar(digit < 10 ? u'0' + digit : u'A' + digit - 10);
    }
    const QString result = line(text, base);
    const QString decimal = result.mid(result.indexOf(" = ") + 3);
    // Read back, the decimal text gives a double whose exact value it is.
    EXPECT_EQ(BigWhole::fromDigits(decimal, 10), BigWhole::fromDouble(TextToNumber(decimal)))
        << result.toStdString();
  }
}

TEST_F(ConverterTest, RefusesABaseOutsideTwoToThirtySix) {
  for (int base : {-2, 0, 1, 37, 1000}) {
    EXPECT_THROW(converter.convert("1", base), RuntimeError) << "base " << base;
  }
}

}  // namespace
