#pragma once

#include <QLineEdit>

namespace veltrano::factors {

// The number field of the Factors window: only digits get in. Backspace,
// Delete and the keys that move the cursor or the selection work as usual;
// Enter selects the whole text and asks for a factorisation; every other key
// is discarded and reported. Text pasted or dropped in gets in when it holds
// digits and blanks only, the blanks left out; any other text is refused
// whole and reported. Gaining the focus selects the whole text, so that
// typing replaces it. The field starts with a prompt, which the first edit
// clears of everything but digits.
class NumberField : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberField(const QString& prompt, QWidget* parent = nullptr);

 signals:
  void enterPressed();
  // A key that was discarded: a character other than a digit.
  void keyDiscarded(const QString& key);
  // Pasted or dropped text that was refused whole.
  void insertRefused(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  friend class DigitsOnly;
  static bool passes(const QKeyEvent* event);

  QString shown_;  // the text before the edit being checked
};

}  // namespace veltrano::factors
