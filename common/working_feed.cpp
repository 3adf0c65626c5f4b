#include "common/working_feed.h"

#include <utility>

#include "common/event_guard.h"
#include "common/figure_pane.h"
#include "common/working_pane.h"

namespace veltrano {

WorkingFeed::WorkingFeed(Source source) : pane_(new WorkingPane), source_(std::move(source)) {
  pane_->hide();
  // As wide as the figure above it, so that the side area keeps one width.
  pane_->setFixedWidth(FigurePane::kWidth);
}

void WorkingFeed::mayHaveChanged() {
  outdated_ = true;
  update();
}

void WorkingFeed::update() {
  if (!outdated_ || pane_->isHidden()) return;
  outdated_ = false;
  runGuarded([this] {
    const Shown shown = source_();
    pane_->setWorking(shown.working.value_or(working::Working()));
    pane_->setGreyed(shown.greyed);
  });
}

}  // namespace veltrano
