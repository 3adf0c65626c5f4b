#pragma once

#include <QString>
#include <cstdint>

namespace veltrano {

// Every number a user types is read, and every number shown, saved or
// printed is written, through these three functions. They always use a full
// stop as the decimal point, whatever the locale.

// The value of the leading number of text, read leniently: blanks, tabs and
// line feeds are ignored anywhere, reading stops at the first character that
// cannot continue the number, and a text without a leading number reads as 0.
// "&H" and "&O" introduce hexadecimal and octal whole numbers. A number beyond
// the double range raises Overflow.
double TextToNumber(const QString& text);

// How much of a text TextToNumber reads: whether it finds a leading number,
// and the rest of the text after that number with the blanks at its ends
// dropped, empty when the whole text is read. It never raises an error, not
// even for a number beyond the double range.
struct NumberExtent {
  bool hasNumber = false;
  QString rest;
};
NumberExtent ReadNumberExtent(const QString& text);

// The display text of a value: 15 significant digits, no trailing zeros, a
// leading zero below 1, and exponent form for very large or small magnitudes.
QString NumberToText(double value);

// The same text, written as Latin-1 characters at out, which must have room
// for kNumberTextCapacity of them; returns the end of what was written. For
// callers that build many texts in one buffer (the root rows of the Complex
// worksheet), without a QString for each number.
inline constexpr int kNumberTextCapacity = 32;
char* AppendNumberText(char* out, double value);

// Decimal digits with a minus sign when negative; no blank, no grouping.
QString IntegerToText(std::int32_t value);

// A whole number as printed output writes it, the form of count lines in
// worksheet files: a blank (or a minus sign), the digits, a blank.
QString NumberLineText(std::int32_t value);

}  // namespace veltrano
