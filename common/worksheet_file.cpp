#include "common/worksheet_file.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/file_access.h"
#include "common/input_notes.h"
#include "common/numeric_text.h"
#include "common/real.h"
#include "common/runtime_error.h"

namespace veltrano {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the five bytes it leaves undefined map
// to the C1 control of the same code, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeChar(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// A field as the error box shows it: trimmed, and cut when it is long.
QString shownField(const QString& field) {
  const QString text = field.trimmed();
  return text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
}

// Worksheets write printable text, tabs and line ends; any other control
// character comes from a file of some other kind.
bool isForeignCharacter(QChar c) {
  return (c.unicode() < 0x20 && c != u'\t' && !isLineEnd(c)) || c.unicode() == 0x7F;
}

bool needsQuotes(const QString& text) {
  if (text.startsWith(u' ') || text.startsWith(u'\t')) return true;
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c == u',' || c == u'"' || isLineEnd(c); });
}

}  // namespace

QString decodeWindows1252(const QByteArray& bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    text[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
  }
  return text;
}

QByteArray encodeWindows1252(const QString& text, qsizetype* unencodable) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  qsizetype lost = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    bytes[i] = encodeChar(text[i].unicode());
    // A character beyond 16 bits is two halves, two "?", but one character.
    if (bytes[i] == '?' && text[i] != u'?' && !text[i].isLowSurrogate()) ++lost;
  }
  if (unencodable) *unencodable += lost;
  return bytes;
}

WorksheetReader::WorksheetReader(const QByteArray& bytes, QString path)
    : text_(decodeWindows1252(bytes)), path_(std::move(path)) {}

WorksheetReader WorksheetReader::fromFile(const QString& path) {
  return WorksheetReader(readRegularFile(path), path);
}

// Lines are counted only for an error's sake, so reading never pays for it.
qsizetype WorksheetReader::lineAt(qsizetype pos) const {
  qsizetype line = 1;
  for (qsizetype i = 0; i < pos && i < text_.size(); ++i) {
    if (text_[i] == u'\n' || (text_[i] == u'\r' && (i + 1 >= text_.size() || text_[i + 1] != u'\n'))) ++line;
  }
  return line;
}

void WorksheetReader::pastEnd(qint64 missing, const QString& kind) const {
  const bool empty = text_.isEmpty();
  QString cause = empty ? QStringLiteral("the file is empty")
                        : QStringLiteral("line %1: the file ends here").arg(lineAt(text_.size()));
  if (missing > 0) {
    cause += QStringLiteral(", but %1%2 %3%4 expected")
                 .arg(missing)
                 .arg(empty ? QString() : QStringLiteral(" more"), kind,
                      missing == 1 ? QStringLiteral(" was") : QStringLiteral("s were"));
  }
  raise(ErrorNumber::InputPastEndOfFile, path_, cause);
}

QString WorksheetReader::fieldPlace() const { return QStringLiteral("line %1: ").arg(lineAt(fieldStart_)); }

void WorksheetReader::badField(ErrorNumber number, const QString& field, const QString& why) const {
  raise(number, path_, fieldPlace() + QStringLiteral("'%1' %2").arg(shownField(field), why));
}

void WorksheetReader::skipBlanks() {
  while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t')) ++pos_;
}

// Moves past the comma or line end that closes a field.
void WorksheetReader::skipPastDelimiter() {
  while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
  if (pos_ >= text_.size()) return;
  // A CR LF pair closes a line as one delimiter.
  if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
  ++pos_;
}

QString WorksheetReader::readField() {
  skipBlanks();
  if (atEnd()) pastEnd();
  fieldStart_ = pos_;
  QString field;
  if (text_[pos_] == u'"') {
    const qsizetype close = text_.indexOf(u'"', pos_ + 1);
    const qsizetype end = close < 0 ? text_.size() : close;
    field = text_.mid(pos_ + 1, end - pos_ - 1);
    pos_ = close < 0 ? end : close + 1;
  } else {
    const qsizetype start = pos_;
    while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
    field = text_.mid(start, pos_ - start);
  }
  skipPastDelimiter();
  return field;
}

QStringList WorksheetReader::readFields(int count) {
  QStringList fields;
  for (int i = 0; i < count; ++i) {
    skipBlanks();
    if (atEnd()) pastEnd(count - i, QStringLiteral("field"));
    fields.append(readField());
  }
  return fields;
}

std::int32_t WorksheetReader::readCount() {
  const QString field = readField().trimmed();
  if (field.isEmpty()) return 0;
  const QString notANumber = QStringLiteral("is not a number");
  // Only a plain decimal number counts: Qt's parser would also take "inf" and "nan".
  for (QChar c : field) {
    if (!(c.isDigit() || c == u'.' || c == u'+' || c == u'-' || c == u'e' || c == u'E')) {
      badField(ErrorNumber::TypeMismatch, field, notANumber);
    }
  }
  bool ok = false;
  const double value = field.toDouble(&ok);  // always the C locale's full stop
  const QString tooLarge = QStringLiteral("is too large for a count");
  if (!ok && !std::isinf(value)) badField(ErrorNumber::TypeMismatch, field, notANumber);
  if (!ok || !(std::fabs(value) < 2147483648.5)) badField(ErrorNumber::Overflow, field, tooLarge);
  if (value != std::trunc(value)) fractionalCount_ = field;
  return ToLong(value);
}

// Rows are read one by one, never reserved from the count, so that a
// corrupt count cannot ask for memory the file does not back.
QStringList WorksheetReader::readRows(std::int32_t maxRows, const RowCheck& check) {
  const std::int32_t count = readCount();
  if (count > maxRows) {
    raise(ErrorNumber::Overflow, path_,
          fieldPlace() + QStringLiteral("%1 rows are more than the list holds (%2)").arg(count).arg(maxRows));
  }
  QStringList rows;
  for (std::int32_t i = 0; i < count; ++i) {
    skipBlanks();
    if (atEnd()) pastEnd(count - i, QStringLiteral("row"));
    rows.append(readField());
    if (check && doubt_.isEmpty()) {
      const QString why = check(rows.constLast());
      if (!why.isEmpty()) doubtLastField(why);
    }
  }
  return rows;
}

void WorksheetReader::doubtLastField(const QString& why) {
  if (doubt_.isEmpty()) doubt_ = fieldPlace() + why;
}

QStringList WorksheetReader::readNumberFields(int count) {
  QStringList fields;
  for (int i = 0; i < count; ++i) {
    fields.append(readFields(1).constFirst());
    if (HoldsNoNumber(fields.constLast()))
      doubtLastField(QStringLiteral("'%1' is not a number").arg(shownField(fields.constLast())));
  }
  return fields;
}

QString WorksheetReader::misfit() const {
  QString sign = foreignCharacter();
  if (sign.isEmpty()) sign = doubt_;
  if (sign.isEmpty()) sign = leftOver();
  return sign;
}

QString WorksheetReader::foreignCharacter() const {
  const auto found = std::find_if(text_.cbegin(), text_.cend(), isForeignCharacter);
  if (found == text_.cend()) return {};
  return QStringLiteral("line %1: the control character 0x%2 is in no worksheet file")
      .arg(lineAt(found - text_.cbegin()))
      .arg(found->unicode(), 2, 16, QLatin1Char('0'));
}

// Blank lines after the last field are nothing left over.
QString WorksheetReader::leftOver() const {
  qsizetype start = pos_;
  while (start < text_.size() && (text_[start].isSpace())) ++start;
  if (start >= text_.size()) return {};
  const qsizetype first = lineAt(start);
  qsizetype last = lineAt(text_.size());
  if (isLineEnd(text_.back())) --last;  // the last line end closes a line, it opens none
  const qsizetype lines = last - first + 1;
  return QStringLiteral("line %1: %2 more %3 not read")
      .arg(first)
      .arg(lines)
      .arg(lines == 1 ? QStringLiteral("line was") : QStringLiteral("lines were"));
}

void WorksheetWriter::line(const QString& text) { bytes_ += encodeWindows1252(text, &unencodable_) + "\r\n"; }

void WorksheetWriter::textLine(const QString& text) {
  if (needsQuotes(text)) {
    quotedLine(text);
  } else {
    line(text);
  }
}

void WorksheetWriter::numberLine(std::int32_t value) { line(NumberLineText(value)); }

void WorksheetWriter::quotedLine(const QString& text) {
  const qsizetype quotes = text.count(u'"');
  apostrophes_ += quotes;
  line(u'"' + (quotes ? QString(text).replace(u'"', u'\'') : text) + u'"');
}

QString WorksheetWriter::changesNote() const {
  QStringList changes;
  auto count = [](qsizetype n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
  };
  if (unencodable_ > 0) {
    changes << count(unencodable_, "character", "characters") +
                   QStringLiteral(" that Windows-1252 cannot hold as \"?\"");
  }
  if (apostrophes_ > 0)
    changes << count(apostrophes_, "double quote", "double quotes") + QStringLiteral(" as '");
  if (changes.isEmpty()) return {};
  return QStringLiteral("Saved with ") + changes.join(QStringLiteral(" and "));
}

void WorksheetWriter::commit(const QString& path) const { replaceFileContent(path, bytes_); }

}  // namespace veltrano
