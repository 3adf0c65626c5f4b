#include "factors/prime_table.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "common/file_access.h"
#include "common/runtime_error.h"
#include "common/worksheet_file.h"
#include "factors/prime_sieve.h"

namespace veltrano::factors {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the fields of a table file without decoding it to text first: the
// table has 100008 of them and the window must open without a pause. The
// fields split exactly as WorksheetReader splits them.
class FieldScanner {
 public:
  explicit FieldScanner(const QByteArray& bytes) : pos_(bytes.constData()), end_(pos_ + bytes.size()) {}

  // The next field, quotes included; false when the file has no more.
  bool next(QByteArrayView& field) {
    while (pos_ < end_ && isBlank(*pos_)) ++pos_;
    if (pos_ >= end_) return false;
    const char* start = pos_;
    if (*pos_ == '"') {
      const char* close = static_cast<const char*>(std::memchr(pos_ + 1, '"', end_ - pos_ - 1));
      pos_ = close ? close + 1 : end_;
    } else {
      while (pos_ < end_ && *pos_ != ',' && !isLineEnd(*pos_)) ++pos_;
    }
    field = QByteArrayView(start, pos_ - start);
    skipPastDelimiter();
    return true;
  }

 private:
  void skipPastDelimiter() {
    while (pos_ < end_ && *pos_ != ',' && !isLineEnd(*pos_)) ++pos_;
    if (pos_ >= end_) return;
    if (*pos_ == '\r' && pos_ + 1 < end_ && pos_[1] == '\n') ++pos_;
    ++pos_;
  }

  const char* pos_;
  const char* end_;
};

// A field as a 32-bit number. Plain digits, the whole of a correct table,
// are read on the spot; anything else goes through the worksheet reader's
// own count rule so that both read every field alike.
std::int32_t fieldValue(QByteArrayView field) {
  qsizetype length = field.size();
  while (length > 0 && isBlank(field[length - 1])) --length;
  if (length == 0) return 0;  // as the reader counts an empty field
  if (length > 0 && length <= 9) {
    std::int32_t value = 0;
    qsizetype i = 0;
    for (; i < length && isDigit(field[i]); ++i) value = value * 10 + (field[i] - '0');
    if (i == length) return value;
  }
  return WorksheetReader(field.toByteArray()).readCount();
}

QString shown(QByteArrayView field) {
  const QString text = decodeWindows1252(field.first(std::min<qsizetype>(field.size(), 24)).toByteArray());
  return field.size() > 24 ? text + QStringLiteral("...") : text;
}

[[noreturn]] void raiseAt(ErrorNumber number, const QString& path, std::int32_t index, const QString& why) {
  raise(number, path, QStringLiteral("number %1 of the table %2").arg(index).arg(why));
}

PrimeTable readTable(const QString& path) {
  return PrimeTable::fromBytes(readRegularFile(path, kMaxReadableFileBytes, QStringLiteral("prime table")),
                               path);
}

bool isMissing(const RuntimeError& error) {
  return error.number() == ErrorNumber::FileNotFound || error.number() == ErrorNumber::PathNotFound;
}

bool sameFile(const QString& a, const QString& b) {
  return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}

}  // namespace

// A table that leaves out a prime, or holds one that is none, gives wrong
// factors without a word: only the exact primes will do.
PrimeTable PrimeTable::fromBytes(const QByteArray& bytes, const QString& path) {
  PrimeSequence primes(LargestPrime);
  PrimeTable table;
  FieldScanner fields(bytes);
  QByteArrayView field;
  for (std::int32_t i = 1; i <= TableSize; ++i) {
    if (!fields.next(field)) {
      raise(ErrorNumber::InputPastEndOfFile, path,
            QStringLiteral("the file holds %1 numbers; the table needs %2").arg(i - 1).arg(TableSize));
    }
    std::int32_t value = 0;
    try {
      value = fieldValue(field);
    } catch (const RuntimeError& e) {
      raiseAt(e.number(), path, i, QStringLiteral("is \"%1\"").arg(shown(field)));
    }
    const std::int32_t prime = primes.next();
    if (value != prime) {
      raiseAt(ErrorNumber::TypeMismatch, path, i,
              QStringLiteral("is %1, where the prime %2 belongs").arg(value).arg(prime));
    }
    table.entries_[i] = value;
  }
  return table;
}

PrimeTable PrimeTable::load(const QString& programFolder, const RefusalHandler& refused) {
  const QString here = QDir::current().absoluteFilePath(FileName);
  const QString beside = programFolder.isEmpty() ? QString() : QDir(programFolder).absoluteFilePath(FileName);
  const bool besideExists = !beside.isEmpty() && QFileInfo::exists(beside);
  if (QFileInfo::exists(here)) {
    try {
      return readTable(here);
    } catch (const RuntimeError& error) {
      if (!besideExists || sameFile(here, beside)) throw;  // nothing else to try
      if (refused) refused(error);
    }
  }
  if (besideExists) return readTable(beside);
  // A program folder that cannot be searched hides its table: its own
  // error (permission denied) says so, where "not found" would mislead.
  if (!beside.isEmpty()) {
    try {
      return readTable(beside);
    } catch (const RuntimeError& error) {
      if (!isMissing(error)) throw;
    }
  }

  QString places = QDir::currentPath();
  if (!programFolder.isEmpty() && QDir(programFolder) != QDir::current()) {
    places += QStringLiteral("\nand in ") + QDir(programFolder).absolutePath();
  }
  raise(ErrorNumber::FileNotFound, QStringLiteral("%1 was looked for in %2").arg(FileName, places));
}

}  // namespace veltrano::factors
