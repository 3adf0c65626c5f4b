#include "common/worksheet_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "common/testing/printers.h"
#include "common/testing/raised_error.h"

using namespace veltrano;
using veltrano::testing::raisedError;

namespace {

QStringList readFields(const QByteArray& bytes, int count) {
  WorksheetReader reader(bytes);
  QStringList fields;
  for (int i = 0; i < count; ++i) fields << reader.readField();
  return fields;
}

TEST(WorksheetReader, FieldRules) {
  // Quoted fields keep their commas; "1,5" gives two fields.
  EXPECT_EQ(readFields("\"5,0.927295218001612\"\r\n1,5\r\nlast\r\n", 4),
            (QStringList{"5,0.927295218001612", "1", "5", "last"}));
  // Leading blanks are skipped, trailing ones kept; empty lines are empty fields.
  EXPECT_EQ(readFields("   a b  \r\n\r\n  \r\nz", 4), (QStringList{"a b  ", "", "", "z"}));
  EXPECT_EQ(readFields("1\n\n\"\"\n 0 \n", 4), (QStringList{"1", "", "", "0 "}));  // LF alone
  // Text after a closing quote is dropped up to the next delimiter.
  EXPECT_EQ(readFields("\"ab\"cd,ef\r\n", 2), (QStringList{"ab", "ef"}));
  // An unclosed quote runs to the end of the file.
  EXPECT_EQ(readFields("\"open\r\nstill", 1), (QStringList{"open\r\nstill"}));
}

// Each error names the line and, where the file ran short, what was missing.
TEST(WorksheetReader, CountsAreThirtyTwoBitNumbersAndErrorsSayWhichLineIsWrong) {
  const std::tuple<QByteArray, std::function<void(WorksheetReader&)>, ErrorNumber, QString> cases[] = {
      {"", [](WorksheetReader& r) { r.readField(); }, ErrorNumber::InputPastEndOfFile, "the file is empty"},
      {"", [](WorksheetReader& r) { r.readFields(7); }, ErrorNumber::InputPastEndOfFile,
       "the file is empty, but 7 fields were expected"},
      {"a\r\nb\r\n", [](WorksheetReader& r) { r.readFields(3); }, ErrorNumber::InputPastEndOfFile,
       "line 3: the file ends here, but 1 more field was expected"},
      {"1,2\r\n3", [](WorksheetReader& r) { r.readFields(7); }, ErrorNumber::InputPastEndOfFile,
       "line 2: the file ends here, but 4 more fields were expected"},
      {" 3 \r\n", [](WorksheetReader& r) { r.readRows(2); }, ErrorNumber::Overflow,
       "line 1: 3 rows are more than the list holds (2)"},
      {"x\r\n\r\n  abc \r\n", [](WorksheetReader& r) { r.readFields(2), r.readCount(); },
       ErrorNumber::TypeMismatch, "line 3: 'abc' is not a number"},
      {"x\n\"1E400\"", [](WorksheetReader& r) { r.readField(), r.readCount(); }, ErrorNumber::Overflow,
       "line 2: '1E400' is too large for a count"},
      // A field is shown up to 40 characters: at 40 whole, at 41 cut.
      {QByteArray(40, 'x'), [](WorksheetReader& r) { r.readCount(); }, ErrorNumber::TypeMismatch,
       "line 1: '" + QString(40, u'x') + "' is not a number"},
      {QByteArray(41, 'x'), [](WorksheetReader& r) { r.readCount(); }, ErrorNumber::TypeMismatch,
       "line 1: '" + QString(40, u'x') + "...' is not a number"},
  };
  for (const auto& [bytes, read, number, cause] : cases) {
    WorksheetReader reader(bytes, "/data/sheet.txt");
    const RuntimeError e = raisedError([&reader, &read = read] { read(reader); });
    EXPECT_EQ(e.number(), number) << bytes.toStdString();
    EXPECT_EQ(e.message().section(u'\n', 4), QString("/data/sheet.txt\n" + cause)) << bytes.toStdString();
  }
  WorksheetReader reader(" 2 \r\nonly\r\n\r\n");
  EXPECT_EQ(reader.readRows(2), (QStringList{"only", ""}));
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(WorksheetReader(" -4 \r\n").readRows(2), QStringList());
  // Counts are 32-bit numbers, fractions rounded to even.
  WorksheetReader counts(" 3 \r\n-2\r\n2.5\r\n\r\n1E3\r\n");
  for (const int count : {3, -2, 2, 0, 1000}) EXPECT_EQ(counts.readCount(), count);
  EXPECT_EQ(raisedError([] { WorksheetReader("3000000000\r\n").readCount(); }).number(),
            ErrorNumber::Overflow);
}

// A text goes into quotes only when it would not read back as one field;
// every other text, trailing blanks included, is written as it stands.
// Count lines are never quoted.
TEST(WorksheetWriter, QuotesOnlyTextsThatWouldNotReadBackWhole) {
  const std::pair<QString, QByteArray> lines[] = {
      {"3,5", "\"3,5\""},
      {" 2", "\" 2\""},
      {"1,\"2", "\"1,'2\""},
      {"say \"hi\"", "\"say 'hi'\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"360= 2  2  ", "360= 2  2  "},
      {"", ""},
  };
  WorksheetWriter writer;
  writer.numberLine(-3);
  QByteArray expected = "-3 \r\n";
  for (const auto& [text, line] : lines) {
    writer.textLine(text);
    expected += line + "\r\n";
  }
  EXPECT_EQ(writer.bytes(), expected);
  WorksheetReader reader(writer.bytes());
  EXPECT_EQ(reader.readCount(), -3);
  for (const auto& [text, line] : lines) EXPECT_EQ(reader.readField(), QString(text).replace(u'"', u'\''));
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(writer.changesNote(), "Saved with 3 double quotes as '");
}

TEST(WorksheetWriter, UsesWindows1252AndTellsWhatItCouldNotHold) {
  WorksheetWriter writer;
  writer.textLine(QString::fromUtf8("€ é \u4e2d \U0001F600?"));
  EXPECT_EQ(writer.bytes(), QByteArray("\x80 \xE9 ? ???\r\n"));
  EXPECT_EQ(decodeWindows1252("\x81\x9F"), QString::fromUtf8("\u0081\u0178"));
  // The ends of each stretch that has a byte of its own, and the first characters past them.
  const std::pair<char16_t, char> edges[] = {{u'\u007F', '\x7F'}, {u'\u0080', '?'},    {u'\u009F', '?'},
                                             {u'\u00A0', '\xA0'}, {u'\u00FF', '\xFF'}, {u'\u0100', '?'},
                                             {u'\u20AC', '\x80'}, {u'\u0178', '\x9F'}};
  for (const auto& [character, byte] : edges) {
    EXPECT_EQ(encodeWindows1252(QString(QChar(character))), QByteArray(1, byte)) << int(character);
  }
  EXPECT_EQ(writer.changesNote(), "Saved with 2 characters that Windows-1252 cannot hold as \"?\"");
  writer.quotedLine("\u4e2d\"");
  EXPECT_EQ(writer.changesNote(),
            "Saved with 3 characters that Windows-1252 cannot hold as \"?\" and 1 double quote as '");
  EXPECT_EQ(WorksheetWriter().changesNote(), "");
}

}  // namespace

// What a window's format reads, then the first sign that the file is some
// other worksheet's; an empty sign means the file fits.
TEST(WorksheetReader, TellsSignsThatAFileIsAnotherWorksheets) {
  const auto rowsOfDigits = [](const QString& row) {
    return row.contains(u'x') ? QStringLiteral("'%1' is no digit row").arg(row) : QString();
  };
  const std::tuple<QByteArray, std::function<void(WorksheetReader&)>, QString> cases[] = {
      // Fits: every field read, blank lines and blanks after them are nothing left over.
      {"1\r\n2\r\n", [](WorksheetReader& r) { r.readNumberFields(2); }, ""},
      {"1\r\n2\r\n\r\n  \r\n", [](WorksheetReader& r) { r.readNumberFields(2); }, ""},
      {"1\r\n2", [](WorksheetReader& r) { r.readNumberFields(2); }, ""},
      // Numbers being typed and texts that begin with a number are numbers here.
      {"\r\n-\r\n.\r\n4 apples\r\n", [](WorksheetReader& r) { r.readNumberFields(4); }, ""},
      {"\"3,5\"\r\n", [](WorksheetReader& r) { r.readNumberFields(1); }, ""},
      {"a\tb\r\n", [](WorksheetReader& r) { r.readField(); }, ""},  // a tab is a text's own
      // Left over: said from the first line not read, counting to the last.
      {"1\r\n2\r\n3\r\n", [](WorksheetReader& r) { r.readNumberFields(2); },
       "line 3: 1 more line was not read"},
      {"1\r\n2\r\n\r\n3\r\n4", [](WorksheetReader& r) { r.readNumberFields(2); },
       "line 4: 2 more lines were not read"},
      {"1,2\r\n", [](WorksheetReader& r) { r.readNumberFields(1); }, "line 1: 1 more line was not read"},
      // A field the format holds a number in holds none.
      {"1\r\nabc\r\n#FF (BASE16) = 255\r\n", [](WorksheetReader& r) { r.readNumberFields(3); },
       "line 2: 'abc' is not a number"},
      // A row the format's check refuses; the first one is told.
      {" 3 \r\n12\r\n1x\r\n2x\r\n", [&](WorksheetReader& r) { r.readRows(9, rowsOfDigits); },
       "line 3: '1x' is no digit row"},
      // Control characters come before any other sign, wherever they are.
      {"1\r\n2\x01\r\n3\r\n", [](WorksheetReader& r) { r.readNumberFields(1); },
       "line 2: the control character 0x01 is in no worksheet file"},
      {"1\r\n\x7f", [](WorksheetReader& r) { r.readNumberFields(1); },
       "line 2: the control character 0x7f is in no worksheet file"},
  };
  for (const auto& [bytes, read, sign] : cases) {
    WorksheetReader reader(bytes);
    read(reader);
    EXPECT_EQ(reader.misfit(), sign) << bytes.toStdString();
  }
}
