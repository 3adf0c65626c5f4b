#pragma once

#include <QRectF>
#include <QStringList>

#include "common/figure.h"
#include "common/figure_layout.h"

namespace veltrano::testing {

// The sizes the figure tests lay out with: a fixed glyph a little larger than
// the label font's, so that what fits here fits on screen too.
figure::LayoutMetrics testMetrics();

// Every label rule the layout breaks, one line each naming the label: a box
// outside the target, two boxes that overlap, a box on a line it does not
// name, a region's label neither inside its region nor led there by a leader
// line, a leader line across another label.
QStringList labelFaults(const figure::Figure& figure, const figure::Layout& layout, const QRectF& target);

// The figure laid out in a target of the given size, and its faults.
QStringList labelFaultsAt(const figure::Figure& figure, QSizeF size);

}  // namespace veltrano::testing
