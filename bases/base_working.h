#pragma once

#include <QString>

#include "bases/base_converter.h"
#include "common/working.h"

namespace veltrano::bases {

// The working behind one conversion, in exact arithmetic as the converter
// works: a "#" number as the sum of its digits times powers of the base,
// then its value in decimal; a decimal number's whole part by repeated
// division by the base and its fraction by repeated multiplication, with the
// period of a fraction that repeats and the cut after the hundredth digit.
// Its last line is the row the converter gives. A number the converter
// refuses gets a working that stops and says which character and why.
working::Working BaseWorking(const BaseConverter& converter, const QString& numberText, int base);

// The same for a row of the list, read back from the number and base it
// names. A row the conversion does not give (a file changed by hand) gets a
// working that stops and says so.
working::Working BaseWorkingForRow(const BaseConverter& converter, const QString& row);

}  // namespace veltrano::bases
