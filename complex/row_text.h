#pragma once

#include <QString>

namespace veltrano::complex {

// The text of one root row, exactly as ComplexToText writes it, built in one
// buffer. A keystroke in x rewrites up to 32767 rows, and NumberToText, with
// its general printf formatting, takes most of that time; this keeps the
// window responsive. The tests hold it to NumberToText digit for digit.
QString RootRowText(double re, double im);

}  // namespace veltrano::complex
