#include "factors/number_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>
#include <QValidator>
#include <algorithm>

#include "common/event_guard.h"

namespace veltrano::factors {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// What an edit put into the text: an insertion (typed, pasted or dropped)
// leaves the cursor after what it put in, followed by the end of the old
// text; before that stands what the old text and the new one start with.
QString insertedPart(const QString& before, const QString& after, int cursor) {
  const qsizetype tail = after.size() - cursor;
  const qsizetype limit = std::clamp<qsizetype>(before.size() - tail, 0, cursor);
  qsizetype head = 0;
  while (head < limit && before[head] == after[head]) ++head;
  return after.mid(head, cursor - head);
}

bool digitsAndBlanksOnly(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return isDigit(c) || c.isSpace(); });
}

}  // namespace

// Keeps only the digits of the field after each edit, so that "1 000" gets
// in as 1000; an edit that would put anything else in ("-12", "1.5") is
// refused whole rather than have its digits taken for another number. The
// prompt the field starts with stands until the user edits it.
class DigitsOnly : public QValidator {
 public:
  DigitsOnly(QString prompt, NumberField* field)
      : QValidator(field), prompt_(std::move(prompt)), field_(field) {}

  State validate(QString& text, int& cursor) const override {
    if (text == prompt_) return Acceptable;
    const QString inserted = insertedPart(field_->shown_, text, cursor);
    if (!digitsAndBlanksOnly(inserted)) {
      emit field_->insertRefused(inserted);
      return Invalid;
    }
    QString digits;
    digits.reserve(text.size());
    int digitsBeforeCursor = 0;
    for (int i = 0; i < text.size(); ++i) {
      if (!isDigit(text[i])) continue;
      digits.append(text[i]);
      if (i < cursor) ++digitsBeforeCursor;
    }
    text = digits;
    cursor = digitsBeforeCursor;
    return Acceptable;
  }

 private:
  QString prompt_;
  NumberField* field_;
};

namespace {

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

NumberField::NumberField(const QString& prompt, QWidget* parent) : QLineEdit(prompt, parent), shown_(prompt) {
  setValidator(new DigitsOnly(prompt, this));
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
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
      const QString typed = event->text();
      if (!typed.isEmpty() && typed[0].isPrint()) emit keyDiscarded(typed);
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
