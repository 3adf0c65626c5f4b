#include "common/result_list.h"

#include <QStringListModel>

namespace veltrano {

ResultList::ResultList(QWidget* parent) : QListView(parent), model_(new QStringListModel(this)) {
  setModel(model_);
  setUniformItemSizes(true);  // keeps 32767 rows quick to lay out
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

int ResultList::count() const { return model_->rowCount(); }

QString ResultList::row(int index) const { return model_->stringList().value(index); }

QStringList ResultList::rows() const { return model_->stringList(); }

bool ResultList::append(const QString& text) {
  if (isFull()) return false;
  const int at = count();
  model_->insertRows(at, 1);
  model_->setData(model_->index(at), text);
  return true;
}

bool ResultList::insertTop(const QString& text) {
  if (isFull()) return false;
  model_->insertRows(0, 1);
  model_->setData(model_->index(0), text);
  return true;
}

bool ResultList::setRows(QStringList rows) {
  const bool complete = rows.size() <= kMaxRows;
  if (!complete) rows.resize(kMaxRows);
  model_->setStringList(rows);
  return complete;
}

void ResultList::clear() { model_->setStringList({}); }

}  // namespace veltrano
