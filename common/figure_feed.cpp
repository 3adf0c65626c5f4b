#include "common/figure_feed.h"

#include <utility>

#include "common/event_guard.h"
#include "common/figure_pane.h"
#include "common/ui_style.h"

namespace veltrano {

FigureFeed::FigureFeed(Source source) : pane_(new FigurePane), source_(std::move(source)) {
  pane_->hide();
  pane_->setMinimumHeight(style::kWorksheetHeight);
  pane_->setBeforePaint([this] { update(); });
}

void FigureFeed::mayHaveChanged() {
  outdated_ = true;
  update();
}

void FigureFeed::update() {
  if (!outdated_ || pane_->isHidden()) return;
  outdated_ = false;
  runGuarded([this] {
    const std::optional<figure::Figure> figure = source_();
    if (figure) {
      pane_->setFigure(*figure);
    } else {
      pane_->setGreyed(true);
    }
  });
}

}  // namespace veltrano
