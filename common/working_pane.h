#pragma once

#include <QTextEdit>

#include "common/working.h"

class QAction;

namespace veltrano {

// The pane that shows the working behind a worksheet's results: read-only,
// selectable and scrollable, greyed with the results when they no longer
// answer the fields. Its right-click menu and keys copy the working (rich
// and plain text) and save it as HTML or plain text. Screen readers get the
// plain text as its description.
class WorkingPane : public QTextEdit {
  Q_OBJECT

 public:
  explicit WorkingPane(QWidget* parent = nullptr);

  void setWorking(const working::Working& working);
  void setGreyed(bool greyed);
  const working::Working& working() const { return working_; }
  bool isGreyed() const { return greyed_; }

  QString plainWorking() const;
  QString richWorking() const;

  void copyWorking();
  // The file's suffix chooses: .htm or .html writes HTML, any other plain text.
  void saveWorkingAs();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void showWorking();

  working::Working working_;
  bool greyed_ = false;
  QString shownRich_ = QStringLiteral("-");  // the rich text on show; none yet
  QAction* copyAction_ = nullptr;
  QAction* saveAction_ = nullptr;
};

}  // namespace veltrano
