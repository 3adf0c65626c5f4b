#include "common/page_layout.h"

#include <algorithm>

#include "common/line_wrap.h"

namespace veltrano {
namespace {

// Places the entries of a job page by page, keeping the place reached.
class PageFiller {
 public:
  explicit PageFiller(const PageMeasures& page) : page_(page) {}

  void addLine(int entry, const QString& text) {
    for (const QString& piece : WrapLine(text, page_.width, page_.textWidth)) {
      if (top_ + page_.lineHeight > page_.height) newPage();
      place({entry, piece, top_, page_.lineHeight});
    }
  }

  void addFigure(int entry) {
    const double wanted = page_.width * 3 / 4;
    double height = std::min(wanted, page_.height - top_);
    if (height < page_.width / 3) {
      newPage();
      height = std::min(wanted, page_.height);
    }
    place({entry, QString(), top_, height});
  }

  std::vector<PageBody> pages() && { return std::move(pages_); }

 private:
  // A page starts with the first thing placed on it, so that none is left
  // empty, not even when the page is too short for a single line.
  void newPage() {
    pageWanted_ = true;
    top_ = 0;
  }

  void place(const PlacedEntry& placed) {
    if (pageWanted_) pages_.emplace_back();
    pageWanted_ = false;
    pages_.back().push_back(placed);
    top_ += placed.height;
  }

  const PageMeasures& page_;
  std::vector<PageBody> pages_;
  double top_ = 0;
  bool pageWanted_ = true;
};

}  // namespace

std::vector<PageBody> layOutPages(const std::vector<PrintEntry>& job, const PageMeasures& page) {
  PageFiller filler(page);
  for (int i = 0; i < static_cast<int>(job.size()); ++i) {
    const PrintEntry& entry = job[static_cast<std::size_t>(i)];
    if (entry.figure >= 0) {
      filler.addFigure(i);
    } else {
      filler.addLine(i, entry.text);
    }
  }
  return std::move(filler).pages();
}

QString pageHeading(const QString& worksheet, const QString& chosenCase) {
  const QString dash = QStringLiteral(" \u2013 ");
  QString heading = QStringLiteral("Veltrano") + dash + worksheet;
  if (!chosenCase.isEmpty()) heading += dash + chosenCase;
  return heading;
}

QString pageDate(const QDate& date) { return date.toString(Qt::ISODate); }

QString pageFooter(int number, int count) { return QStringLiteral("page %1 of %2").arg(number).arg(count); }

}  // namespace veltrano
