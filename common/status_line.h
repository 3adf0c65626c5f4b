#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <utility>

class QLabel;
class QStatusBar;
class QWidget;

namespace veltrano {

// The one-line status area of a worksheet: why the last computation failed,
// or else what was misread, refused or left out. Notes stand under keys of
// their own, so that their source can take them back. A failure is shown
// before any note; otherwise the newest note still standing is shown. A
// screen reader on the focused control of the window hears each new text.
class StatusLine {
 public:
  // Puts its label, "lblStatus", into the window's status bar, across it.
  explicit StatusLine(QStatusBar* bar);

  void showFailure(const QString& why);
  void clearFailure();
  // An empty text takes the key's note back.
  void setNote(const QString& key, const QString& text);
  // A note that gives way to every other: shown only while no other stands.
  void setNoteBehind(const QString& key, const QString& text);
  void clearNote(const QString& key) { setNote(key, QString()); }
  QString text() const;

 private:
  void removeNote(const QString& key);
  void show();
  void tellFocusedControl();

  QLabel* label_;
  // The control whose spoken description carries the status text, so that
  // it can be taken back when the text goes or the focus has moved on.
  QPointer<QWidget> told_;
  QString failure_;
  QList<std::pair<QString, QString>> notes_;  // key and text, oldest first
};

}  // namespace veltrano
