#pragma once

#include <QString>

namespace veltrano {

// The plain sentences the status area uses to tell the user that an input
// was taken differently from what was written.

// For a field whose text TextToNumber reads only in part, such as
// "a is read as 4: ',5' is not part of a number (the decimal separator is a
// point)". Empty when the text reads whole, when it is what a user types on
// the way to a number ("", "-", ".", "-."), and when the number is beyond the
// double range, which the status area tells as a failure of its own.
QString PartialReadingNote(const QString& name, const QString& text);

// For a count in a worksheet file that is not a whole number ("2.6"): it is
// read as the nearest whole number. Empty for an empty text.
QString FractionalCountNote(const QString& written);

// A text with no number in it at all, such as "abc" or "#FF (BASE16)";
// neither an empty text nor a sign or point being typed counts.
bool HoldsNoNumber(const QString& text);

// A number as a note quotes it: rounded to the significant digits asked for
// (at most 15, as NumberToText writes), the minus sign the typographic one.
QString NoteNumberText(double value, int significantDigits = 15);

// A piece of the user's text in single quotes, cut short when it is long so
// that the status line stays one line.
QString QuotedExcerpt(const QString& text);

}  // namespace veltrano
