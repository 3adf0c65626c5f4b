#include "factors/factors_file.h"

#include <QRegularExpression>

#include "common/input_notes.h"
#include "common/worksheet_file.h"

namespace veltrano::factors {

namespace {

// The number as the display writes it, "= ", then a word, or the primes
// found each followed by two blanks and what was left, if more than 1.
QString factorsRowDoubt(const QString& row) {
  static const QRegularExpression kRow(
      QStringLiteral(R"(^-?\d+(\.\d+)?(E[+-]\d+)?= (TOO LARGE|ILLEGAL|NEUTRAL|PRIME|(\d+  )+\d*)$)"));
  if (kRow.match(row).hasMatch()) return {};
  return QStringLiteral("%1 is no row of prime factors").arg(QuotedExcerpt(row));
}

}  // namespace

QStringList readFactorsFile(WorksheetReader& file) { return file.readRows(kMaxListRows, factorsRowDoubt); }

}  // namespace veltrano::factors
