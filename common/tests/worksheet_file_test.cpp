#include "common/worksheet_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include "common/runtime_error.h"
#include "common/testing/printers.h"

using namespace veltrano;

namespace {

QStringList readFields(const QByteArray& bytes, int count) {
  WorksheetReader reader(bytes);
  QStringList fields;
  for (int i = 0; i < count; ++i) fields << reader.readField();
  return fields;
}

ErrorNumber errorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return ErrorNumber{};
}

TEST(WorksheetReader, FieldRules) {
  // Quoted fields keep their commas; "1,5" gives two fields.
  EXPECT_EQ(readFields("\"5,0.927295218001612\"\r\n1,5\r\nlast\r\n", 4),
            (QStringList{"5,0.927295218001612", "1", "5", "last"}));
  // Leading blanks are skipped, trailing ones kept; empty lines are empty fields.
  EXPECT_EQ(readFields("   a b  \r\n\r\n  \r\nz", 4), (QStringList{"a b  ", "", "", "z"}));
  // LF-only lines read the same as CR LF lines.
  EXPECT_EQ(readFields("1\n\n\"\"\n 0 \n", 4), (QStringList{"1", "", "", "0 "}));
  // Text after a closing quote is dropped up to the next delimiter.
  EXPECT_EQ(readFields("\"ab\"cd,ef\r\n", 2), (QStringList{"ab", "ef"}));
  // An unclosed quote runs to the end of the file.
  EXPECT_EQ(readFields("\"open\r\nstill", 1), (QStringList{"open\r\nstill"}));
  // A comma at the end of a line leaves an empty field before the line end.
  EXPECT_EQ(readFields("1,\r\n2", 3), (QStringList{"1", "", "2"}));
}

TEST(WorksheetReader, ReadingPastTheEndRaises) {
  EXPECT_EQ(errorOf([] { readFields("", 1); }), ErrorNumber::InputPastEndOfFile);
  EXPECT_EQ(errorOf([] { readFields("a\r\nb\r\n", 3); }), ErrorNumber::InputPastEndOfFile);
  EXPECT_EQ(errorOf([] { readFields("a\r\n   ", 2); }), ErrorNumber::InputPastEndOfFile);
  WorksheetReader reader("only\r\n");
  EXPECT_EQ(reader.readField(), "only");
  EXPECT_TRUE(reader.atEnd());
}

TEST(WorksheetReader, CountsAreThirtyTwoBitNumbers) {
  WorksheetReader reader(" 3 \r\n-2\r\n2.5\r\n\r\n1E3\r\n");
  EXPECT_EQ(reader.readCount(), 3);
  EXPECT_EQ(reader.readCount(), -2);
  EXPECT_EQ(reader.readCount(), 2);
  EXPECT_EQ(reader.readCount(), 0);
  EXPECT_EQ(reader.readCount(), 1000);
  EXPECT_EQ(errorOf([] { WorksheetReader("abc\r\n").readCount(); }), ErrorNumber::TypeMismatch);
  EXPECT_EQ(errorOf([] { WorksheetReader("12abc\r\n").readCount(); }), ErrorNumber::TypeMismatch);
  EXPECT_EQ(errorOf([] { WorksheetReader("inf\r\n").readCount(); }), ErrorNumber::TypeMismatch);
  EXPECT_EQ(errorOf([] { WorksheetReader("3000000000\r\n").readCount(); }), ErrorNumber::Overflow);
  EXPECT_EQ(errorOf([] { WorksheetReader("1E400\r\n").readCount(); }), ErrorNumber::Overflow);
}

TEST(WorksheetWriter, WritesTheThreeLineFormsByteForByte) {
  WorksheetWriter writer;
  writer.numberLine(3);
  writer.numberLine(-3);
  writer.textLine("360= 2  2  2  3  3  5");
  writer.textLine("");
  writer.quotedLine("5,0.927295218001612");
  writer.quotedLine("");
  EXPECT_EQ(writer.bytes(),
            QByteArray(" 3 \r\n-3 \r\n360= 2  2  2  3  3  5\r\n\r\n\"5,0.927295218001612\"\r\n\"\"\r\n"));
}

TEST(WorksheetWriter, UsesWindows1252) {
  WorksheetWriter writer;
  writer.textLine(QString::fromUtf8("€ é \u4e2d"));
  EXPECT_EQ(writer.bytes(), QByteArray("\x80 \xE9 ?\r\n"));
  WorksheetReader reader(writer.bytes());
  EXPECT_EQ(reader.readField(), QString::fromUtf8("€ é ?"));
  EXPECT_EQ(decodeWindows1252("\x81\x9F"), QString::fromUtf8("\u0081\u0178"));
  // The ends of each stretch that has a byte of its own, and the first characters past them.
  const std::pair<char16_t, char> edges[] = {{u'\u007F', '\x7F'}, {u'\u0080', '?'},    {u'\u009F', '?'},
                                             {u'\u00A0', '\xA0'}, {u'\u00FF', '\xFF'}, {u'\u0100', '?'},
                                             {u'\u20AC', '\x80'}, {u'\u0178', '\x9F'}};
  for (const auto& [character, byte] : edges) {
    EXPECT_EQ(encodeWindows1252(QString(QChar(character))), QByteArray(1, byte)) << int(character);
  }
}

class WorksheetFiles : public ::testing::Test {
 protected:
  QTemporaryDir folder;
};

TEST_F(WorksheetFiles, CommitReplacesTheFileAndErrorsNameTheirCause) {
  const QString path = folder.filePath("sheet.txt");
  WorksheetWriter first, second;
  first.textLine("old");
  first.commit(path);
  second.numberLine(1);
  second.textLine("new");
  second.commit(path);
  WorksheetReader reader = WorksheetReader::fromFile(path);
  EXPECT_EQ(reader.readCount(), 1);
  EXPECT_EQ(reader.readField(), "new");
  EXPECT_TRUE(reader.atEnd());

  const QString missing = folder.filePath("missing.txt");
  const std::pair<std::function<void()>, ErrorNumber> failures[] = {
      {[&] { second.commit(folder.filePath("no/such/dir/f.txt")); }, ErrorNumber::PathNotFound},
      {[&] { second.commit(folder.path()); }, ErrorNumber::PathFileAccess},
      {[&] { WorksheetReader::fromFile(missing); }, ErrorNumber::FileNotFound},
      {[&] { WorksheetReader::fromFile(folder.filePath("none/missing.txt")); }, ErrorNumber::PathNotFound},
      {[&] { WorksheetReader::fromFile(folder.path()); }, ErrorNumber::PathFileAccess},
  };
  for (const auto& failure : failures) EXPECT_EQ(errorOf(failure.first), failure.second);
  try {
    WorksheetReader::fromFile(missing);
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.path(), missing);
  }
}

}  // namespace
