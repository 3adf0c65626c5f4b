#pragma once

#include <QString>

#include "common/working.h"
#include "complex/complex_solver.h"

namespace veltrano::complex {

// The working behind the results of the task chosen: x (and y) in
// rectangular and polar form, then the operation as the solver computes it,
// with the numbers put in. The results are those of a run of the solver on
// the same values, written exactly as the labels and the root list show
// them. A run that fails stops the working at the step that failed, with the
// reason the status area gives.
//
// unreadField names a field whose text could not be read ("c"), for which
// the solver still holds the value last read: the working then stops with
// that reason after the steps for the values last read.
working::Working ComplexWorking(const ComplexSolver& inputs, const QString& unreadField = {});

// The n-th roots the working lists by number before it tells how many rows
// it leaves out; the last root is always listed after them.
inline constexpr int kRootsListedFirst = 5;

}  // namespace veltrano::complex
