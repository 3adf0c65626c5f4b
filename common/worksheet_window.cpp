#include "common/worksheet_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSessionManager>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>

#include "common/dimension.h"
#include "common/event_guard.h"
#include "common/figure_pane.h"
#include "common/input_notes.h"
#include "common/numeric_text.h"
#include "common/page_layout.h"
#include "common/platform.h"
#include "common/runtime_error.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"

namespace veltrano {

namespace {

#ifndef QT_NO_SESSIONMANAGER
class QtSessionEnd : public SessionEnd {
 public:
  explicit QtSessionEnd(QSessionManager& manager) : manager_(manager) {}
  bool allowsInteraction() override { return manager_.allowsInteraction(); }
  void cancel() override { manager_.cancel(); }
  void release() override { manager_.release(); }

 private:
  QSessionManager& manager_;
};
#endif

QString figureShownKey(const QString& window) { return window + QStringLiteral("/figureShown"); }

}  // namespace

std::unique_ptr<QSettings> programSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Veltrano"),
                                     QStringLiteral("Veltrano"));
}

WorksheetWindow::WorksheetWindow(const FrameSettings& settings, QWidget* parent)
    : QMainWindow(parent), settings_(settings), client_(new QWidget(this)), status_(new QLabel(this)) {
  setObjectName(settings.objectName);
  showFileInTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->setFixedSize(style::kWorksheetWidth, style::kWorksheetHeight);
  if (settings.hasFigure) {
    buildFigurePane();
  } else {
    setCentralWidget(client_);
  }
  status_->setObjectName(QStringLiteral("lblStatus"));
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(false);
  buildMenus(settings);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
#ifndef QT_NO_SESSIONMANAGER
  if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    connect(application, &QGuiApplication::commitDataRequest, this, guarded([this](QSessionManager& manager) {
              QtSessionEnd session(manager);
              endSession(session);
            }));
  }
#endif
  if (figurePane_ && programSettings()->value(figureShownKey(objectName()), false).toBool()) {
    showFigure(true);
  }
}

// The client area keeps its place at the left; the pane beside it takes no
// room while it is hidden, so the fixed-size window grows and shrinks by it.
void WorksheetWindow::buildFigurePane() {
  auto* body = new QWidget(this);
  body->setObjectName(QStringLiteral("body"));
  auto* row = new QHBoxLayout(body);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  client_->setParent(body);
  row->addWidget(client_, 0, Qt::AlignLeft | Qt::AlignTop);
  figurePane_ = new FigurePane(body);
  figurePane_->setFixedHeight(style::kWorksheetHeight);
  figurePane_->setBeforePaint([this] { updateFigure(); });
  figurePane_->hide();
  row->addWidget(figurePane_, 0, Qt::AlignLeft | Qt::AlignTop);
  setCentralWidget(body);
}

WorksheetWindow::~WorksheetWindow() = default;

QString WorksheetWindow::webAddress() { return QStringLiteral("www.veltrano.org"); }

void WorksheetWindow::buildMenus(const FrameSettings& settings) {
  auto command = [this](QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key,
                        void (WorksheetWindow::*slot)()) {
    QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, guarded([this, slot] { (this->*slot)(); }));
    return action;
  };
  auto separator = [](QMenu* menu, const QString& name) {
    QAction* bar = menu->addSeparator();
    bar->setObjectName(name);
  };

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  file->menuAction()->setObjectName(QStringLiteral("mnuFile"));
  command(file, QStringLiteral("mnuOpen"), QStringLiteral("&Open"), QKeySequence::Open,
          &WorksheetWindow::open);
  separator(file, QStringLiteral("mnuFileBar1"));
  command(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"), QKeySequence::Save,
          &WorksheetWindow::save);
  // "Save As" and "SaveAs" alike take A as their mnemonic.
  command(file, QStringLiteral("mnuSaveAs"),
          QString(settings.saveAsCaption).replace(u'A', QStringLiteral("&A")), QKeySequence::SaveAs,
          &WorksheetWindow::saveAs);
  if (settings.secondFileSeparator) separator(file, QStringLiteral("mnuFileBar2"));
  command(nullptr, QStringLiteral("mnuPrint"), QStringLiteral("&Print"), QKeySequence::Print,
          &WorksheetWindow::print);
  if (settings.hasFigure) {
    figureCommand_ = menuBar()->addAction(QStringLiteral("Fi&gure"));
    figureCommand_->setObjectName(QStringLiteral("mnuFigure"));
    figureCommand_->setShortcut(QKeySequence(Qt::Key_F6));
    figureCommand_->setCheckable(true);
    connect(figureCommand_, &QAction::toggled, this, guarded([this](bool shown) { showFigure(shown); }));
  }
  command(nullptr, QStringLiteral("mnuHelp"), QStringLiteral("&Help"), QKeySequence::HelpContents,
          &WorksheetWindow::help);
  command(nullptr, QStringLiteral("mnuAbout"), QStringLiteral("&About"), QKeySequence(),
          &WorksheetWindow::about);
}

// Without a name, Save is Save As: it asks, and a name that could not be
// written is forgotten, so that the next Save (or Yes to the question) asks again.
void WorksheetWindow::save() {
  if (Dimension::CurrentFileName.isEmpty()) {
    saveAs();
  } else {
    writeFile();
  }
}

void WorksheetWindow::saveAs() {
  const QString previous = Dimension::CurrentFileName;
  Dimension::CurrentFileName = platform().files->saveFileName(this);
  if (Dimension::CurrentFileName.isEmpty()) return;
  try {
    writeFile();
  } catch (...) {
    // A name that could not be written must not stay for the next Save.
    Dimension::CurrentFileName = previous;
    throw;
  }
}

void WorksheetWindow::writeFile() {
  if (!hasContentToWrite()) return;
  WorksheetWriter file;
  writeWorksheetFile(file);
  file.commit(Dimension::CurrentFileName);
  showFileInTitle(Dimension::CurrentFileName);
  setWindowModified(false);
  setNote(QStringLiteral("save"), file.changesNote());
}

void WorksheetWindow::open() {
  if (!settleUnsavedChanges()) return;
  const QString previous = Dimension::CurrentFileName;
  Dimension::CurrentFileName = platform().files->openFileName(this);
  if (Dimension::CurrentFileName.isEmpty()) return;
  std::function<void()> putIntoWindow;
  QString fractionalCount;
  try {
    WorksheetReader file = WorksheetReader::fromFile(Dimension::CurrentFileName);
    putIntoWindow = readWorksheetFile(file);
    fractionalCount = file.fractionalCount();
  } catch (...) {
    // The window is untouched, and so is the name a later Save writes to.
    Dimension::CurrentFileName = previous;
    throw;
  }
  // The field writes of this step mark the content changed as typing does;
  // it is the file's content now, so the mark goes.
  putIntoWindow();
  showFileInTitle(Dimension::CurrentFileName);
  setWindowModified(false);
  clearNote(QStringLiteral("save"));  // it told of the last save, not of this file
  setNote(QStringLiteral("fileCount"), FractionalCountNote(fractionalCount));
  figureMayHaveChanged();
}

bool WorksheetWindow::settleUnsavedChanges() {
  if (!isWindowModified() || changesLetGo_) return true;
  const MessageAnswer answer = platform().messages->show(
      this, {QStringLiteral("Veltrano"), QStringLiteral("Save the changes to this worksheet?"),
             MessageButtons::YesNoCancel, false});
  switch (answer) {
    case MessageAnswer::Yes:
      // A cancelled name or a failed write (which raises) keeps everything.
      save();
      return !isWindowModified();
    case MessageAnswer::No: return true;
    default: return false;
  }
}

void WorksheetWindow::markChanged() {
  changesLetGo_ = false;
  if (!isWindowModified()) setWindowModified(true);
}

// The caption as it always was, then the name of the file last saved or
// opened, then Qt's place for the changed mark.
void WorksheetWindow::showFileInTitle(const QString& path) {
  QString title = settings_.caption + QStringLiteral("  ") + webAddress();
  if (!path.isEmpty()) title += QStringLiteral(" - ") + QFileInfo(path).fileName();
  setWindowTitle(title + QStringLiteral("[*]"));
}

void WorksheetWindow::print() {
  Printer& printer = *platform().printer;
  if (settings_.printsInCourier) {
    Dimension::SavedPrinterFontName = printer.fontName();
    printer.setFontName(QStringLiteral("Courier New"));
  }
  struct FontRestorer {
    Printer& printer;
    bool active;
    ~FontRestorer() {
      if (active) printer.setFontName(Dimension::SavedPrinterFontName);
    }
  } restorer{printer, settings_.printsInCourier};

  if (!printer.showPrintDialog(this)) return;
  printer.setHeading(pageHeading(settings_.caption, printedCase()));
  const QStringList lines = printedLines();
  for (const QString& line : lines) printer.printLine(line);
  if (isFigureShown()) {
    FigurePane* pane = figurePane();
    printer.printFigure(pane->figure(), pane->isGreyed());
  }
  printer.endDoc();
}

void WorksheetWindow::showFigure(bool shown) {
  if (!figurePane_ || shown == isFigureShown()) return;
  figurePane_->setVisible(shown);
  figureCommand_->setChecked(shown);
  programSettings()->setValue(figureShownKey(objectName()), shown);
  // Fixed-size layouts follow at once, so the window's new size is known now.
  centralWidget()->layout()->activate();
  layout()->activate();
}

bool WorksheetWindow::isFigureShown() const { return figurePane_ && !figurePane_->isHidden(); }

FigurePane* WorksheetWindow::figurePane() {
  if (figurePane_) updateFigure();
  return figurePane_;
}

void WorksheetWindow::figureMayHaveChanged() {
  figureOutdated_ = true;
  if (isFigureShown()) updateFigure();
}

// The figure is made only while the pane is shown; a hidden pane catches up
// when it is shown, so a hidden pane costs the typing nothing.
void WorksheetWindow::updateFigure() {
  if (!figureOutdated_ || !isFigureShown()) return;
  figureOutdated_ = false;
  runGuarded([this] {
    // A handler that failed left values that were never solved.
    const std::optional<figure::Figure> figure = changeFailed_ ? std::nullopt : currentFigure();
    if (figure) {
      figurePane_->setFigure(*figure);
    } else {
      figurePane_->setGreyed(true);
    }
  });
}

void WorksheetWindow::help() {
  QString name = settings_.helpFile;
  name.replace(u'\\', u'/');
  platform().help->showContents(this, QDir::cleanPath(platform().programFolder + name));
}

void WorksheetWindow::about() { platform().shell->showAboutScreen(); }

void WorksheetWindow::showFailure(const QString& why) {
  failure_ = why;
  showStatus();
}

void WorksheetWindow::clearFailure() {
  failure_.clear();
  showStatus();
}

void WorksheetWindow::setNote(const QString& key, const QString& text) {
  notes_.removeIf([&key](const auto& note) { return note.first == key; });
  if (!text.isEmpty()) notes_.append({key, text});
  showStatus();
}

void WorksheetWindow::setNoteBehind(const QString& key, const QString& text) {
  notes_.removeIf([&key](const auto& note) { return note.first == key; });
  if (!text.isEmpty()) notes_.prepend({key, text});
  showStatus();
}

void WorksheetWindow::clearNote(const QString& key) { setNote(key, QString()); }

void WorksheetWindow::showStatus() {
  if (!failure_.isEmpty()) {
    status_->setText(failure_);
  } else {
    status_->setText(notes_.isEmpty() ? QString() : notes_.last().second);
  }
}

QString WorksheetWindow::statusText() const { return status_->text(); }

// The solvers' writes run change handlers inside change handlers; the figure
// is drawn once the outermost has returned, from the values finally on show.
void WorksheetWindow::onFieldChanged(QLineEdit* field, const QString& name, std::function<void()> handler) {
  connect(field, &QLineEdit::textChanged, this, [this, field, name, handler = std::move(handler)] {
    if (changeDepth_++ == 0) changeFailed_ = false;
    unreadableFields_.remove(field);
    markChanged();
    runGuarded([&] {
      // Before the solve: its nested changes of other fields, and of this
      // one, then leave every field's note matching the text it shows.
      noteReading(field, name);
      try {
        handler();
      } catch (const RuntimeError& e) {
        changeFailed_ = true;
        if (e.number() != ErrorNumber::Overflow) throw;
        // The results no longer answer the texts on show.
        if (!readsAsNumber(field->text())) unreadableFields_.insert(field);
        markResultsStale();
        showFailure(QStringLiteral("Number too large"));
      }
    });
    if (--changeDepth_ == 0) {
      holdResultsWhileAFieldCannotBeRead();
      if (figurePane_) figureMayHaveChanged();
    }
  });
}

// A field whose text is too large to read keeps the value it last read, and
// the solves that other fields set off go on with it: their results answer a
// number the window no longer shows, so they stay greyed with the reason
// until the field reads again (or is disabled, and so not used).
void WorksheetWindow::holdResultsWhileAFieldCannotBeRead() {
  const bool anyInUse = std::any_of(unreadableFields_.cbegin(), unreadableFields_.cend(),
                                    [](const QLineEdit* field) { return field->isEnabled(); });
  if (!anyInUse) return;
  changeFailed_ = true;
  runGuarded([this] { markResultsStale(); });
  showFailure(QStringLiteral("Number too large"));
}

bool WorksheetWindow::readsAsNumber(const QString& text) {
  try {
    TextToNumber(text);
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

void WorksheetWindow::noteReading(const QLineEdit* field, const QString& name) {
  setNote(field->objectName(), PartialReadingNote(name, field->text()));
}

void WorksheetWindow::closeEvent(QCloseEvent* event) {
  bool goOn = false;
  runGuarded([&] { goOn = settleUnsavedChanges(); });
  if (!goOn) {
    event->ignore();
    return;
  }
  // Closes that follow (the shutdown unloading every window, the end of the
  // session) must not ask again.
  changesLetGo_ = true;
  event->accept();
  runGuarded([] { platform().shell->shutDown(); });
}

void WorksheetWindow::endSession(SessionEnd& session) {
  // Without leave to ask, the user's file is not written over unasked and
  // the changes stay marked: a close that follows asks as usual.
  if (!isWindowModified() || changesLetGo_ || !session.allowsInteraction()) return;
  bool goOn = false;
  runGuarded([&] { goOn = settleUnsavedChanges(); });
  if (goOn) {
    changesLetGo_ = true;  // the session's closes follow without asking
  } else {
    session.cancel();
  }
  session.release();
}

}  // namespace veltrano
