#pragma once

#include <QList>
#include <QMainWindow>
#include <cstdint>

#include "app/worksheet_windows.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace veltrano {

// frmTask, the task selector: the user picks one kind of problem and OK
// opens its worksheet window; the selector then stays hidden for good.
class TaskWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit TaskWindow(WorksheetFactories factories, QWidget* parent = nullptr);

  // The index that the last OK found selected; 0 when the window loads.
  std::int32_t SelectedTask = 0;

  const WorksheetWindows& worksheets() const { return worksheets_; }

  // Opens a task's worksheet as OK does, and then the file at path in it
  // when one is given; the selector hides for good. path is a copy: OK hands
  // in the offered file, which is cleared here.
  void openTask(int task, QString path = {});
  // A file given at the start that fits several worksheets (fitting, their
  // tasks) or none: says so, names it above the options, and the worksheet
  // that OK then opens opens it too.
  void offerFile(const QString& path, const QList<int>& fitting);

  // The captions of the group by index, from the table of worksheets; "Sort
  // a list" (5) has no window and is not part of the visible group.
  static QStringList taskCaptions();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void setTabOrder();
  void chooseOption(qsizetype index);
  void okClicked();
  void helpClicked();

  WorksheetWindows worksheets_;
  QString offeredFile_;
  QLabel* label1_ = nullptr;
  QList<QRadioButton*> optTask_;
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace veltrano
