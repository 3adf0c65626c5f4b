#pragma once

#include "common/working.h"
#include "triangles/triangle_solver.h"

namespace veltrano::triangles {

// The working of a solve of the selected case: each step with its rule in
// words, the formula, the numbers put in and the result, computed with the
// solver's own formulas from the parts the case reads in v (the others are
// not looked at), so that every result reads exactly as its field shows it.
// Where the parts make no triangle, the last step says which condition
// failed, with the numbers; where the solve stops, the working is stopped.
working::Working triangleWorking(const TriangleVariables& v);

}  // namespace veltrano::triangles
