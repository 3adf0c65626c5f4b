#pragma once

#include <QPersistentModelIndex>
#include <QString>
#include <functional>
#include <optional>

namespace veltrano {

class ResultList;

// Which row of a result list the working behind it is for: the row the user
// chose by clicking or moving through the list, else the newest row. A row
// added becomes the one shown again.
class ShownRow {
 public:
  enum class Newest { Top, Bottom };

  // changed runs whenever the row shown may be another.
  ShownRow(ResultList* list, Newest newest, std::function<void()> changed);

  // A row was added or the rows were replaced: the newest is shown.
  void followNewest();
  // The text of the row shown; nothing while the list is empty.
  std::optional<QString> text() const;

 private:
  ResultList* list_;
  Newest newest_;
  std::function<void()> changed_;
  QPersistentModelIndex chosen_;  // follows its row as rows are added above it
};

}  // namespace veltrano
