#include "common/worksheet_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "common/current_file.h"
#include "common/event_guard.h"
#include "common/input_notes.h"
#include "common/page_layout.h"
#include "common/printer_font.h"
#include "common/program_settings.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"

namespace veltrano {

WorksheetWindow::WorksheetWindow(const FrameSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      client_(new QWidget(this)),
      status_(statusBar()),
      unsaved_(this, [this] { save(); }),
      guard_(this, settings.worksheetName()),
      tracker_(
          this, status_,
          {[this] { markChanged(); }, [this] { markResultsStale(); }, [this] { figureMayHaveChanged(); }}) {
  setObjectName(settings.objectName);
  showFileInTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->setFixedSize(style::kWorksheetWidth, style::kWorksheetHeight);
  buildMenus();
  if (!side_) setCentralWidget(client_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  onSessionEnd(this, [this](SessionEnd& session) { endSession(session); });
  if (side_) side_->restore();
}

QAction* WorksheetWindow::addCommand(QMenu* menu, const char* name, const QString& caption,
                                     const QKeySequence& key, void (WorksheetWindow::*slot)()) {
  QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(key);
  if (slot) connect(action, &QAction::triggered, this, guarded([this, slot] { (this->*slot)(); }));
  return action;
}

void WorksheetWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  file->menuAction()->setObjectName(QStringLiteral("mnuFile"));
  addCommand(file, "mnuOpen", QStringLiteral("&Open"), QKeySequence::Open, &WorksheetWindow::open);
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
  addCommand(file, "mnuSave", QStringLiteral("&Save"), QKeySequence::Save, &WorksheetWindow::save);
  // "Save As" and "SaveAs" alike take A as their mnemonic.
  const QString saveAs = QString(settings_.saveAsCaption).replace(u'A', QStringLiteral("&A"));
  addCommand(file, "mnuSaveAs", saveAs, QKeySequence::SaveAs, &WorksheetWindow::saveAs);
  if (settings_.secondFileSeparator) file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar2"));
  addCommand(nullptr, "mnuPrint", QStringLiteral("&Print"), QKeySequence::Print, &WorksheetWindow::print);
  if (settings_.hasFigure)
    buildFigure(addCommand(nullptr, "mnuFigure", QStringLiteral("Fi&gure"), Qt::Key_F6));
  addCommand(nullptr, "mnuHelp", QStringLiteral("&Help"), QKeySequence::HelpContents, &WorksheetWindow::help);
  addCommand(nullptr, "mnuAbout", QStringLiteral("&About"), QKeySequence(), &WorksheetWindow::about);
}

void WorksheetWindow::buildFigure(QAction* command) {
  side_ = std::make_unique<SideArea>(this, client_,
                                     [this] { setNote(QStringLiteral("settings"), notRememberedNote()); });
  // A handler that failed left values that were never solved.
  figure_ = std::make_unique<FigureFeed>([this]() -> std::optional<figure::Figure> {
    return tracker_.lastChangeFailed() ? std::nullopt : currentFigure();
  });
  figurePane_ = figure_->pane();
  side_->addPane(figurePane_, command, QStringLiteral("figureShown"));
}

// Without a name, Save is Save As: it asks, and a name that could not be
// written is forgotten, so that the next Save (or Yes to the question) asks again.
void WorksheetWindow::save() {
  if (Dimension::CurrentFileName.isEmpty()) {
    saveAs();
  } else if (guard_.mayWriteOver(Dimension::CurrentFileName)) {
    writeFile();
  }
}

void WorksheetWindow::saveAs() {
  useChosenFile(platform().files->saveFileName(this), [this] { writeFile(); });
}

void WorksheetWindow::writeFile() {
  if (!hasContentToWrite()) return;
  WorksheetWriter file;
  writeWorksheetFile(file);
  file.commit(Dimension::CurrentFileName);
  guard_.saved(Dimension::CurrentFileName);
  showFileInTitle(Dimension::CurrentFileName);
  unsaved_.clear();
  setNote(QStringLiteral("save"), file.changesNote());
}

void WorksheetWindow::open() {
  if (!unsaved_.settle()) return;
  openFile(platform().files->openFileName(this));
}

void WorksheetWindow::openFile(const QString& path) {
  std::function<void()> putIntoWindow;
  QString fractionalCount;
  QString misfit;
  const QString previous = Dimension::CurrentFileName;
  // A bad file leaves the window untouched, and the name a later Save writes to.
  const bool chosen = useChosenFile(path, [&] {
    WorksheetReader file = WorksheetReader::fromFile(Dimension::CurrentFileName);
    putIntoWindow = readWorksheetFile(file);
    fractionalCount = file.fractionalCount();
    misfit = file.misfit();
  });
  if (!chosen) return;
  // Another worksheet's file, declined, leaves everything as it was too.
  if (!guard_.mayOpen(Dimension::CurrentFileName, misfit)) {
    Dimension::CurrentFileName = previous;
    return;
  }
  // The field writes of this step mark the content changed as typing does;
  // it is the file's content now, so the mark goes.
  putIntoWindow();
  guard_.opened(Dimension::CurrentFileName, !misfit.isEmpty());
  showFileInTitle(Dimension::CurrentFileName);
  unsaved_.clear();
  clearNote(QStringLiteral("save"));  // it told of the last save, not of this file
  setNote(QStringLiteral("fileCount"), FractionalCountNote(fractionalCount));
  figureMayHaveChanged();
  tellLeftoverBackup(Dimension::CurrentFileName);
}

void WorksheetWindow::tellLeftoverBackup(const QString& path) {
  const QString backup = leftoverBackupOf(path);
  if (backup.isEmpty()) return;
  platform().messages->show(
      this, {QStringLiteral("Veltrano"),
             QStringLiteral("A save of this file was stopped while it wrote, so the file may hold part of "
                            "the new content and part of the old. The old content is kept whole in:\n%1")
                 .arg(QDir::toNativeSeparators(backup)),
             MessageButtons::Ok, false});
}

void WorksheetWindow::print() {
  Printer& printer = *platform().printer;
  const CourierWhilePrinting font(printer, settings_.printsInCourier);
  if (!printer.showPrintDialog(this)) return;
  printer.setHeading(pageHeading(settings_.caption, printedCase()));
  const QStringList lines = printedLines();
  for (const QString& line : lines) printer.printLine(line);
  if (isFigureShown()) printer.printFigure(figurePane()->figure(), figurePane_->isGreyed());
  printer.endDoc();
}

void WorksheetWindow::help() {
  QString name = settings_.helpFile;
  name.replace(u'\\', u'/');
  platform().help->showContents(this, QDir::cleanPath(platform().programFolder + name));
}

void WorksheetWindow::closeEvent(QCloseEvent* event) {
  bool goOn = false;
  runGuarded([&] { goOn = unsaved_.settle(); });
  if (!goOn) {
    event->ignore();
    return;
  }
  unsaved_.letGo();
  event->accept();
  runGuarded([] { platform().shell->shutDown(); });
}

}  // namespace veltrano
