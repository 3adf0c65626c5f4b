#include "app/platform/qt_message_boxes.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

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
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
  }
}

// QMessageBox wraps any line wider than about 500 pixels, which breaks the
// warning's lines at random places; the label gets room for its widest line,
// within the screen.
void keepLinesWhole(QMessageBox& box, const QString& text) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return;
  const QFontMetrics metrics(label->font());
  int widest = 0;
  for (const QString& line : text.split(QChar(u'\n'))) widest = qMax(widest, metrics.horizontalAdvance(line));
  int room = 900;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    room = screen->availableGeometry().width() - 160;
  label->setMinimumWidth(qMin(widest + 2, room));
}

}  // namespace

MessageAnswer QtMessageBoxes::show(QWidget* owner, const MessageRequest& request) {
  QMessageBox box(owner);
  box.setWindowTitle(request.title);
  const QString text = displayText(request.text);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  keepLinesWhole(box, text);
  if (request.critical) {
    box.setIcon(QMessageBox::Critical);
  } else {
    box.setIcon(request.buttons == MessageButtons::Ok ? QMessageBox::Information : QMessageBox::Question);
  }
  if (request.buttons == MessageButtons::YesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
  } else if (request.buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
  }
  return answerOf(box.exec(), request.buttons);
}

}  // namespace veltrano
