#pragma once

#include "circles/circle_solver.h"
#include "common/working.h"

namespace veltrano::circles {

// The working of a solve of the selected case from the quantities in v: the
// solver runs once more on a copy of them, with a view that only records what
// it writes and a trace of its root search, so that every number is its own
// and every result reads exactly as its field shows it. Each step gives the
// rule in words, the formula, the numbers put in and the result; for arc and
// chord, every iterate of the half angle and why the search stopped.
working::Working circleWorking(const CircleVariables& v);

}  // namespace veltrano::circles
