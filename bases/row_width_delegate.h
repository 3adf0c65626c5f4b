#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace veltrano::bases {

// Gives every row of a list the width of its widest row. A list that sizes
// its rows uniformly measures only the first one, so a later row of a
// thousand digits would be cut off; measuring every row instead takes
// seconds for a full list.
class RowWidthDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // Widens the rows for a line that has been added.
  void fit(const QString& line, const QFontMetrics& metrics);
  // Measures anew for a list that was replaced.
  void refit(const QStringList& lines, const QFontMetrics& metrics);

 private:
  void setWidth(int width);

  int width_ = 0;
};

}  // namespace veltrano::bases
