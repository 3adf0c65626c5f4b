#include "common/input_notes.h"

#include <gtest/gtest.h>

#include "common/line_wrap.h"
#include "common/testing/printers.h"

using namespace veltrano;

namespace {

TEST(PartialReadingNote, SaysWhatWasReadAndWhatWasNot) {
  const std::pair<const char*, const char*> cases[] = {
      {"abc", "a is read as 0: 'abc' is not a number"},
      {",5", "a is read as 0: ',5' is not a number (the decimal separator is a point)"},
      {"1 000 m", "a is read as 1000: 'm' is not part of a number"},
      // A bare exponent letter is no exponent.
      {"1E", "a is read as 1: 'E' is not part of a number"},
      {"2.5e", "a is read as 2.5: 'e' is not part of a number"},
      // The rest is cut at 24 characters: at 24 it stands whole, at 25 it is cut.
      {"7 abcdefghijklmnopqrstuvwx", "a is read as 7: 'abcdefghijklmnopqrstuvwx' is not part of a number"},
      {"7 abcdefghijklmnopqrstuvwxy", "a is read as 7: 'abcdefghijklmnopqrstu...' is not part of a number"},
      {"7 abcdefghijklmnopqrstuvwxyz", "a is read as 7: 'abcdefghijklmnopqrstu...' is not part of a number"}};
  for (const auto& [text, note] : cases) {
    EXPECT_EQ(PartialReadingNote(QStringLiteral("a"), QString::fromLatin1(text)), QString::fromLatin1(note))
        << text;
  }
  // Read whole, or on the way to a number: nothing to say. Beyond the double
  // range the status area says "Number too large" instead.
  for (const char* text : {"", "-.", "1E5", " 2.5 ", "1E999x"}) {
    EXPECT_EQ(PartialReadingNote(QStringLiteral("a"), QString::fromLatin1(text)), "") << text;
  }
  EXPECT_EQ(FractionalCountNote(QStringLiteral("2.5")), "The count '2.5' in the file is read as 2");
  EXPECT_EQ(FractionalCountNote(QString()), "");
}

TEST(NoteNumberText, RoundsToTheDigitsAskedForWithATypographicMinus) {
  const std::tuple<double, int, const char*> cases[] = {{-1.3680805733, 4, "−1.368"},
                                                        {400.00000000000006, 15, "400"},
                                                        {-4.898587196589e-16, 4, "−4.899E-16"},
                                                        {0.5, 4, "0.5"},
                                                        {1e300, 4, "1E+300"}};
  for (const auto& [value, digits, text] : cases)
    EXPECT_EQ(NoteNumberText(value, digits), QString::fromUtf8(text)) << value;
}

TEST(WrapLine, BreaksAfterABlankOrAtTheMarginAndIndentsWhatFollows) {
  const struct {
    const char* line;
    int width;
    QStringList pieces;
  } cases[] = {
      {"360= 2  2  2  3  3  5", 12, {"360= 2  2  ", "    2  3  ", "    3  5"}},
      {"1234567890123", 5, {"12345", "    6", "    7", "    8", "    9", "    0", "    1", "    2", "    3"}},
      {"ab", 1, {"a", "    b"}},  // a page too narrow for the indent still takes a character a line
  };
  const auto length = [](const QString& piece) { return static_cast<double>(piece.size()); };
  for (const auto& c : cases)
    EXPECT_EQ(WrapLine(QString::fromLatin1(c.line), c.width, length), c.pieces) << c.line;
}

}  // namespace
