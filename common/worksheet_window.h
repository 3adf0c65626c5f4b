#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "common/current_file.h"
#include "common/field_change_tracker.h"
#include "common/figure_feed.h"
#include "common/figure_pane.h"
#include "common/frame_settings.h"
#include "common/overwrite_guard.h"
#include "common/platform.h"
#include "common/session_end.h"
#include "common/side_area.h"
#include "common/status_line.h"
#include "common/unsaved_changes.h"
#include "common/working_feed.h"

class QAction;
class QLineEdit;
class QMenu;

namespace veltrano {
class WorkingPane;
}

namespace veltrano {

class WorksheetReader;
class WorksheetWriter;

// The frame of every worksheet window: the menus File (Open, Save, Save As),
// Print, (Figure,) Working, Help and About, the file commands, printing and
// closing. A window adds its controls to clientArea() (9480 x 6510 twips)
// and gives its file, its reading, its printed lines, the working behind
// its results and, with a figure, its geometry.
class WorksheetWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit WorksheetWindow(const FrameSettings& settings, QWidget* parent = nullptr);
  ~WorksheetWindow() override = default;

  QWidget* clientArea() const { return client_; }

  // The shared commands, as the menus run them.
  void save();
  void saveAs();
  void open();
  // Open's steps after its dialog, for the file at path: the same reading, the
  // same question for another worksheet's file, the title and the current
  // file name; an empty path is a dialog cancelled. The caller settles unsaved
  // work first.
  void openFile(const QString& path);
  void print();
  void help();
  void about() { platform().shell->showAboutScreen(); }
  // Shows or hides the figure pane (see SideArea).
  void showFigure(bool shown) {
    if (figurePane_) side_->show(figurePane_, shown);
  }
  bool isFigureShown() const { return figurePane_ && side_->isShown(figurePane_); }
  // The pane, brought up to date; null in a window without a figure.
  FigurePane* figurePane() {
    if (figure_) figure_->update();
    return figurePane_;
  }

  // Shows or hides the working pane (see SideArea).
  void showWorking(bool shown);
  bool isWorkingShown() const;
  // The pane, brought up to date.
  WorkingPane* workingPane() {
    working_->update();
    return workingPane_;
  }

  // The status line: the failure before the newest note (see StatusLine).
  void showFailure(const QString& why) { status_.showFailure(why); }
  void clearFailure() { status_.clearFailure(); }
  void setNote(const QString& key, const QString& text) { status_.setNote(key, text); }
  void setNoteBehind(const QString& key, const QString& text) { status_.setNoteBehind(key, text); }
  void clearNote(const QString& key) { status_.clearNote(key); }
  QString statusText() const { return status_.text(); }

  void endSession(SessionEnd& session) { unsaved_.answer(session); }

  static QString webAddress() { return QStringLiteral("www.veltrano.org"); }

 protected:
  virtual bool hasContentToWrite() const { return true; }  // false: Save writes no file
  virtual void writeWorksheetFile(WorksheetWriter& file) const = 0;
  // Reads and checks the whole file and returns the step that puts it into
  // the window; raises a run-time error, changing nothing, for a bad file.
  virtual std::function<void()> readWorksheetFile(WorksheetReader& file) = 0;
  virtual QStringList printedLines() const = 0;
  // The case or task chosen, for the heading of the printed pages; empty in
  // a window that has none.
  virtual QString printedCase() const { return {}; }
  // The figure of the values on show; nothing when the last solve failed, so
  // that the last figure stays, greyed.
  virtual std::optional<figure::Figure> currentFigure() const { return figure::Figure(); }
  // The working behind the results on show, built by the worksheet's model
  // from the values the window shows; nothing while there is none.
  virtual std::optional<working::Working> currentWorking() const { return std::nullopt; }
  // Greys the results on show: they no longer answer the fields' texts.
  virtual void markResultsStale() {}
  // The values on show changed outside a change handler (a task chosen, a
  // row added or chosen in a list).
  void shownValuesMayHaveChanged();
  // The name of a field in use whose text is too large to read; see
  // FieldChangeTracker.
  QString unreadableFieldName() const { return tracker_.unreadableFieldName(); }

  // Connects a field's change handler; see FieldChangeTracker.
  void onFieldChanged(QLineEdit* field, const QString& name, std::function<void()> handler) {
    tracker_.watch(field, name, std::move(handler));
  }
  // Marks the content changed where no watched field tells (a row added).
  void markChanged() { unsaved_.mark(); }

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void buildMenus();
  // A slot of null leaves the command to its caller.
  QAction* addCommand(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                      void (WorksheetWindow::*slot)() = nullptr);
  void buildFigure(QAction* command);
  void buildWorking(QAction* command);
  WorkingFeed::Shown workingOnShow() const;
  void writeFile();
  void showFileInTitle(const QString& path) {
    setWindowTitle(worksheetTitle(settings_.caption, webAddress(), path));
  }

  FrameSettings settings_;
  QWidget* client_;
  StatusLine status_;
  UnsavedChanges unsaved_;
  OverwriteGuard guard_;
  FieldChangeTracker tracker_;
  std::unique_ptr<SideArea> side_;
  FigurePane* figurePane_ = nullptr;
  std::unique_ptr<FigureFeed> figure_;
  WorkingPane* workingPane_ = nullptr;
  std::unique_ptr<WorkingFeed> working_;
};

}  // namespace veltrano
