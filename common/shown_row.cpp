#include "common/shown_row.h"

#include <QItemSelectionModel>
#include <utility>

#include "common/event_guard.h"
#include "common/result_list.h"

namespace veltrano {

ShownRow::ShownRow(ResultList* list, Newest newest, std::function<void()> changed)
    : list_(list), newest_(newest), changed_(std::move(changed)) {
  QObject::connect(list->selectionModel(), &QItemSelectionModel::currentChanged, list,
                   guarded([this](const QModelIndex& current) {
                     if (!current.isValid()) return;
                     chosen_ = current;
                     changed_();
                   }));
}

void ShownRow::followNewest() {
  chosen_ = QPersistentModelIndex();
  changed_();
}

std::optional<QString> ShownRow::text() const {
  const int count = list_->count();
  if (count == 0) return std::nullopt;
  if (chosen_.isValid() && chosen_.row() < count) return list_->row(chosen_.row());
  return list_->row(newest_ == Newest::Top ? 0 : count - 1);
}

}  // namespace veltrano
