#include "app/platform/qt_progress.h"

namespace veltrano {

void QtProgress::begin(QWidget* owner, const QString& label, int steps) {
  end();
  constexpr int kShownAfterMs = 400;
  dialog_ = new QProgressDialog(label, QStringLiteral("Cancel"), 0, steps, owner);
  dialog_->setObjectName(QStringLiteral("dlgProgress"));
  dialog_->setWindowTitle(QStringLiteral("Veltrano"));
  // Modal, so that the windows take no command while the job runs; setValue
  // then lets them repaint and the Cancel button answer.
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setMinimumDuration(kShownAfterMs);
  dialog_->setAutoReset(false);
  dialog_->setAutoClose(false);
  dialog_->setValue(0);
}

bool QtProgress::advance(int done) {
  if (!dialog_) return true;
  dialog_->setValue(done);
  return !dialog_->wasCanceled();
}

void QtProgress::end() { delete dialog_.data(); }

}  // namespace veltrano
