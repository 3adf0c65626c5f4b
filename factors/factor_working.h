#pragma once

#include <QString>

#include "common/working.h"
#include "factors/factoriser.h"

namespace veltrano::factors {

// The working behind the row the factoriser gives for n: each division that
// went evenly, how many primes were tried and why the trial division
// stopped, the product with powers; for the short rows the reason. Its last
// line is the row itself.
working::Working FactorWorking(const Factoriser& factoriser, double n);

// The same for a row of the list, read back from its number. A row that
// is not what the factorisation of its number gives (a file changed by
// hand) gets a working that says so and stops.
working::Working FactorWorkingForRow(const Factoriser& factoriser, const QString& row);

}  // namespace veltrano::factors
