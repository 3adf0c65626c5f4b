#pragma once

#include <QList>
#include <QMainWindow>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "common/figure.h"

class QAction;
class QLabel;
class QLineEdit;
class QSettings;

namespace veltrano {

class FigurePane;
class WorksheetReader;
class WorksheetWriter;

// The program's settings, under its own name whatever the application is
// called; they hold only what the windows remember between runs.
std::unique_ptr<QSettings> programSettings();

// The session manager's request when the desktop session ends (a logout),
// as a window answers it.
class SessionEnd {
 public:
  virtual ~SessionEnd() = default;
  // Asks for leave to show a box; false when nobody may be asked.
  virtual bool allowsInteraction() = 0;
  // Keeps the session from ending.
  virtual void cancel() = 0;
  // Gives the leave to show boxes back.
  virtual void release() = 0;
};

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
// Print, Help and About, the shared commands behind them, the one-line status
// area and the client area of 9480 x 6510 twips. A window adds its controls to
// clientArea() and contributes only its file, its reading and its printed lines.
//
// The frame also keeps whether the content changed since it was last saved,
// opened or loaded (Qt's window-modified state, "*" in the title). While it
// is set, closing the window, Open and the end of the session first ask
// whether to save.
//
// A window with a figure also gets the Figure command and the figure pane at
// the right of the client area, and contributes the figure's geometry.
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
  // Shows or hides the figure pane; the window grows or shrinks by its width
  // to the right, and remembers the choice for the next run.
  void showFigure(bool shown);
  bool isFigureShown() const;
  // The pane, brought up to date; null in a window without a figure.
  FigurePane* figurePane();

  // The status area says why the last computation failed, in plain words.
  void showFailure(const QString& why);
  void clearFailure();
  // Notes tell what was misread, refused or left out, each under a key of
  // its own so that its source can take it back. A failure is shown before
  // any note; otherwise the newest note still standing is shown.
  void setNote(const QString& key, const QString& text);
  // A note that gives way to every other: shown only while no other stands.
  void setNoteBehind(const QString& key, const QString& text);
  void clearNote(const QString& key);
  QString statusText() const;

  // Answers the end of the session: while changes are unsaved, asks as
  // closing does, and keeps the session going on Cancel.
  void endSession(SessionEnd& session);

  static QString webAddress();

 protected:
  // Factors and Bases write nothing, not even an empty file, for an empty list.
  virtual bool hasContentToWrite() const { return true; }
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
  // Greys the results on show: they no longer answer the fields' texts.
  virtual void markResultsStale() {}
  // The values on show may have changed outside a change handler (a file
  // opened, a task chosen): the figure follows.
  void figureMayHaveChanged();

  // Connects a field's change handler for the windows that solve on every
  // change. A number too large to read (Overflow) is told in the status area
  // instead of a box, so typing goes on; other errors get the usual box.
  // A change of a field the handler watches marks the content changed. A
  // text read only in part gets a note that calls the field by name.
  void onFieldChanged(QLineEdit* field, const QString& name, std::function<void()> handler);

  // Marks the content changed where no watched field tells: a row added, a
  // result emptied. Open clears the mark once the file's content is in.
  void markChanged();

  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus(const FrameSettings& settings);
  void buildFigurePane();
  void writeFile();
  void showStatus();
  // Asks whether to save unsaved changes and saves on Yes; true when the
  // caller may go on and replace or drop the content.
  bool settleUnsavedChanges();
  void showFileInTitle(const QString& path);
  void noteReading(const QLineEdit* field, const QString& name);
  void holdResultsWhileAFieldCannotBeRead();
  static bool readsAsNumber(const QString& text);
  void updateFigure();

  FrameSettings settings_;
  QWidget* client_;
  QLabel* status_;
  QString failure_;
  QList<std::pair<QString, QString>> notes_;  // key and text, oldest first
  // The user let the unsaved changes go (No when the window closes or the
  // session ends): the closes that follow do not ask again.
  bool changesLetGo_ = false;
  FigurePane* figurePane_ = nullptr;
  QAction* figureCommand_ = nullptr;
  bool figureOutdated_ = true;
  int changeDepth_ = 0;                      // change handlers running, nested by the solvers' writes
  bool changeFailed_ = false;                // a handler of the last change raised an error
  QSet<const QLineEdit*> unreadableFields_;  // watched fields whose text is too large to read
};

}  // namespace veltrano
