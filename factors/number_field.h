#pragma once

#include <QLineEdit>

namespace veltrano::factors {

// The number field of the Factors window: only digits get in, whether typed,
// pasted or dropped; Backspace, Delete and the keys that move the cursor or
// the selection work as usual; Enter selects the whole text and asks for a
// factorisation; every other key is discarded. Gaining the focus selects the
// whole text, so that typing replaces it. The field starts with a prompt,
// which the first edit clears of everything but digits.
class NumberField : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberField(const QString& prompt, QWidget* parent = nullptr);

 signals:
  void enterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  static bool passes(const QKeyEvent* event);
};

}  // namespace veltrano::factors
