#include "bases/row_width_delegate.h"

#include <QFontMetrics>
#include <algorithm>
#include <numeric>
#include <vector>

namespace veltrano::bases {

namespace {
// Room for the item's margins beside the text.
constexpr int kMargin = 8;
constexpr std::size_t kMeasuredLines = 32;
}  // namespace

QSize RowWidthDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setWidth(std::max(size.width(), width_));
  return size;
}

void RowWidthDelegate::fit(const QString& line, const QFontMetrics& metrics) {
  setWidth(std::max(width_, metrics.horizontalAdvance(line) + kMargin));
}

void RowWidthDelegate::refit(const QStringList& lines, const QFontMetrics& metrics) {
  // Measuring a full list of long lines takes seconds, so only the longest
  // lines are measured: a line with fewer characters is wider only when its
  // characters are wider on average, which lines of digits hardly are.
  std::vector<qsizetype> longestFirst(static_cast<std::size_t>(lines.size()));
  std::iota(longestFirst.begin(), longestFirst.end(), 0);
  const auto measured = static_cast<std::ptrdiff_t>(std::min(kMeasuredLines, longestFirst.size()));
  std::partial_sort(longestFirst.begin(), longestFirst.begin() + measured, longestFirst.end(),
                    [&lines](qsizetype a, qsizetype b) { return lines[a].size() > lines[b].size(); });
  int width = 0;
  for (auto row = longestFirst.begin(); row != longestFirst.begin() + measured; ++row) {
    width = std::max(width, metrics.horizontalAdvance(lines[*row]) + kMargin);
  }
  width_ = -1;  // always announce the change
  setWidth(width);
}

void RowWidthDelegate::setWidth(int width) {
  if (width == width_) return;
  width_ = width;
  emit sizeHintChanged(QModelIndex());
}

}  // namespace veltrano::bases
