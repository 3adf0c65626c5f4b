#include "common/working_pane.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <memory>

#include "common/event_guard.h"
#include "common/file_access.h"
#include "common/platform.h"
#include "common/working_text.h"

namespace veltrano {

namespace {

working::Shown shownAs(bool greyed) { return greyed ? working::Shown::Greyed : working::Shown::Current; }

bool isHtmlName(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QStringLiteral("htm") || suffix == QStringLiteral("html");
}

}  // namespace

WorkingPane::WorkingPane(QWidget* parent) : QTextEdit(parent) {
  setObjectName(QStringLiteral("txtWorking"));
  setAccessibleName(QStringLiteral("Working"));
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setTabChangesFocus(true);  // Tab leaves the pane: it holds no text to type
  copyAction_ = new QAction(QStringLiteral("Copy working"), this);
  copyAction_->setObjectName(QStringLiteral("mnuCopyWorking"));
  copyAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(copyAction_, &QAction::triggered, this, guarded([this] { copyWorking(); }));
  saveAction_ = new QAction(QStringLiteral("Save working as\u2026"), this);
  saveAction_->setObjectName(QStringLiteral("mnuSaveWorking"));
  saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
  connect(saveAction_, &QAction::triggered, this, guarded([this] { saveWorkingAs(); }));
  // The keys work while the pane has the focus and leave the window's own alone.
  for (QAction* action : {copyAction_, saveAction_}) {
    action->setShortcutContext(Qt::WidgetShortcut);
    addAction(action);
  }
  showWorking();
}

void WorkingPane::setWorking(const working::Working& working) {
  working_ = working;
  showWorking();
}

void WorkingPane::setGreyed(bool greyed) {
  if (greyed_ == greyed) return;
  greyed_ = greyed;
  showWorking();
}

QString WorkingPane::plainWorking() const { return working::toPlainText(working_, shownAs(greyed_)); }

QString WorkingPane::richWorking() const { return working::toRichText(working_, shownAs(greyed_)); }

void WorkingPane::copyWorking() {
  auto data = std::make_unique<QMimeData>();
  data->setHtml(richWorking());
  data->setText(plainWorking());
  QGuiApplication::clipboard()->setMimeData(data.release());
}

// Written as worksheet files are, so that a full disk is told and an old
// file of that name stays as it was.
void WorkingPane::saveWorkingAs() {
  const QString path = platform().files->saveWorkingName(window());
  if (path.isEmpty()) return;
  replaceFileContent(path, (isHtmlName(path) ? richWorking() : plainWorking()).toUtf8());
}

void WorkingPane::contextMenuEvent(QContextMenuEvent* event) {
  runGuarded([&] {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    menu->addSeparator();
    menu->addActions({copyAction_, saveAction_});
    menu->exec(event->globalPos());
  });
}

// The working is shown anew on every key typed in the fields: the reader's
// place is kept, and since laying out the text is the pane's one costly
// step, a working that reads as the one on show is not laid out again.
void WorkingPane::showWorking() {
  const QString rich = richWorking();
  if (rich == shownRich_) return;
  shownRich_ = rich;
  const int scrolled = verticalScrollBar()->value();
  setHtml(rich);
  setAccessibleDescription(plainWorking());
  verticalScrollBar()->setValue(scrolled);
}

}  // namespace veltrano
