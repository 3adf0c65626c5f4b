#pragma once

#include <gmpxx.h>

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace veltrano::bases {

// Converts one number between decimal and a base from 2 to 36, whole part and
// fraction alike. A number typed plainly is decimal and goes into the base; a
// number that begins with "#" is written in the base and comes back in
// decimal. The number is read as the exact fraction its digits write, and the
// digits of the answer are exact: the whole part complete, the fraction until
// it ends or kMaxFractionDigits digits are written. The answer is the line the
// result list shows, or nothing when the text holds a character that the
// direction does not allow.
class BaseConverter {
 public:
  static constexpr int kMinBase = 2;
  static constexpr int kMaxBase = 36;
  // The longest number text, "#" included; a longer one is refused.
  static constexpr int kMaxTextLength = 100;
  // Digits kept after the point; an expansion that goes on is cut there.
  static constexpr int kMaxFractionDigits = 100;

  // Fills the digit tables, as the window does when it loads.
  BaseConverter();

  static bool isValidBase(std::int32_t base) { return base >= kMinBase && base <= kMaxBase; }

  // The result line for the number text as the field shows it, upper-cased:
  // "11 = #1011 (BASE2)" or "#1011 (BASE2) = 11". Nothing for an illegal
  // number. A base outside 2 to 36 raises Invalid procedure call.
  std::optional<QString> convert(const QString& numberText, std::int32_t base) const;

  // Why convert gives nothing for this text, in plain words for the status
  // line: the first character the direction does not allow, or the length.
  // Empty for a number convert takes.
  QString illegalReason(const QString& numberText, std::int32_t base) const;

  // The exact value of upper-case digits in the base with at most one point,
  // as a "#" number has them after its "#" (any length; an empty whole or
  // fraction part is 0). Nothing when a character is not a digit of the base
  // or a second point follows.
  std::optional<mpq_class> exactValue(const QString& digits, int base) const;

  // The digits of a value of 0 or more in a base: the whole part complete,
  // then a point and at most kMaxFractionDigits fraction digits when there is
  // a fraction.
  QString digitsInBase(const mpq_class& value, int base) const;
  // The same for the exact value of a double.
  QString digitsInBase(double value, int base) const { return digitsInBase(mpq_class(value), base); }

 private:
  std::optional<QString> decimalToBase(const QString& text, int base) const;
  std::optional<QString> baseToDecimal(const QString& text, int base) const;
  std::optional<int> digitOf(QChar character, int base) const;
  QString fractionDigits(mpz_class numerator, const mpz_class& denominator, int base) const;

  // The digit for each value 0 to 35: "0" to "9", then "A" to "Z".
  std::array<QChar, 36> digitChar_{};
  // The value of a digit character, indexed by its code minus 48 ("0"):
  // 0 to 9 for "0" to "9", 10 to 35 for "A" to "Z", 0 between them.
  std::array<int, 43> digitValue_{};
};

}  // namespace veltrano::bases
