#include "common/input_notes.h"

#include <QStringList>

#include "common/numeric_text.h"
#include "common/real.h"
#include "common/runtime_error.h"

namespace veltrano {
namespace {

constexpr qsizetype kExcerptLength = 24;

// Sign and point alone: a number being typed, not a mistake.
bool isNumberBeingTyped(const QString& text) {
  static const QStringList kStarts = {QString(),           QStringLiteral("-"),  QStringLiteral("+"),
                                      QStringLiteral("."), QStringLiteral("-."), QStringLiteral("+.")};
  return kStarts.contains(text);
}

}  // namespace

QString QuotedExcerpt(const QString& text) {
  const QString simple = text.simplified();
  if (simple.size() <= kExcerptLength) return u'\'' + simple + u'\'';
  return u'\'' + simple.left(kExcerptLength - 3) + QStringLiteral("...'");
}

QString NoteNumberText(double value, int significantDigits) {
  const double rounded = QString::number(value, 'g', significantDigits).toDouble();
  QString text = NumberToText(rounded);
  if (text.startsWith(u'-')) text[0] = QChar(0x2212);  // the exponent's sign stays as written
  return text;
}

QString PartialReadingNote(const QString& name, const QString& text) {
  const NumberExtent extent = ReadNumberExtent(text);
  if (extent.rest.isEmpty() || (!extent.hasNumber && isNumberBeingTyped(extent.rest))) return {};
  double value = 0;
  try {
    value = TextToNumber(text);
  } catch (const RuntimeError&) {
    return {};
  }
  QString note = extent.hasNumber ? QStringLiteral("%1 is read as %2: %3 is not part of a number")
                                  : QStringLiteral("%1 is read as %2: %3 is not a number");
  note = note.arg(name, NumberToText(value), QuotedExcerpt(extent.rest));
  if (extent.rest.startsWith(u',')) note += QStringLiteral(" (the decimal separator is a point)");
  return note;
}

bool HoldsNoNumber(const QString& text) {
  const NumberExtent extent = ReadNumberExtent(text);
  return !extent.hasNumber && !isNumberBeingTyped(extent.rest);
}

QString FractionalCountNote(const QString& written) {
  if (written.isEmpty()) return {};
  return QStringLiteral("The count %1 in the file is read as %2")
      .arg(QuotedExcerpt(written), IntegerToText(ToLong(TextToNumber(written))));
}

}  // namespace veltrano
