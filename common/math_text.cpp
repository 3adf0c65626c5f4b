#include "common/math_text.h"

namespace veltrano {

QString Superscript(long long exponent) {
  static const QChar kDigits[] = {u'⁰', u'¹', u'²', u'³', u'⁴', u'⁵', u'⁶', u'⁷', u'⁸', u'⁹'};
  QString text;
  for (const QChar c : QString::number(exponent)) text += c == u'-' ? QChar(u'⁻') : kDigits[c.digitValue()];
  return text;
}

QString Operand(const QString& numberText) {
  return numberText.startsWith(u'-') ? u'(' + numberText + u')' : numberText;
}

}  // namespace veltrano
