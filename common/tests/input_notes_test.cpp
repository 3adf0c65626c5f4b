#include "common/input_notes.h"

#include <gtest/gtest.h>

#include <random>

#include "common/line_wrap.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "common/testing/printers.h"

using namespace veltrano;

namespace {

TEST(ReadNumberExtent, TheRestAfterWhatTextToNumberReads) {
  const struct {
    const char* text;
    bool hasNumber;
    const char* rest;
  } cases[] = {
      {"", false, ""},       {"4", true, ""},          {"  -1.5e2 ", true, ""},  {"1 000", true, ""},
      {"4,5", true, ",5"},   {"4, 5 ", true, ", 5"},   {"2x", true, "x"},        {"2 x y", true, "x y"},
      {"abc", false, "abc"}, {" -abc", false, "-abc"}, {"1.2.3", true, ".3"},    {"1e", true, "e"},
      {"1E+", true, "E+"},   {"1D-2", true, ""},       {"1e5e", true, "e"},      {"-", false, "-"},
      {"-.", false, "-."},   {".", false, "."},        {"&HFFg", true, "g"},     {"&H", false, "&H"},
      {"&O78", true, "8"},   {"1E999x", true, "x"},    {"&H1FFFFFFFF", true, ""}};
  for (const auto& c : cases) {
    const NumberExtent extent = ReadNumberExtent(QString::fromLatin1(c.text));
    EXPECT_EQ(extent.hasNumber, c.hasNumber) << c.text;
    EXPECT_EQ(extent.rest, QString::fromLatin1(c.rest)) << c.text;
  }
}

// Whatever the text, what stands before the rest reads as the whole text does.
TEST(ReadNumberExtent, TheRestAddsNothingToTheValue) {
  const QString alphabet = QStringLiteral("0123456789.-+eEdD ,x&Ho");
  std::mt19937 random(15);
  std::uniform_int_distribution<int> length(0, 9);
  std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
  auto read = [](const QString& text) {
    try {
      return TextToNumber(text);
    } catch (const RuntimeError&) {
      return -1e300;
    }
  };
  for (int i = 0; i < 20000; ++i) {
    QString text;
    for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];
    const QString rest = ReadNumberExtent(text).rest;
    const QString trimmed = text.trimmed();
    ASSERT_TRUE(trimmed.endsWith(rest)) << text.toStdString();
    ASSERT_EQ(read(trimmed.chopped(rest.size())), read(text)) << text.toStdString();
  }
}

TEST(PartialReadingNote, SaysWhatWasReadAndWhatWasNot) {
  const struct {
    const char* text;
    const char* note;
  } cases[] = {
      {"4,5", "a is read as 4: ',5' is not part of a number (the decimal separator is a point)"},
      {"2x", "a is read as 2: 'x' is not part of a number"},
      {"abc", "a is read as 0: 'abc' is not a number"},
      {",5", "a is read as 0: ',5' is not a number (the decimal separator is a point)"},
      {"1.2.3", "a is read as 1.2: '.3' is not part of a number"},
      {"1e", "a is read as 1: 'e' is not part of a number"},
      {"1 000 m", "a is read as 1000: 'm' is not part of a number"},
      {"7 abcdefghijklmnopqrstuvwxyz", "a is read as 7: 'abcdefghijklmnopqrstu...' is not part of a number"},
      // Read whole, or on the way to a number: nothing to say.
      {"", ""},
      {"-", ""},
      {".", ""},
      {"-.", ""},
      {"+", ""},
      {"4", ""},
      {"1E5", ""},
      {" 2.5 ", ""},
      // Beyond the double range: the status area says "Number too large" instead.
      {"1E999x", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(PartialReadingNote(QStringLiteral("a"), QString::fromLatin1(c.text)),
              QString::fromLatin1(c.note))
        << c.text;
  }
  EXPECT_EQ(FractionalCountNote(QStringLiteral("2.6")), "The count '2.6' in the file is read as 3");
  EXPECT_EQ(FractionalCountNote(QStringLiteral("2.5")), "The count '2.5' in the file is read as 2");
  EXPECT_EQ(FractionalCountNote(QString()), "");
}

// Pieces of a wrapped line, measured in characters.
QStringList wrap(const QString& line, int width) {
  return WrapLine(line, width, [](const QString& piece) { return static_cast<double>(piece.size()); });
}

TEST(WrapLine, BreaksAfterABlankOrAtTheMarginAndIndentsWhatFollows) {
  const struct {
    const char* line;
    int width;
    QStringList pieces;
  } cases[] = {
      {"", 10, {""}},
      {"360= 2  2  2", 12, {"360= 2  2  2"}},
      {"360= 2  2  2  3  3  5", 12, {"360= 2  2  ", "    2  3  ", "    3  5"}},
      {"1234567890123", 5, {"12345", "    6", "    7", "    8", "    9", "    0", "    1", "    2", "    3"}},
      {"#FFFFFFFF (BASE16) = 4294967295",
       12,
       {"#FFFFFFFF ", "    (BASE16)", "     = ", "    42949672", "    95"}},
      {"ab", 1, {"a", "    b"}},  // a page too narrow for the indent still takes a character a line
  };
  for (const auto& c : cases) EXPECT_EQ(wrap(QString::fromLatin1(c.line), c.width), c.pieces) << c.line;
}

TEST(WrapLine, EveryCharacterStaysInOrder) {
  std::mt19937 random(300);
  std::uniform_int_distribution<int> character(0, 12);
  for (int width : {1, 5, 6, 17, 80}) {
    QString line;
    for (int i = 0; i < 300; ++i) line += character(random) < 3 ? u' ' : QChar(u'A' + character(random));
    const QStringList pieces = wrap(line, width);
    QString joined = pieces.first();
    for (const QString& piece : pieces.mid(1)) {
      ASSERT_TRUE(piece.startsWith(kWrapIndent));
      joined += piece.mid(kWrapIndent.size());
    }
    EXPECT_EQ(joined, line) << width;
    for (const QString& piece : pieces)
      EXPECT_LE(piece.size(), std::max<qsizetype>(width, kWrapIndent.size() + 1));
  }
}

}  // namespace
