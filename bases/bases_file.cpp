#include "bases/bases_file.h"

#include <QRegularExpression>

#include "common/input_notes.h"
#include "common/worksheet_file.h"

namespace veltrano::bases {

namespace {

// Either way round, as the converter writes it: decimal digits to a base
// ("11 = #1011 (BASE2)") or digits of a base to decimal ("#1011 (BASE2) =
// 11"), the base from 2 to 36. A row of an empty number text lost its
// leading blank in files that did not quote it.
QString basesRowDoubt(const QString& row) {
  static const QRegularExpression kRow(
      QStringLiteral(R"(^(?:[0-9.]* ?= #[0-9A-Z.]* \(BASE(\d+)\)|#[0-9A-Z.]* \(BASE(\d+)\) = [0-9.]*)$)"));
  const QRegularExpressionMatch match = kRow.match(row);
  const int base = match.hasMatch() ? (match.captured(1) + match.captured(2)).toInt() : 0;
  if (base >= 2 && base <= 36) return {};
  return QStringLiteral("%1 is no row of a base conversion").arg(QuotedExcerpt(row));
}

}  // namespace

QStringList readBasesFile(WorksheetReader& file) { return file.readRows(kMaxListRows, basesRowDoubt); }

}  // namespace veltrano::bases
