#include "common/status_line.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

#include "common/accessibility.h"

namespace veltrano {

StatusLine::StatusLine(QStatusBar* bar) : label_(new QLabel(bar)) {
  label_->setObjectName(QStringLiteral("lblStatus"));
  label_->setAccessibleName(QStringLiteral("Status"));
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
  const QString before = label_->text();
  if (!failure_.isEmpty()) {
    label_->setText(failure_);
  } else {
    label_->setText(notes_.isEmpty() ? QString() : notes_.last().second);
  }
  if (label_->text() != before) tellFocusedControl();
}

// The status label never has the focus, so a screen reader would not read
// it: the text goes to the description of the control the user is on.
void StatusLine::tellFocusedControl() {
  QWidget* focused = QApplication::focusWidget();
  if (focused && focused->window() != label_->window()) focused = nullptr;
  if (told_ && told_ != focused) accessibility::describe(told_, QString());
  told_ = focused;
  if (told_) accessibility::describe(told_, label_->text());
}

QString StatusLine::text() const { return label_->text(); }

}  // namespace veltrano
