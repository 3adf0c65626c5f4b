#include "common/numeric_text.h"

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/runtime_error.h"

namespace veltrano {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

QString withoutBlanks(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (QChar c : text) {
    if (!isBlank(c)) kept.append(c);
  }
  return kept;
}

bool isRadixPrefix(const QString& kept) {
  return kept.size() >= 2 && kept[0] == u'&' && (kept[1].toUpper() == u'H' || kept[1].toUpper() == u'O');
}

int radixOf(const QString& kept) { return kept[1].toUpper() == u'H' ? 16 : 8; }

int radixDigit(QChar character) {
  const char16_t c = character.toUpper().unicode();
  return (c >= u'0' && c <= u'9') ? c - u'0' : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : 99;
}

// The digits that follow "&H" or "&O".
int radixDigitCount(const QString& kept, int radix) {
  int i = 2;
  while (i < kept.size() && radixDigit(kept[i]) < radix) ++i;
  return i - 2;
}

// "&H" and "&O" numbers are whole numbers of at most 32 bits: four hex
// digits or fewer are a 16-bit two's complement value and more are a 32-bit
// one, so that &HFFFF reads as -1 as a 16-bit register shows it.
double radixNumber(const QString& kept, int radix) {
  const int digits = radixDigitCount(kept, radix);
  std::uint64_t value = 0;
  for (int i = 2; i < 2 + digits; ++i) {
    value = value * radix + radixDigit(kept[i]);
    if (value > 0xFFFFFFFFull) raise(ErrorNumber::Overflow);
  }
  if (digits == 0) return 0.0;
  if (value <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(value));
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// The longest prefix of text that forms a decimal number, as plain ASCII
// ready for the C library: sign, digits with at most one point, exponent.
// length is how many characters of text it spans, 0 when there is none.
struct DecimalPrefix {
  std::string literal;
  int length = 0;
};

DecimalPrefix numberPrefix(const QString& text) {
  DecimalPrefix prefix;
  std::string& literal = prefix.literal;
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
    if (exponentDigits > 0) {
      literal += exponent;
      i = j;
    }
  }
  prefix.length = i;
  return prefix;
}

// How many characters of the blank-free text the number spans.
int readLength(const QString& kept) {
  if (isRadixPrefix(kept)) {
    const int digits = radixDigitCount(kept, radixOf(kept));
    return digits == 0 ? 0 : 2 + digits;
  }
  return numberPrefix(kept).length;
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
  if (isRadixPrefix(kept)) return radixNumber(kept, radixOf(kept));
  const std::string literal = numberPrefix(kept).literal;
  return literal.empty() ? 0.0 : parseDecimal(literal);
}

NumberExtent ReadNumberExtent(const QString& text) {
  const QString kept = withoutBlanks(text);
  const int length = readLength(kept);
  // The rest holds the characters after the number that are not blanks;
  // count them back from the end of the text, blanks among them kept.
  qsizetype unread = kept.size() - length;
  qsizetype restStart = text.size();
  while (unread > 0) {
    --restStart;
    if (!isBlank(text[restStart])) --unread;
  }
  return {length > 0, text.mid(restStart).trimmed()};
}

namespace {

char* appendText(char* out, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

// The fifteen significant digits of a finite, non-zero magnitude, without
// trailing zeros, and its decimal exponent.
struct SignificantDigits {
  char digits[16];
  int count = 0;
  int exponent = 0;
};

SignificantDigits significantDigits(double magnitude) {
  char scientific[40];
  const auto converted =
      std::to_chars(scientific, scientific + sizeof scientific, magnitude, std::chars_format::scientific, 14);
  *converted.ptr = '\0';
  // scientific is "d.dddddddddddddde+XX": fifteen digits and the exponent.
  SignificantDigits result;
  const char* p = scientific;
  for (; *p != 'e'; ++p) {
    if (*p != '.') result.digits[result.count++] = *p;
  }
  result.exponent = std::atoi(p + 1);
  while (result.count > 1 && result.digits[result.count - 1] == '0') --result.count;
  return result;
}

char* appendExponentForm(char* out, const SignificantDigits& d) {
  *out++ = d.digits[0];
  if (d.count > 1) {
    *out++ = '.';
    std::memcpy(out, d.digits + 1, static_cast<std::size_t>(d.count - 1));
    out += d.count - 1;
  }
  *out++ = 'E';
  *out++ = d.exponent < 0 ? '-' : '+';
  const int magnitude = std::abs(d.exponent);
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

char* appendPlainForm(char* out, const SignificantDigits& d) {
  if (d.exponent >= 0) {
    const int whole = d.exponent + 1;
    for (int i = 0; i < whole; ++i) *out++ = i < d.count ? d.digits[i] : '0';
    if (d.count > whole) {
      *out++ = '.';
      std::memcpy(out, d.digits + whole, static_cast<std::size_t>(d.count - whole));
      out += d.count - whole;
    }
    return out;
  }
  *out++ = '0';
  *out++ = '.';
  for (int i = 0; i < -d.exponent - 1; ++i) *out++ = '0';
  std::memcpy(out, d.digits, static_cast<std::size_t>(d.count));
  return out + d.count;
}

}  // namespace

// The rule for the exponent form: with the value rounded to 15 significant
// digits and written as d.ddd times ten to the power e, the plain form is used
// for -5 < e < 15 and the exponent form otherwise. So every whole number of up
// to 15 digits is plain (123456789012345), 1E+15 and beyond are not, and small
// values are plain down to 0.0001 while 0.00001 becomes 1E-05.
char* AppendNumberText(char* out, double value) {
  if (value == 0.0) return appendText(out, "0");
  if (std::isnan(value)) return appendText(out, "NaN");
  if (std::isinf(value)) return appendText(out, value > 0 ? "Infinity" : "-Infinity");
  const SignificantDigits d = significantDigits(std::fabs(value));
  if (value < 0) *out++ = '-';
  return d.exponent >= 15 || d.exponent <= -5 ? appendExponentForm(out, d) : appendPlainForm(out, d);
}

QString NumberToText(double value) {
  char text[kNumberTextCapacity];
  const char* end = AppendNumberText(text, value);
  return QString::fromLatin1(text, end - text);
}

QString IntegerToText(std::int32_t value) { return QString::number(value); }

QString NumberLineText(std::int32_t value) {
  return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
         QString::number(static_cast<qint64>(value) < 0 ? -static_cast<qint64>(value) : value) +
         QStringLiteral(" ");
}

}  // namespace veltrano
