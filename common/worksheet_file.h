#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace veltrano {

// Worksheet files are single-byte text in Windows-1252, so that files written
// on Windows machines open unchanged; lines end in CR LF. A character that has
// no place in Windows-1252 is written as "?", as Windows itself does.
QString decodeWindows1252(const QByteArray& bytes);
QByteArray encodeWindows1252(const QString& text);

// Reads a worksheet file as a sequence of fields: blanks before a field are
// skipped; a field that begins with a double quote runs to the next double
// quote; any other field ends at a comma or at the end of the line. Lines may
// end in CR LF or LF alone. Reading past the end raises Input past end of file.
class WorksheetReader {
 public:
  explicit WorksheetReader(const QByteArray& bytes, QString path = {});

  // Reads the whole file; a missing file raises File not found, a missing
  // folder Path not found, and a file that cannot be read Path/File access error.
  static WorksheetReader fromFile(const QString& path);

  QString readField();
  // A field read as a 32-bit integer (a count): halves round to even, an
  // empty field is 0, a field that is no number raises Type mismatch and one
  // beyond 32 bits raises Overflow.
  std::int32_t readCount();
  // The last count field that was no whole number ("2.6"), as written;
  // empty when there was none.
  const QString& fractionalCount() const { return fractionalCount_; }
  bool atEnd() const { return pos_ >= text_.size(); }

 private:
  void skipBlanks();
  void skipPastDelimiter();
  [[noreturn]] void pastEnd() const;

  QString text_;
  QString path_;
  QString fractionalCount_;
  qsizetype pos_ = 0;
};

// Builds a worksheet file in memory and replaces the file on disk in one
// step: a write that fails for any reason leaves the old file as it was.
class WorksheetWriter {
 public:
  void textLine(const QString& text);    // the text, as it stands
  void numberLine(std::int32_t value);   // " 3 " or "-3 "
  void quotedLine(const QString& text);  // "text" in double quotes

  const QByteArray& bytes() const { return bytes_; }

  // Raises Path not found or Path/File access error when the file cannot be
  // written; the old file is then untouched.
  void commit(const QString& path) const;

 private:
  QByteArray bytes_;
};

}  // namespace veltrano
