#include "bases/base_converter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace veltrano::bases {
namespace {

constexpr int kDigitCodeOffset = 48;  // the code of "0"

// A whole number of any size as 32-bit limbs, least significant first; just
// enough arithmetic to take a double's whole part apart digit by digit.
class WholeNumber {
 public:
  // The exact value of a double that holds a whole number (0 or more).
  explicit WholeNumber(double whole) {
    if (whole <= 0.0) return;
    int exponent = 0;
    const double fraction = std::frexp(whole, &exponent);  // whole = fraction * 2^exponent
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int shift = exponent - 53;
    if (shift < 0) {
      mantissa >>= -shift;  // only zero bits go: the value is whole
      shift = 0;
    }
    limbs_.assign(static_cast<std::size_t>(shift / 32), 0);
    const int bitShift = shift % 32;
    const unsigned __int128 shifted = static_cast<unsigned __int128>(mantissa) << bitShift;
    for (int i = 0; i < 3; ++i) limbs_.push_back(static_cast<std::uint32_t>(shifted >> (32 * i)));
    trim();
  }

  bool isZero() const { return limbs_.empty(); }

  // Divides in place and returns the remainder.
  std::uint32_t divideBy(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
      const std::uint64_t current = (remainder << 32) | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
  }

 private:
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

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

std::optional<QString> BaseConverter::decimalToBase(const QString& text, int base) const {
  // Only digits and points: a sign, a blank, a comma, a letter or an
  // exponent would be read by TextToNumber and give a wrong number silently.
  const bool legal =
      std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'.' || (c >= u'0' && c <= u'9'); });
  if (!legal) return std::nullopt;
  // A second point ends the reading: "1.2.3" is 1.2.
  const double value = TextToNumber(text);
  return text + QStringLiteral(" = #") + digitsInBase(value, base) + QStringLiteral(" (BASE") +
         IntegerToText(base) + QStringLiteral(")");
}

std::optional<QString> BaseConverter::baseToDecimal(const QString& text, int base) const {
  const QString number = text.mid(1);
  const qsizetype point = number.indexOf(u'.');
  const QString wholeText = point < 0 ? number : number.left(point);
  const QString fractionText = point < 0 ? QString() : number.mid(point + 1);

  std::vector<int> wholeDigitsIn;
  for (QChar c : wholeText) {
    const std::optional<int> digit = digitOf(c, base);
    if (!digit) return std::nullopt;
    wholeDigitsIn.push_back(*digit);
  }
  std::vector<int> fractionDigitsIn;
  for (QChar c : fractionText) {
    const std::optional<int> digit = digitOf(c, base);  // a second point is refused here
    if (!digit) return std::nullopt;
    fractionDigitsIn.push_back(*digit);
  }

  // Least significant term first, then the fraction from its first digit.
  double value = 0.0;
  const auto k = static_cast<int>(wholeDigitsIn.size());
  for (int p = 0; p < k; ++p) value = std::pow(base, p) * wholeDigitsIn[k - 1 - p] + value;
  for (int j = 1; j <= static_cast<int>(fractionDigitsIn.size()); ++j) {
    value = fractionDigitsIn[j - 1] / std::pow(base, j) + value;
  }
  return text + QStringLiteral(" (BASE") + IntegerToText(base) + QStringLiteral(") = ") +
         digitsInBase(value, 10);
}

std::optional<int> BaseConverter::digitOf(QChar character, int base) const {
  const int c = character.unicode() - kDigitCodeOffset;
  if (c < 0) return std::nullopt;                       // the point and everything below "0"
  if (base <= 10 && c > base - 1) return std::nullopt;  // a digit the base lacks
  if (c > base + 6) return std::nullopt;                // a letter the base lacks, or beyond "Z"
  if (c > 9 && c < 17) return std::nullopt;             // the characters between "9" and "A"
  return digitValue_[static_cast<std::size_t>(c)];
}

QString BaseConverter::digitsInBase(double value, int base) const {
  const double wholePart = std::floor(value);
  const double fractionPart = value - wholePart;
  QString digits = wholeDigits(wholePart, base);
  if (fractionPart != 0.0) digits += u'.' + fractionDigits(fractionPart, base);
  return digits;
}

// Exact division: a whole part gets all its digits, up to the 1024 binary
// digits of the largest double. Taking remainders in floating point instead
// gets digits wrong from about 2^44 on in bases that are no power of two.
QString BaseConverter::wholeDigits(double wholePart, int base) const {
  WholeNumber number(wholePart);
  QString digits;
  do {
    digits.append(digitChar_[number.divideBy(static_cast<std::uint32_t>(base))]);
  } while (!number.isZero());
  std::reverse(digits.begin(), digits.end());
  return digits;
}

// The fraction is multiplied out in floating point, digit by digit; a
// fraction with no end in the base is cut after kMaxFractionDigits digits.
QString BaseConverter::fractionDigits(double fractionPart, int base) const {
  QString digits;
  for (int j = 1; j <= kMaxFractionDigits; ++j) {
    const double scaled = base * fractionPart;
    const double digit = std::floor(scaled);
    fractionPart = scaled - digit;
    // base * fractionPart rounds below base for every fraction below 1.
    digits.append(digitChar_[static_cast<std::size_t>(std::min(digit, base - 1.0))]);
    if (fractionPart == 0.0) break;
  }
  return digits;
}

}  // namespace veltrano::bases
