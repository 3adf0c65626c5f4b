#include "common/result_list.h"

#include <QAbstractListModel>
#include <algorithm>

namespace veltrano {

// The rows of a list: texts kept, or a source that writes them on demand.
class RowModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    if (parent.isValid()) return 0;
    return source_.row ? source_.count : static_cast<int>(stored_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return row(index.row());
  }

  QString row(int index) const {
    if (index < 0 || index >= rowCount()) return {};
    return source_.row ? source_.row(index) : stored_.at(index);
  }

  QStringList rows() const {
    if (!source_.row) return stored_;
    QStringList all;
    all.reserve(source_.count);
    for (int i = 0; i < source_.count; ++i) all.append(source_.row(i));
    return all;
  }

  void setStored(QStringList rows) {
    beginResetModel();
    source_ = {};
    stored_ = std::move(rows);
    endResetModel();
  }

  void setSource(RowSource source) {
    beginResetModel();
    stored_.clear();
    source_ = std::move(source);
    endResetModel();
  }

  void insert(int at, const QString& text) {
    if (source_.row) setStored(rows());  // rows added by hand are kept
    beginInsertRows(QModelIndex(), at, at);
    stored_.insert(at, text);
    endInsertRows();
  }

 private:
  QStringList stored_;
  RowSource source_;
};

ResultList::ResultList(QWidget* parent) : QListView(parent), model_(new RowModel(this)) {
  setModel(model_);
  setUniformItemSizes(true);  // keeps 32767 rows quick to lay out
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

int ResultList::count() const { return model_->rowCount(); }

QString ResultList::row(int index) const { return model_->row(index); }

QStringList ResultList::rows() const { return model_->rows(); }

bool ResultList::append(const QString& text) {
  if (isFull()) return false;
  model_->insert(count(), text);
  makeCurrent(count() - 1);
  return true;
}

// The newest row is the current one (not selected), so that a screen reader
// reads it first when the list gets the focus.
void ResultList::makeCurrent(int row) {
  selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::NoUpdate);
}

bool ResultList::insertTop(const QString& text) {
  if (isFull()) return false;
  model_->insert(0, text);
  makeCurrent(0);
  return true;
}

bool ResultList::setRows(QStringList rows) {
  const bool complete = rows.size() <= kMaxRows;
  if (!complete) rows.resize(kMaxRows);
  model_->setStored(std::move(rows));
  return complete;
}

bool ResultList::setRows(RowSource source) {
  const bool complete = source.count <= kMaxRows;
  source.count = std::clamp(source.count, 0, static_cast<int>(kMaxRows));
  model_->setSource(std::move(source));
  return complete;
}

void ResultList::clear() { model_->setStored({}); }

}  // namespace veltrano
