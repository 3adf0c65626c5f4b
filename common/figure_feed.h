#pragma once

#include <functional>
#include <optional>

#include "common/figure.h"

namespace veltrano {

class FigurePane;

// Keeps a figure pane showing the figure of the values on show. The figure
// is made only while the pane is shown; a hidden pane catches up when it is
// shown (before its first paint), so a hidden pane costs the typing nothing.
class FigureFeed {
 public:
  // The figure of the values on show; nothing when they were never solved,
  // so that the last figure stays, greyed.
  using Source = std::function<std::optional<figure::Figure>()>;

  // Makes the pane, hidden until it is shown.
  explicit FigureFeed(Source source);

  FigurePane* pane() const { return pane_; }

  // The values on show may have changed.
  void mayHaveChanged();
  // Brings the pane up to date if it is shown and behind.
  void update();

 private:
  FigurePane* pane_;
  Source source_;
  bool outdated_ = true;
};

}  // namespace veltrano
