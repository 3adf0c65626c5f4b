#pragma once

#include <QString>

namespace veltrano {

// Small pieces of the mathematics that the workings write in Unicode, so that
// the pane's rich text and the plain text for copy and print read the same.

// The exponent as superscript digits: 3 → "³", -2 → "⁻²".
QString Superscript(long long exponent);

// A number text as an operand after an operator: a negative one in
// brackets, so that "4 + (-2)" does not read as a subtraction.
QString Operand(const QString& numberText);

}  // namespace veltrano
