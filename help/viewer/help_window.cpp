#include "help/viewer/help_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "common/event_guard.h"
#include "help/chm/chm_file.h"
#include "help/viewer/chm_browser.h"

namespace veltrano::help {

namespace {

constexpr int kPageRole = Qt::UserRole;
constexpr int kContentsWidth = 250;
constexpr int kPageWidth = 650;

QString pagePath(const QString& local) {
  // Contents entries may carry an anchor; the tree marks the page itself.
  return normalisedObjectPath(local.section(QLatin1Char('#'), 0, 0));
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QMainWindow(parent),
      contents_(new QTreeWidget),
      browser_(new ChmBrowser),
      contentsNote_(new QLabel),
      pageNote_(new QLabel) {
  setObjectName(QStringLiteral("frmHelp"));
  contents_->setObjectName(QStringLiteral("tvwContents"));
  contents_->setHeaderHidden(true);
  contents_->setColumnCount(1);
  contents_->setAccessibleName(QStringLiteral("Contents"));
  browser_->setObjectName(QStringLiteral("brwTopic"));
  browser_->setAccessibleName(QStringLiteral("Help page"));

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kContentsWidth, kPageWidth});
  setCentralWidget(splitter);
  buildToolBar();
  contentsNote_->setObjectName(QStringLiteral("lblContentsNote"));
  contentsNote_->setVisible(false);
  statusBar()->addWidget(contentsNote_, 1);
  pageNote_->setObjectName(QStringLiteral("lblPageNote"));
  pageNote_->setVisible(false);
  statusBar()->addWidget(pageNote_, 1);
  resize(kContentsWidth + kPageWidth, 600);

  connect(contents_, &QTreeWidget::itemActivated, this,
          guarded([this](QTreeWidgetItem* item, int) { openItem(item); }));
  connect(contents_, &QTreeWidget::itemClicked, this,
          guarded([this](QTreeWidgetItem* item, int) { openItem(item); }));
  // Walking the contents with the arrow keys reads the pages on the way;
  // markCurrentPage moves the current item with the signals blocked.
  connect(contents_, &QTreeWidget::currentItemChanged, this,
          guarded([this](QTreeWidgetItem* item, QTreeWidgetItem*) { openItem(item); }));
  connect(browser_, &QTextBrowser::anchorClicked, this,
          guarded([this](const QUrl& link) { followLink(link); }));
  connect(browser_, &QTextBrowser::sourceChanged, this, guarded([this](const QUrl& page) {
            markCurrentPage(page);
            notePageFlattened();
          }));
  connect(browser_, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
          guarded([this](const QUrl& link) {
            statusBar()->showMessage(link.isEmpty() ? QString() : link.path());
          }));
}

void HelpWindow::buildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
  bar->setObjectName(QStringLiteral("tlbNavigation"));
  bar->setMovable(false);
  QAction* back = bar->addAction(QStringLiteral("Back"));
  back->setObjectName(QStringLiteral("mnuBack"));
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  QAction* forward = bar->addAction(QStringLiteral("Forward"));
  forward->setObjectName(QStringLiteral("mnuForward"));
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  QAction* home = bar->addAction(QStringLiteral("Home"));
  home->setObjectName(QStringLiteral("mnuHome"));
  home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
  connect(home, &QAction::triggered, this, guarded([this] {
            if (!homeTopic_.isEmpty()) browser_->setSource(ChmBrowser::urlOf(homeTopic_));
          }));
  auto* close = new QAction(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("mnuClose"));
  close->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(close, &QAction::triggered, this, &QWidget::close);
  addAction(close);
  // F6 (and Shift+F6) moves between the contents and the page, as in other
  // help viewers and browsers; Tab does it too.
  auto* switchPane = new QAction(QStringLiteral("Switch pane"), this);
  switchPane->setObjectName(QStringLiteral("mnuSwitchPane"));
  switchPane->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
  connect(switchPane, &QAction::triggered, this, guarded([this] {
            QWidget* to = contents_->hasFocus() ? static_cast<QWidget*>(browser_) : contents_;
            to->setFocus(Qt::ShortcutFocusReason);
          }));
  addAction(switchPane);
}

bool HelpWindow::showFile(std::shared_ptr<const ChmFile> file) {
  Contents contents;
  const QString contentsFile = file->contentsFile();
  if (std::optional<QByteArray> sitemap = contentsFile.isEmpty() ? std::nullopt : file->read(contentsFile)) {
    contents = parseContents(QString::fromLatin1(*sitemap));
  }
  QString home = file->defaultTopic();
  if (home.isEmpty()) home = firstTopic(contents.entries, *file);
  if (home.isEmpty()) return false;  // nothing to show: the window stays as it was

  file_ = std::move(file);
  homeTopic_ = home;
  setWindowTitle(file_->title().isEmpty()
                     ? QStringLiteral("Veltrano Help - ") + QFileInfo(file_->path()).fileName()
                     : file_->title());
  {
    const QSignalBlocker quiet(contents_);
    contents_->clear();
    fillContents(contents.entries);
    contents_->expandAll();
  }
  contentsNote_->setText(cutNote(contents));
  contentsNote_->setVisible(!contentsNote_->text().isEmpty());
  browser_->showFile(file_, homeTopic_);
  statusBar()->clearMessage();
  contents_->setFocus();
  return true;
}

QString HelpWindow::cutNote(const Contents& contents) {
  QStringList limits;
  if (contents.tooDeep) limits << QStringLiteral("nest deeper than %1 levels").arg(Contents::kMaxDepth);
  if (contents.tooMany) limits << QStringLiteral("hold more than %1 entries").arg(Contents::kMaxEntries);
  if (contents.tooLong) limits << QStringLiteral("run past %1 MB").arg(Contents::kMaxChars / (1024 * 1024));
  if (limits.isEmpty()) return {};
  return QStringLiteral("The contents of this help file %1: the entries past that are not listed.")
      .arg(limits.join(QStringLiteral(" and ")));
}

void HelpWindow::fillContents(const std::vector<ContentsEntry>& entries) {
  walkContents(entries, static_cast<QTreeWidgetItem*>(nullptr),
               [this](const ContentsEntry& entry, QTreeWidgetItem* parent) {
                 auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
                 item->setText(0, entry.name);
                 item->setToolTip(0, entry.name);
                 if (!entry.local.isEmpty()) item->setData(0, kPageRole, entry.local);
                 return item;
               });
}

QString HelpWindow::firstTopic(const std::vector<ContentsEntry>& entries, const ChmFile& file) {
  QString first;
  walkContents(entries, 0, [&](const ContentsEntry& entry, int) {
    if (first.isEmpty() && !entry.local.isEmpty() && file.contains(pagePath(entry.local)))
      first = pagePath(entry.local);
    return 0;
  });
  return first;
}

void HelpWindow::openItem(QTreeWidgetItem* item) {
  const QString local = item ? item->data(0, kPageRole).toString() : QString();
  if (local.isEmpty()) return;
  QUrl target = ChmBrowser::urlOf(pagePath(local));
  const QString anchor = local.section(QLatin1Char('#'), 1);
  if (!anchor.isEmpty()) target.setFragment(anchor);
  followLink(target);
}

void HelpWindow::followLink(const QUrl& link) {
  const QUrl absolute = browser_->resolved(link);
  if (browser_->leadsInside(absolute)) {
    browser_->setSource(absolute);
    return;
  }
  const QString scheme = absolute.scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
      scheme == QLatin1String("mailto")) {
    QDesktopServices::openUrl(absolute);
    return;
  }
  statusBar()->showMessage(QStringLiteral("This help file holds no page \"%1\".").arg(absolute.path()));
}

void HelpWindow::notePageFlattened() {
  pageNote_->setText(browser_->pageFlattened()
                         ? QStringLiteral("This page nests tables, lists or other parts deeper than the "
                                          "help window lays out: the parts past that are shown flattened.")
                         : QString());
  pageNote_->setVisible(browser_->pageFlattened());
}

void HelpWindow::markCurrentPage(const QUrl& page) {
  const QString path = normalisedObjectPath(page.path());
  const QSignalBlocker quiet(contents_);
  for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
    const QString local = (*it)->data(0, kPageRole).toString();
    if (!local.isEmpty() && pagePath(local).compare(path, Qt::CaseInsensitive) == 0) {
      contents_->setCurrentItem(*it);
      contents_->scrollToItem(*it);
      return;
    }
  }
  contents_->clearSelection();
}

}  // namespace veltrano::help
