#pragma once

#include <functional>
#include <optional>

#include <QStringList>

#include "common/working.h"

namespace veltrano {

class WorkingPane;

// Keeps a working pane showing the working behind the values on show. The
// working is built only while the pane is shown; a hidden pane catches up
// when it is shown, so a hidden pane costs the typing nothing.
class WorkingFeed {
 public:
  // What the pane is to show: the working (nothing while there is none) and
  // whether the fields on show no longer read as its numbers.
  struct Shown {
    std::optional<working::Working> working;
    bool greyed = false;
  };
  using Source = std::function<Shown()>;

  // Makes the pane, hidden until it is shown.
  explicit WorkingFeed(Source source);

  // The working of values that no longer answer the fields on show (the last
  // change failed), greyed, with a last step that says why unless the
  // working stopped on its own; unreadField names a field too large to read.
  static Shown afterChange(std::optional<working::Working> working, bool failed, const QString& unreadField);

  // The working on show as printed lines, its plain text; none while empty.
  QStringList printedLines() const;

  WorkingPane* pane() const { return pane_; }

  // The values on show may have changed.
  void mayHaveChanged();
  // Brings the pane up to date if it is shown and behind.
  void update();

 private:
  WorkingPane* pane_;
  Source source_;
  bool outdated_ = true;
};

}  // namespace veltrano
