#include "bases/base_converter.h"

#include <algorithm>
#include <string>

#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace veltrano::bases {
namespace {

constexpr int kDigitCodeOffset = 48;  // the code of "0"

// The value of "0" to "9" and "A" to "Z" as a digit of base 36; nothing for
// any other character.
std::optional<int> base36Digit(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'A' && c <= u'Z') return c.unicode() - u'A' + 10;
  return std::nullopt;
}

// Why one character cannot stand where it does. The decimal direction knows
// only digits and points: a second point ends its number there.
QString characterReason(QChar c, bool inBase, bool secondPoint, int base) {
  if (c == u'.')
    return secondPoint && inBase ? QStringLiteral("A number can have only one point") : QString();
  if (c == u'-')
    return QStringLiteral("A minus sign cannot stand in a number: only numbers of 0 or more convert");
  if (c == u'#')
    return QStringLiteral("'#' can stand only first, before a number written in base %1").arg(base);
  const int digitBase = inBase ? base : 10;
  const std::optional<int> digit = base36Digit(c);
  if (!digit) {
    if (c.isSpace()) return QStringLiteral("A blank cannot stand in a number");
    return QStringLiteral("'%1' is no digit of any base up to 36 and no sign a number can have").arg(c);
  }
  if (*digit < digitBase) return {};
  QString reason = QStringLiteral("'%1' is a digit too large for base %2").arg(c).arg(digitBase);
  if (!inBase && *digit < base) reason += QStringLiteral(": numbers in base %1 begin with #").arg(base);
  return reason;
}

// base^exponent, the denominator of a fraction with that many digits.
mpz_class power(int base, qsizetype exponent) {
  mpz_class result;
  mpz_ui_pow_ui(result.get_mpz_t(), static_cast<unsigned long>(base), static_cast<unsigned long>(exponent));
  return result;
}

}  // namespace

BaseConverter::BaseConverter() {
  for (int i = 0; i <= 9; ++i) digitChar_[i] = QChar(u'0' + i);
  for (int i = 10; i <= 35; ++i) digitChar_[i] = QChar(i + 55);
  for (int i = 0; i <= 9; ++i) digitValue_[i] = i;
  for (int i = 17; i <= 42; ++i) digitValue_[i] = i - 7;
}

std::optional<QString> BaseConverter::convert(const QString& numberText, std::int32_t base) const {
  if (!isValidBase(base)) raise(ErrorNumber::InvalidCall);
  const QString text = numberText.toUpper();
  // The digit places hold 100 characters; a longer number cannot be converted.
  if (text.size() > kMaxTextLength) return std::nullopt;
  if (text.startsWith(u'#')) return baseToDecimal(text, base);
  return decimalToBase(text, base);
}

QString BaseConverter::illegalReason(const QString& numberText, std::int32_t base) const {
  const QString text = numberText.toUpper();
  if (text.size() > kMaxTextLength)
    return QStringLiteral("A number can have at most %1 characters").arg(kMaxTextLength);
  const bool inBase = text.startsWith(u'#');
  bool pointSeen = false;
  for (qsizetype i = inBase ? 1 : 0; i < text.size(); ++i) {
    const QString reason = characterReason(text[i], inBase, pointSeen, base);
    if (!reason.isEmpty()) return reason;
    pointSeen = pointSeen || text[i] == u'.';
  }
  return {};
}

std::optional<QString> BaseConverter::decimalToBase(const QString& text, int base) const {
  // Only digits and points: a sign, a blank, a comma, a letter or an
  // exponent would be a number the user did not mean.
  const bool legal =
      std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'.' || (c >= u'0' && c <= u'9'); });
  if (!legal) return std::nullopt;
  // A second point ends the number: "1.2.3" is 1.2.
  const qsizetype secondPoint = text.indexOf(u'.', text.indexOf(u'.') + 1);
  const mpq_class value = exactValue(secondPoint < 0 ? text : text.left(secondPoint), 10).value();
  return text + QStringLiteral(" = #") + digitsInBase(value, base) + QStringLiteral(" (BASE") +
         IntegerToText(base) + QStringLiteral(")");
}

std::optional<QString> BaseConverter::baseToDecimal(const QString& text, int base) const {
  const std::optional<mpq_class> value = exactValue(text.mid(1), base);
  if (!value) return std::nullopt;
  return text + QStringLiteral(" (BASE") + IntegerToText(base) + QStringLiteral(") = ") +
         digitsInBase(*value, 10);
}

std::optional<mpq_class> BaseConverter::exactValue(const QString& digits, int base) const {
  const qsizetype point = digits.indexOf(u'.');
  std::string allDigits;  // whole and fraction digits together, without the point
  allDigits.reserve(static_cast<std::size_t>(digits.size()));
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i == point) continue;
    if (!digitOf(digits[i], base)) return std::nullopt;  // a second point is refused here
    allDigits.push_back(static_cast<char>(digits[i].unicode()));
  }
  // The digits as one whole number, over base^(fraction digits). GMP reads
  // upper-case letters as the digits 10 to 35 in bases up to 36.
  const qsizetype fractionLength = point < 0 ? 0 : digits.size() - point - 1;
  mpq_class value(allDigits.empty() ? mpz_class(0) : mpz_class(allDigits, base), power(base, fractionLength));
  value.canonicalize();
  return value;
}

std::optional<int> BaseConverter::digitOf(QChar character, int base) const {
  const int c = character.unicode() - kDigitCodeOffset;
  if (c < 0) return std::nullopt;                       // the point and everything below "0"
  if (base <= 10 && c > base - 1) return std::nullopt;  // a digit the base lacks
  if (c > base + 6) return std::nullopt;                // a letter the base lacks, or beyond "Z"
  if (c > 9 && c < 17) return std::nullopt;             // the characters between "9" and "A"
  return digitValue_[static_cast<std::size_t>(c)];
}

QString BaseConverter::digitsInBase(const mpq_class& value, int base) const {
  mpz_class whole, remainder;
  mpz_fdiv_qr(whole.get_mpz_t(), remainder.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
  // A negative base asks GMP for upper-case letters, as the digit table has them.
  QString digits = QString::fromStdString(whole.get_str(-base));
  if (remainder != 0) digits += u'.' + fractionDigits(remainder, value.get_den(), base);
  return digits;
}

// Digit by digit: times the base, the whole part is the next digit and the
// rest goes on. A fraction with no end in the base is cut after
// kMaxFractionDigits digits, the last one not rounded.
QString BaseConverter::fractionDigits(mpz_class numerator, const mpz_class& denominator, int base) const {
  QString digits;
  mpz_class digit;
  for (int j = 1; j <= kMaxFractionDigits && numerator != 0; ++j) {
    numerator *= base;
    mpz_fdiv_qr(digit.get_mpz_t(), numerator.get_mpz_t(), numerator.get_mpz_t(), denominator.get_mpz_t());
    digits.append(digitChar_[digit.get_ui()]);
  }
  return digits;
}

}  // namespace veltrano::bases
