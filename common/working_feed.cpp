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

WorkingFeed::Shown WorkingFeed::afterChange(std::optional<working::Working> working, bool failed,
                                            const QString& unreadField) {
  if (working && failed && !working->stopped) {
    const QString why =
        unreadField.isEmpty()
            ? QStringLiteral(
                  "The last change could not be solved: the steps above are for the values last solved.")
            : QStringLiteral(
                  "%1 cannot be read: Number too large. The steps above are for the value %1 last read.")
                  .arg(unreadField);
    working->steps.append({QStringLiteral("Where the working stops"), {why}, {}});
    working->stopped = true;
  }
  return {std::move(working), failed};
}

QStringList WorkingFeed::printedLines() const {
  QStringList lines = pane_->plainWorking().split(u'\n');
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace veltrano
