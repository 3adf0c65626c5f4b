#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "common/runtime_error.h"

namespace veltrano {

// Worksheet files are single-byte text in Windows-1252, so that files written
// on Windows machines open unchanged; lines end in CR LF. A character that has
// no place in Windows-1252 is written as "?", as Windows itself does; the
// count of such characters goes to unencodable when it is given.
QString decodeWindows1252(const QByteArray& bytes);
QByteArray encodeWindows1252(const QString& text, qsizetype* unencodable = nullptr);

// The most rows a worksheet's list holds, and so the largest count its file
// may announce.
inline constexpr std::int32_t kMaxListRows = 32767;

// Says why a row is not one that a worksheet's format holds; empty when it is.
using RowCheck = std::function<QString(const QString& row)>;

// Reads a worksheet file as a sequence of fields: blanks before a field are
// skipped; a field that begins with a double quote runs to the next double
// quote; any other field ends at a comma or at the end of the line. Lines may
// end in CR LF or LF alone. Reading past the end raises Input past end of file.
// Every error names the file and says in plain words which line is wrong.
class WorksheetReader {
 public:
  explicit WorksheetReader(const QByteArray& bytes, QString path = {});

  // Reads the whole file, which must be a regular file no larger than any
  // worksheet writes (see readRegularFile for the errors).
  static WorksheetReader fromFile(const QString& path);

  QString readField();
  // The next count fields; a file that ends before them says how many were
  // still expected.
  QStringList readFields(int count);
  // A field read as a 32-bit integer (a count): halves round to even, an
  // empty field is 0, a field that is no number raises Type mismatch and one
  // beyond 32 bits raises Overflow.
  std::int32_t readCount();
  // The last count field that was no whole number ("2.6"), as written;
  // empty when there was none.
  const QString& fractionalCount() const { return fractionalCount_; }
  // A count, then as many fields as rows. A count above maxRows raises
  // Overflow (the rows beyond could not be shown); 0 or less reads no rows.
  // The first row that check finds wrong is noted as a sign of another
  // format (see misfit).
  QStringList readRows(std::int32_t maxRows, const RowCheck& check = {});
  bool atEnd() const { return pos_ >= text_.size(); }

  // Signs that a file is another worksheet's, which a window asks about
  // before it takes the file. A window's format notes for the field read
  // last that it is not what the format holds there; the first note stays.
  void doubtLastField(const QString& why);
  // count fields that the format holds numbers in: one with no number in it
  // at all is a sign of another format.
  QStringList readNumberFields(int count);
  // Once the window's whole format is read: the first sign that the file is
  // not the window's, with its line ("line 9: 12 more lines were not read"),
  // from characters that no worksheet writes, a field noted above, or text
  // left over; empty when the file fits.
  QString misfit() const;

 private:
  void skipBlanks();
  void skipPastDelimiter();
  qsizetype lineAt(qsizetype pos) const;
  // The file ended where a field was due; missing fields of the given kind
  // ("field", "row") were still expected.
  [[noreturn]] void pastEnd(qint64 missing = 0, const QString& kind = {}) const;
  QString fieldPlace() const;  // "line 3: ", where the last field began
  [[noreturn]] void badField(ErrorNumber number, const QString& field, const QString& why) const;
  QString foreignCharacter() const;
  QString leftOver() const;

  QString text_;
  QString path_;
  QString fractionalCount_;
  QString doubt_;
  qsizetype pos_ = 0;
  qsizetype fieldStart_ = 0;
};

// Builds a worksheet file in memory and replaces the file on disk in one
// step: a write that fails for any reason leaves the old file as it was.
class WorksheetWriter {
 public:
  // The text as it stands, or in double quotes when it would not read back
  // as one field otherwise: when it holds a comma, a double quote or a line
  // end, or begins with a blank. A blank at the end needs no quotes: the
  // reader keeps it. The format has no escape for a double quote inside the
  // quotes, so each one is written as an apostrophe, which keeps the text's
  // length and reads as the same number.
  void textLine(const QString& text);
  void numberLine(std::int32_t value);   // " 3 " or "-3 ", never quoted
  void quotedLine(const QString& text);  // "text" in double quotes, always

  const QByteArray& bytes() const { return bytes_; }
  // What the file could not keep as the window shows it, in plain words for
  // the status area; empty when everything went in unchanged.
  QString changesNote() const;

  // Raises Path not found or Path/File access error, with the cause, when the
  // file cannot be written; the old file is then untouched.
  void commit(const QString& path) const;

 private:
  void line(const QString& text);

  QByteArray bytes_;
  qsizetype unencodable_ = 0;
  qsizetype apostrophes_ = 0;
};

}  // namespace veltrano
