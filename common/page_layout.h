#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace veltrano {

// One entry of a print job, in the order the window sent it: a line of
// text, or a figure.
struct PrintEntry {
  QString text;
  int figure = -1;  // the figure's index among the job's figures; -1 for a line
};

// Something placed in the body of a page: a piece of a line (a line wider
// than the page gives several) or a whole figure.
struct PlacedEntry {
  int entry = 0;  // its index in the job
  QString text;   // the piece of the line; empty for a figure
  double top = 0;
  double height = 0;
};

using PageBody = std::vector<PlacedEntry>;

// The body of a page, between its header and its footer, in the printer's
// units (device pixels on paper, characters and lines in the tests).
struct PageMeasures {
  double width = 0;
  double height = 0;
  double lineHeight = 0;
  std::function<double(const QString&)> textWidth;
};

// The pages of a whole job, laid out before the first is printed so that
// each footer can give the number of pages. Lines wider than the page are
// wrapped (WrapLine); a piece that does not fit below the last starts a new
// page. A figure takes the page's width and three quarters of that in
// height, or what is left of the page when at least a third of the width
// is; otherwise it starts a new page. A job with nothing in it has no pages.
std::vector<PageBody> layOutPages(const std::vector<PrintEntry>& job, const PageMeasures& page);

// The heading above every page: "Veltrano – Triangles – a,b,A (SSA)", the
// worksheet and, where it has one, the case or task chosen in it.
QString pageHeading(const QString& worksheet, const QString& chosenCase);
// The date beside the heading, the same in every locale: "2026-01-31".
QString pageDate(const QDate& date);
// The footer of page number (counted from 1): "page 2 of 3".
QString pageFooter(int number, int count);

// Jobs of more pages than this show their progress, with Cancel.
inline constexpr int kPagesPrintedWithoutProgress = 2;

}  // namespace veltrano
