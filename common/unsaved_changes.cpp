#include "common/unsaved_changes.h"

#include <QString>
#include <QWidget>
#include <utility>

#include "common/event_guard.h"
#include "common/platform.h"
#include "common/session_end.h"

namespace veltrano {

UnsavedChanges::UnsavedChanges(QWidget* window, std::function<void()> save)
    : window_(window), save_(std::move(save)) {}

void UnsavedChanges::mark() {
  letGo_ = false;
  if (!window_->isWindowModified()) window_->setWindowModified(true);
}

void UnsavedChanges::clear() { window_->setWindowModified(false); }

bool UnsavedChanges::isMarked() const { return window_->isWindowModified(); }

bool UnsavedChanges::settle() {
  if (!isMarked() || letGo_) return true;
  const MessageAnswer answer = platform().messages->show(
      window_, {QStringLiteral("Veltrano"), QStringLiteral("Save the changes to this worksheet?"),
                MessageButtons::YesNoCancel, false});
  switch (answer) {
    case MessageAnswer::Yes:
      // A cancelled name or a failed write (which raises) keeps everything.
      save_();
      return !isMarked();
    case MessageAnswer::No: return true;
    default: return false;
  }
}

void UnsavedChanges::answer(SessionEnd& session) {
  // Without leave to ask, the user's file is not written over unasked and
  // the changes stay marked: a close that follows asks as usual.
  if (!isMarked() || letGo_ || !session.allowsInteraction()) return;
  bool goOn = false;
  runGuarded([&] { goOn = settle(); });
  if (goOn) {
    letGo_ = true;  // the session's closes follow without asking
  } else {
    session.cancel();
  }
  session.release();
}

}  // namespace veltrano
