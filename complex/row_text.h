#pragma once

#include <QString>

namespace veltrano::complex {

// The text of one root row, exactly as ComplexToText writes it, built in one
// buffer with AppendNumberText: a keystroke in x rewrites up to 32767 rows,
// and a QString for each number and each join would take most of that time.
QString RootRowText(double re, double im);

}  // namespace veltrano::complex
