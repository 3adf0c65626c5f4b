#include "common/numeric_text.h"

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/runtime_error.h"

namespace veltrano {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QString withoutBlanks(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (QChar c : text) {
    if (c != u' ' && c != u'\t' && c != u'\n') kept.append(c);
  }
  return kept;
}

// "&H" and "&O" numbers are whole numbers of at most 32 bits; as in the old
// BASIC dialects, four hex digits or fewer are a 16-bit two's complement
// value and more are a 32-bit one.
double radixNumber(const QString& text, int radix) {
  std::uint64_t value = 0;
  int digits = 0;
  for (int i = 2; i < text.size(); ++i) {
    const char16_t c = text[i].toUpper().unicode();
    const int digit = (c >= u'0' && c <= u'9') ? c - u'0' : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : 99;
    if (digit >= radix) break;
    value = value * radix + digit;
    if (value > 0xFFFFFFFFull) raise(ErrorNumber::Overflow);
    ++digits;
  }
  if (digits == 0) return 0.0;
  if (value <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(value));
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// The longest prefix of text that forms a decimal number, as plain ASCII
// ready for the C library: sign, digits with at most one point, exponent.
std::string numberPrefix(const QString& text) {
  std::string literal;
  int i = 0;
  const int n = static_cast<int>(text.size());
  if (i < n && (text[i] == u'+' || text[i] == u'-')) literal += static_cast<char>(text[i++].unicode());
  bool point = false;
  int mantissaDigits = 0;
  for (; i < n; ++i) {
    if (isDigit(text[i])) {
      literal += static_cast<char>(text[i].unicode());
      ++mantissaDigits;
    } else if (text[i] == u'.' && !point) {
      literal += '.';
      point = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return {};
  if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
    std::string exponent = "e";
    int j = i + 1;
    if (j < n && (text[j] == u'+' || text[j] == u'-')) exponent += static_cast<char>(text[j++].unicode());
    int exponentDigits = 0;
    for (; j < n && isDigit(text[j]); ++j, ++exponentDigits) exponent += static_cast<char>(text[j].unicode());
    if (exponentDigits > 0) literal += exponent;
  }
  return literal;
}

double parseDecimal(const std::string& literal) {
  static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  const double value = strtod_l(literal.c_str(), nullptr, cLocale);
  if (std::isinf(value)) raise(ErrorNumber::Overflow);
  return value;
}

}  // namespace

double TextToNumber(const QString& text) {
  const QString kept = withoutBlanks(text);
  if (kept.size() >= 2 && kept[0] == u'&') {
    const QChar kind = kept[1].toUpper();
    if (kind == u'H') return radixNumber(kept, 16);
    if (kind == u'O') return radixNumber(kept, 8);
  }
  const std::string literal = numberPrefix(kept);
  return literal.empty() ? 0.0 : parseDecimal(literal);
}

// The rule for the exponent form: with the value rounded to 15 significant
// digits and written as d.ddd times ten to the power e, the plain form is used
// for -5 < e < 15 and the exponent form otherwise. So every whole number of up
// to 15 digits is plain (123456789012345), 1E+15 and beyond are not, and small
// values are plain down to 0.0001 while 0.00001 becomes 1E-05.
QString NumberToText(double value) {
  if (value == 0.0) return QStringLiteral("0");
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");

  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  // buffer is "d.dddddddddddddde+XX": fifteen digits and the exponent.
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  if (exponent >= 15 || exponent <= -5) {
    text += digits[0];
    if (digits.size() > 1) text.append(1, '.').append(digits, 1);
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    text += exponentText;
  } else if (exponent >= 0) {
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      text += digits + std::string(whole - digits.size(), '0');
    } else {
      text.append(digits, 0, whole).append(1, '.').append(digits, whole);
    }
  } else {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  }
  return QString::fromLatin1(text);
}

QString IntegerToText(std::int32_t value) { return QString::number(value); }

QString NumberLineText(std::int32_t value) {
  return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
         QString::number(static_cast<qint64>(value) < 0 ? -static_cast<qint64>(value) : value) +
         QStringLiteral(" ");
}

}  // namespace veltrano
