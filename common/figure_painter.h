#pragma once

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>

#include "common/figure.h"
#include "common/figure_layout.h"

class QImage;
class QPaintDevice;
class QPainter;

namespace veltrano::figure {

// The colours a figure is painted in, one per ink.
struct Colours {
  QColor paper;  // invalid: nothing is filled behind the figure
  QColor line;
  QColor input;
  QColor result;
  QColor outline;  // around results, which are light
  QColor axis;
  QColor grid;
  QColor lightTint;
  QColor strongTint;
  QColor labelBox;
  QColor text;
  bool italic = false;
};

// The worksheet's own colours: cyan paper, black lines, green for what was
// typed, yellow for what was computed, the blue of the dividing line for axes.
Colours worksheetColours();
// The same on white paper, for the printed page.
Colours printColours();
// The worksheet's colours on white paper, for a copied or saved figure, which
// goes into documents of any colour.
Colours exportColours();
// Every ink in grey and the texts in grey italics, as stale results show.
Colours greyed(Colours colours);

// Paints the figure into target, scaled to fit with its labels inside, to
// scale (one scale for both axes), y upwards, anti-aliased, its labels where
// layoutFigure puts them. Line widths and gaps follow the device's
// resolution, so a page looks as the pane does. withTitle: the figure's title
// on a line at the top, for a figure that leaves the window.
void paintFigure(QPainter& painter, const Figure& figure, const QRectF& target, const Colours& colours,
                 bool withTitle = false);

// The sizes the painter lays a figure out with on device: its label font.
LayoutMetrics layoutMetrics(QPaintDevice* device, const Colours& colours, bool withTitle);

QImage figureImage(const Figure& figure, QSize size, const Colours& colours, bool withTitle = false);

// Writes the figure to path, titled: SVG when the name ends in ".svg" (any
// case), PNG otherwise. Raises a run-time error, writing nothing, when it
// cannot.
void saveFigure(const Figure& figure, QSize size, const Colours& colours, const QString& path);

}  // namespace veltrano::figure
