#include "help/viewer/chm_help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <algorithm>

#include "help/chm/chm_file.h"
#include "help/viewer/help_window.h"

namespace veltrano::help {

namespace {

void reportUnusable(QWidget* owner, const QString& path) {
  const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  MessageRequest request;
  request.title = QStringLiteral("Veltrano");
  request.text = QFileInfo::exists(path) ? QStringLiteral("The help file \"%1\" cannot be read.").arg(shown)
                                         : QStringLiteral("The help file \"%1\" was not found.").arg(shown);
  request.critical = false;
  platform().messages->show(owner, request);
}

// A new help window opens over the window that asked for it, whole on screen.
void placeOver(QWidget* window, const QWidget* owner) {
  QPoint topLeft = owner->geometry().center() - window->rect().center();
  if (const QScreen* screen = owner->screen()) {
    const QRect area = screen->availableGeometry();
    topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - window->width())));
    topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - window->height())));
  }
  window->move(topLeft);
}

}  // namespace

ChmHelpViewer::ChmHelpViewer() = default;

HelpWindow* ChmHelpViewer::window() const { return window_; }

ChmHelpViewer::~ChmHelpViewer() {
  // Widgets may only go while the application still exists.
  if (window_ && QApplication::instance()) delete window_.data();
}

void ChmHelpViewer::showContents(QWidget* owner, const QString& path) {
  std::shared_ptr<const ChmFile> file = ChmFile::open(path);
  if (!file) {
    reportUnusable(owner, path);
    return;
  }
  if (!window_) {
    window_ = new HelpWindow;
    window_->setAttribute(Qt::WA_DeleteOnClose);
    if (owner) placeOver(window_, owner->window());
  }
  window_->showFile(std::move(file));
  if (window_->isMinimized()) window_->showNormal();
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace veltrano::help
