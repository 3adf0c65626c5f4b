#include "common/worksheet_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <cmath>

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

[[noreturn]] void raiseForMissing(const QString& path) {
  const QFileInfo info(path);
  if (!info.absoluteDir().exists()) raise(ErrorNumber::PathNotFound, path);
  raise(ErrorNumber::FileNotFound, path);
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

QByteArray encodeWindows1252(const QString& text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) bytes[i] = encodeChar(text[i].unicode());
  return bytes;
}

WorksheetReader::WorksheetReader(const QByteArray& bytes, QString path)
    : text_(decodeWindows1252(bytes)), path_(std::move(path)) {}

WorksheetReader WorksheetReader::fromFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) raiseForMissing(path);
  QFile file(path);
  if (info.isDir() || !file.open(QIODevice::ReadOnly)) raise(ErrorNumber::PathFileAccess, path);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) raise(ErrorNumber::PathFileAccess, path);
  return WorksheetReader(bytes, path);
}

void WorksheetReader::pastEnd() const { raise(ErrorNumber::InputPastEndOfFile, path_); }

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

std::int32_t WorksheetReader::readCount() {
  const QString field = readField().trimmed();
  if (field.isEmpty()) return 0;
  // Only a plain decimal number counts: Qt's parser would also take "inf" and "nan".
  for (QChar c : field) {
    if (!(c.isDigit() || c == u'.' || c == u'+' || c == u'-' || c == u'e' || c == u'E')) {
      raise(ErrorNumber::TypeMismatch, path_);
    }
  }
  bool ok = false;
  const double value = field.toDouble(&ok);  // always the C locale's full stop
  if (!ok) raise(std::isinf(value) ? ErrorNumber::Overflow : ErrorNumber::TypeMismatch, path_);
  if (!(std::fabs(value) < 2147483648.5)) raise(ErrorNumber::Overflow, path_);
  if (value != std::trunc(value)) fractionalCount_ = field;
  return ToLong(value);
}

void WorksheetWriter::textLine(const QString& text) { bytes_ += encodeWindows1252(text) + "\r\n"; }

void WorksheetWriter::numberLine(std::int32_t value) { textLine(NumberLineText(value)); }

void WorksheetWriter::quotedLine(const QString& text) { textLine(u'"' + text + u'"'); }

void WorksheetWriter::commit(const QString& path) const {
  const QFileInfo info(path);
  if (!info.absoluteDir().exists()) raise(ErrorNumber::PathNotFound, path);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) raise(ErrorNumber::PathFileAccess, path);
  if (file.write(bytes_) != bytes_.size() || !file.commit()) raise(ErrorNumber::PathFileAccess, path);
}

}  // namespace veltrano
