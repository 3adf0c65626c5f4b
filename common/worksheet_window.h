#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "common/field_change_tracker.h"
#include "common/figure.h"
#include "common/program_settings.h"
#include "common/session_end.h"
#include "common/status_line.h"
#include "common/unsaved_changes.h"

class QAction;
class QKeySequence;
class QLineEdit;
class QMenu;

namespace veltrano {

class FigureFeed;
class FigurePane;
class SideArea;
class WorksheetReader;
class WorksheetWriter;

// What distinguishes one worksheet window's frame from another.
struct FrameSettings {
  QString objectName;                                 // "frmFactors"
  QString caption;                                    // the window's title
  QString helpFile;                                   // "\\Factors.chm"
  QString saveAsCaption = QStringLiteral("Save As");  // "SaveAs" in two windows
  bool secondFileSeparator = true;                    // frmComplex has none
  bool printsInCourier = false;                       // Triangles, Circles, Complex
  bool hasFigure = false;                             // Triangles, Circles, Complex
};

// The frame of every worksheet window: the menus File (Open, Save, Save As),
// Print, (Figure,) Help and About, the file commands, printing and closing.
// A window adds its controls to clientArea() (9480 x 6510 twips) and
// contributes its file, its reading and its printed lines; a window with a
// figure also its geometry. The status line, the tracking of field changes,
// the unsaved state and the side panes are parts of their own.
class WorksheetWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit WorksheetWindow(const FrameSettings& settings, QWidget* parent = nullptr);
  ~WorksheetWindow() override;

  QWidget* clientArea() const { return client_; }

  // The shared commands, as the menus run them.
  void save();
  void saveAs();
  void open();
  void print();
  void help();
  void about();
  // Shows or hides the figure pane, remembered for the next run.
  void showFigure(bool shown);
  bool isFigureShown() const;
  // The pane, brought up to date; null in a window without a figure.
  FigurePane* figurePane();

  // The status line (see StatusLine).
  void showFailure(const QString& why) { status_.showFailure(why); }
  void clearFailure() { status_.clearFailure(); }
  void setNote(const QString& key, const QString& text) { status_.setNote(key, text); }
  void setNoteBehind(const QString& key, const QString& text) { status_.setNoteBehind(key, text); }
  void clearNote(const QString& key) { status_.clearNote(key); }
  QString statusText() const { return status_.text(); }

  void endSession(SessionEnd& session) { unsaved_.answer(session); }

  static QString webAddress();

 protected:
  // Factors and Bases write nothing, not even an empty file, for an empty list.
  virtual bool hasContentToWrite() const { return true; }
  virtual void writeWorksheetFile(WorksheetWriter& file) const = 0;
  // Reads and checks the whole file and returns the step that puts it into
  // the window; raises a run-time error, changing nothing, for a bad file.
  virtual std::function<void()> readWorksheetFile(WorksheetReader& file) = 0;
  virtual QStringList printedLines() const = 0;
  // The figure of the values on show; nothing when the last solve failed, so
  // that the last figure stays, greyed.
  virtual std::optional<figure::Figure> currentFigure() const { return figure::Figure(); }
  // Greys the results on show: they no longer answer the fields' texts.
  virtual void markResultsStale() {}
  // The values on show may have changed outside a change handler (a file
  // opened, a task chosen): the figure follows.
  void figureMayHaveChanged();

  // Connects a field's change handler (see FieldChangeTracker); a change
  // marks the content changed.
  void onFieldChanged(QLineEdit* field, const QString& name, std::function<void()> handler) {
    tracker_.watch(field, name, std::move(handler));
  }
  // Marks the content changed where no watched field tells: a row added, a
  // result emptied. Open clears the mark once the file's content is in.
  void markChanged() { unsaved_.mark(); }

  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  QAction* addCommand(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key,
                      void (WorksheetWindow::*slot)());
  void buildFigure(QAction* command);
  void writeFile();
  void showFileInTitle(const QString& path);

  FrameSettings settings_;
  QWidget* client_;
  StatusLine status_;
  UnsavedChanges unsaved_;
  FieldChangeTracker tracker_;
  std::unique_ptr<SideArea> side_;
  FigurePane* figurePane_ = nullptr;
  std::unique_ptr<FigureFeed> figure_;
};

}  // namespace veltrano
