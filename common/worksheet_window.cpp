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
#include "common/working_pane.h"
#include "common/worksheet_file.h"

namespace veltrano {

WorksheetWindow::WorksheetWindow(const FrameSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      client_(new QWidget(this)),
      status_(statusBar()),
      unsaved_(this, [this] { save(); }),
      guard_(this, settings.worksheetName()),
      tracker_(this, status_,
               {[this] { markChanged(); }, [this] { markResultsStale(); },
                [this] { shownValuesMayHaveChanged(); }}) {
  setObjectName(settings.objectName);
  showFileInTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->setFixedSize(style::kWorksheetWidth, style::kWorksheetHeight);
  side_ = std::make_unique<SideArea>(this, client_,
                                     [this] { setNote(QStringLiteral("settings"), notRememberedNote()); });
  buildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  onSessionEnd(this, [this](SessionEnd& session) { endSession(session); });
  side_->restore();
  // A pane just shown catches up with the values typed while it was hidden;
  // one shown from the last run waits for the window (see showEvent), whose
  // worksheet is not built yet.
  QAction* working = findChild<QAction*>(QStringLiteral("mnuWorking"));
  connect(working, &QAction::toggled, this, guarded([this] { working_->update(); }));
}

void WorksheetWindow::showEvent(QShowEvent* event) {
  runGuarded([this] { working_->update(); });
  QMainWindow::showEvent(event);
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
  buildWorking(addCommand(nullptr, "mnuWorking", QStringLiteral("&Working"), Qt::Key_F7));
  addCommand(nullptr, "mnuHelp", QStringLiteral("&Help"), QKeySequence::HelpContents, &WorksheetWindow::help);
  addCommand(nullptr, "mnuAbout", QStringLiteral("&About"), QKeySequence(), &WorksheetWindow::about);
}

void WorksheetWindow::buildFigure(QAction* command) {
  // A handler that failed left values that were never solved.
  figure_ = std::make_unique<FigureFeed>([this]() -> std::optional<figure::Figure> {
    return tracker_.lastChangeFailed() ? std::nullopt : currentFigure();
  });
  figurePane_ = figure_->pane();
  side_->addPane(figurePane_, command, QStringLiteral("figureShown"));
}

void WorksheetWindow::buildWorking(QAction* command) {
  working_ = std::make_unique<WorkingFeed>([this] { return workingOnShow(); });
  workingPane_ = working_->pane();
  side_->addPane(workingPane_, command, QStringLiteral("workingShown"));
}

void WorksheetWindow::showWorking(bool shown) { side_->show(workingPane_, shown); }

bool WorksheetWindow::isWorkingShown() const { return side_->isShown(workingPane_); }

void WorksheetWindow::shownValuesMayHaveChanged() {
  if (figure_) figure_->mayHaveChanged();
  working_->mayHaveChanged();
}

// A change that raised an error left results that answer the values last
// read, not the fields on show: the working greys with them and says why.
WorkingFeed::Shown WorksheetWindow::workingOnShow() const {
  return WorkingFeed::afterChange(currentWorking(), tracker_.lastChangeFailed(),
                                  tracker_.unreadableFieldName());
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
  shownValuesMayHaveChanged();
  guard_.tellLeftoverBackup(Dimension::CurrentFileName);
}

void WorksheetWindow::print() {
  Printer& printer = *platform().printer;
  const CourierWhilePrinting font(printer, settings_.printsInCourier);
  if (!printer.showPrintDialog(this)) return;
  printer.setHeading(pageHeading(settings_.caption, printedCase()));
  const QStringList lines = printedLines();
  for (const QString& line : lines) printer.printLine(line);
  if (isFigureShown()) printer.printFigure(figurePane()->figure(), figurePane_->isGreyed());
  // The working last, parted by a blank line from what is printed before it.
  const QStringList working = isWorkingShown() ? working_->printedLines() : QStringList();
  if (!working.isEmpty() && (!lines.isEmpty() || isFigureShown())) printer.printLine(QString());
  for (const QString& line : working) printer.printLine(line);
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
