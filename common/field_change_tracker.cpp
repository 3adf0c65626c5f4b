#include "common/field_change_tracker.h"

#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "common/event_guard.h"
#include "common/input_notes.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "common/status_line.h"

namespace veltrano {
namespace {

const QString kTooLarge = QStringLiteral("Number too large");

bool readsAsNumber(const QString& text) {
  try {
    TextToNumber(text);
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace

FieldChangeTracker::FieldChangeTracker(QObject* context, StatusLine& status, FieldChangeHooks hooks)
    : context_(context), status_(status), hooks_(std::move(hooks)) {}

void FieldChangeTracker::watch(QLineEdit* field, const QString& name, std::function<void()> handler) {
  names_.insert(field, name);
  QObject::connect(field, &QLineEdit::textChanged, context_,
                   [this, field, name, handler = std::move(handler)] { run(field, name, handler); });
}

void FieldChangeTracker::run(QLineEdit* field, const QString& name, const std::function<void()>& handler) {
  if (depth_++ == 0) changeFailed_ = false;
  unreadableFields_.remove(field);
  hooks_.contentChanged();
  runGuarded([&] {
    // Before the solve: its nested changes of other fields, and of this
    // one, then leave every field's note matching the text it shows.
    status_.setNote(field->objectName(), PartialReadingNote(name, field->text()));
    try {
      handler();
    } catch (const RuntimeError& e) {
      changeFailed_ = true;
      if (e.number() != ErrorNumber::Overflow) throw;
      // The results no longer answer the texts on show.
      if (!readsAsNumber(field->text())) unreadableFields_.insert(field);
      hooks_.resultsStale();
      status_.showFailure(kTooLarge);
    }
  });
  if (--depth_ == 0) {
    holdResultsWhileAFieldCannotBeRead();
    hooks_.settled();
  }
}

QString FieldChangeTracker::unreadableFieldName() const {
  for (const QLineEdit* field : unreadableFields_) {
    if (field->isEnabled()) return names_.value(field);
  }
  return {};
}

// A field whose text is too large to read keeps the value it last read, and
// the solves that other fields set off go on with it: their results answer a
// number the window no longer shows, so they stay greyed with the reason
// until the field reads again (or is disabled, and so not used).
void FieldChangeTracker::holdResultsWhileAFieldCannotBeRead() {
  const bool anyInUse = std::any_of(unreadableFields_.cbegin(), unreadableFields_.cend(),
                                    [](const QLineEdit* field) { return field->isEnabled(); });
  if (!anyInUse) return;
  changeFailed_ = true;
  runGuarded([this] { hooks_.resultsStale(); });
  status_.showFailure(kTooLarge);
}

}  // namespace veltrano
