#include "common/worksheet_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "common/dimension.h"
#include "common/event_guard.h"
#include "common/figure_feed.h"
#include "common/figure_pane.h"
#include "common/input_notes.h"
#include "common/platform.h"
#include "common/side_area.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"

namespace veltrano {

WorksheetWindow::WorksheetWindow(const FrameSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      client_(new QWidget(this)),
      status_(new QLabel(this)),
      unsaved_(this, [this] { save(); }),
      tracker_(
          this, status_,
          {[this] { markChanged(); }, [this] { markResultsStale(); }, [this] { figureMayHaveChanged(); }}) {
  setObjectName(settings.objectName);
  showFileInTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->setFixedSize(style::kWorksheetWidth, style::kWorksheetHeight);
  status_.label()->setObjectName(QStringLiteral("lblStatus"));
  statusBar()->addWidget(status_.label(), 1);
  statusBar()->setSizeGripEnabled(false);
  buildMenus();
  if (!side_) setCentralWidget(client_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  onSessionEnd(this, [this](SessionEnd& session) { endSession(session); });
  if (side_) side_->restore();
}

WorksheetWindow::~WorksheetWindow() = default;

QString WorksheetWindow::webAddress() { return QStringLiteral("www.veltrano.org"); }

QAction* WorksheetWindow::addCommand(QMenu* menu, const QString& name, const QString& caption,
                                     const QKeySequence& key, void (WorksheetWindow::*slot)()) {
  QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(key);
  if (slot) connect(action, &QAction::triggered, this, guarded([this, slot] { (this->*slot)(); }));
  return action;
}

void WorksheetWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  file->menuAction()->setObjectName(QStringLiteral("mnuFile"));
  addCommand(file, QStringLiteral("mnuOpen"), QStringLiteral("&Open"), QKeySequence::Open,
             &WorksheetWindow::open);
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
  addCommand(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"), QKeySequence::Save,
             &WorksheetWindow::save);
  // "Save As" and "SaveAs" alike take A as their mnemonic.
  addCommand(file, QStringLiteral("mnuSaveAs"),
             QString(settings_.saveAsCaption).replace(u'A', QStringLiteral("&A")), QKeySequence::SaveAs,
             &WorksheetWindow::saveAs);
  if (settings_.secondFileSeparator) file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar2"));
  addCommand(nullptr, QStringLiteral("mnuPrint"), QStringLiteral("&Print"), QKeySequence::Print,
             &WorksheetWindow::print);
  if (settings_.hasFigure) {
    buildFigure(addCommand(nullptr, QStringLiteral("mnuFigure"), QStringLiteral("Fi&gure"),
                           QKeySequence(Qt::Key_F6), nullptr));
  }
  addCommand(nullptr, QStringLiteral("mnuHelp"), QStringLiteral("&Help"), QKeySequence::HelpContents,
             &WorksheetWindow::help);
  addCommand(nullptr, QStringLiteral("mnuAbout"), QStringLiteral("&About"), QKeySequence(),
             &WorksheetWindow::about);
}

void WorksheetWindow::buildFigure(QAction* command) {
  side_ = std::make_unique<SideArea>(this, client_);
  figurePane_ = new FigurePane;
  figurePane_->setFixedHeight(style::kWorksheetHeight);
  // A handler that failed left values that were never solved.
  figure_ = std::make_unique<FigureFeed>(figurePane_, [this]() -> std::optional<figure::Figure> {
    return tracker_.lastChangeFailed() ? std::nullopt : currentFigure();
  });
  side_->addPane(figurePane_, command, QStringLiteral("figureShown"));
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
  unsaved_.clear();
  setNote(QStringLiteral("save"), file.changesNote());
}

void WorksheetWindow::open() {
  if (!unsaved_.settle()) return;
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
  unsaved_.clear();
  clearNote(QStringLiteral("save"));  // it told of the last save, not of this file
  setNote(QStringLiteral("fileCount"), FractionalCountNote(fractionalCount));
  figureMayHaveChanged();
}

// The window's caption, then the name of the file last saved or opened, then
// Qt's place for the changed mark.
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
  const QStringList lines = printedLines();
  for (const QString& line : lines) printer.printLine(line);
  if (isFigureShown()) printer.printFigure(figurePane()->figure(), figurePane_->isGreyed());
  printer.endDoc();
}

void WorksheetWindow::showFigure(bool shown) {
  if (side_) side_->show(figurePane_, shown);
}

bool WorksheetWindow::isFigureShown() const { return side_ && side_->isShown(figurePane_); }

FigurePane* WorksheetWindow::figurePane() {
  if (figure_) figure_->update();
  return figurePane_;
}

void WorksheetWindow::figureMayHaveChanged() {
  if (figure_) figure_->mayHaveChanged();
}

void WorksheetWindow::help() {
  QString name = settings_.helpFile;
  name.replace(u'\\', u'/');
  platform().help->showContents(this, QDir::cleanPath(platform().programFolder + name));
}

void WorksheetWindow::about() { platform().shell->showAboutScreen(); }

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
