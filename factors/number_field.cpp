#include "factors/number_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>
#include <QValidator>

#include "common/event_guard.h"

namespace veltrano::factors {
namespace {

// Strips everything but digits from the field after each edit, so pasted
// text ("1.5", "-12", "1 000") keeps only its digits. The prompt the field
// starts with stands until the user edits it.
class DigitsOnly : public QValidator {
 public:
  DigitsOnly(QString prompt, QObject* parent) : QValidator(parent), prompt_(std::move(prompt)) {}

  State validate(QString& text, int& cursor) const override {
    if (text == prompt_) return Acceptable;
    QString digits;
    digits.reserve(text.size());
    int digitsBeforeCursor = 0;
    for (int i = 0; i < text.size(); ++i) {
      if (text[i] < u'0' || text[i] > u'9') continue;
      digits.append(text[i]);
      if (i < cursor) ++digitsBeforeCursor;
    }
    text = digits;
    cursor = digitsBeforeCursor;
    return Acceptable;
  }

 private:
  QString prompt_;
};

bool isDigitKey(const QKeyEvent* event) {
  const QString text = event->text();
  return text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
}

bool isMoveOrDelete(int key) {
  switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_Menu: return true;
    default: return false;
  }
}

bool isEditingShortcut(const QKeyEvent* event) {
  for (QKeySequence::StandardKey key : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
                                        QKeySequence::SelectAll, QKeySequence::Undo, QKeySequence::Redo}) {
    if (event->matches(key)) return true;
  }
  return false;
}

}  // namespace

NumberField::NumberField(const QString& prompt, QWidget* parent) : QLineEdit(prompt, parent) {
  setValidator(new DigitsOnly(prompt, this));
}

bool NumberField::passes(const QKeyEvent* event) {
  return isDigitKey(event) || isMoveOrDelete(event->key()) || isEditingShortcut(event);
}

void NumberField::keyPressEvent(QKeyEvent* event) {
  runGuarded([&] {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      event->accept();
      selectAll();
      emit enterPressed();
    } else if (passes(event)) {
      QLineEdit::keyPressEvent(event);
    } else {
      event->accept();  // discarded, not passed on to the window
    }
  });
}

void NumberField::focusInEvent(QFocusEvent* event) {
  runGuarded([&] {
    QLineEdit::focusInEvent(event);
    selectAll();
    // A click that brought the focus would place the cursor after this and
    // undo the selection; select once more when the click is done.
    if (event->reason() == Qt::MouseFocusReason) QTimer::singleShot(0, this, [this] { selectAll(); });
  });
}

}  // namespace veltrano::factors
