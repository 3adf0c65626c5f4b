#include "app/platform/qt_message_boxes.h"

#include <QMessageBox>

namespace veltrano {
namespace {

// The message lines are separated by carriage returns alone, which a Qt label
// would not break on.
QString displayText(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  return text;
}

MessageAnswer answerOf(int button, MessageButtons buttons) {
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  switch (button) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Cancel;
  }
}

}  // namespace

MessageAnswer QtMessageBoxes::show(QWidget* owner, const MessageRequest& request) {
  QMessageBox box(owner);
  box.setWindowTitle(request.title);
  box.setText(displayText(request.text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(request.critical ? QMessageBox::Critical : QMessageBox::Information);
  if (request.buttons == MessageButtons::YesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
  }
  return answerOf(box.exec(), request.buttons);
}

}  // namespace veltrano
