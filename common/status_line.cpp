#include "common/status_line.h"

#include <QLabel>
#include <QStatusBar>

namespace veltrano {

StatusLine::StatusLine(QStatusBar* bar) : label_(new QLabel(bar)) {
  label_->setObjectName(QStringLiteral("lblStatus"));
  bar->addWidget(label_, 1);
  bar->setSizeGripEnabled(false);
}

void StatusLine::showFailure(const QString& why) {
  failure_ = why;
  show();
}

void StatusLine::clearFailure() {
  failure_.clear();
  show();
}

void StatusLine::setNote(const QString& key, const QString& text) {
  removeNote(key);
  if (!text.isEmpty()) notes_.append({key, text});
  show();
}

void StatusLine::setNoteBehind(const QString& key, const QString& text) {
  removeNote(key);
  if (!text.isEmpty()) notes_.prepend({key, text});
  show();
}

void StatusLine::removeNote(const QString& key) {
  notes_.removeIf([&key](const auto& note) { return note.first == key; });
}

void StatusLine::show() {
  if (!failure_.isEmpty()) {
    label_->setText(failure_);
  } else {
    label_->setText(notes_.isEmpty() ? QString() : notes_.last().second);
  }
}

QString StatusLine::text() const { return label_->text(); }

}  // namespace veltrano
