#include "help/viewer/chm_help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <algorithm>
#include <memory>

#include "common/runtime_error.h"
#include "common/window_place.h"
#include "help/chm/chm_file.h"
#include "help/viewer/help_window.h"

namespace veltrano::help {

namespace {

// Why a help file cannot be shown, to follow its name in the message.
QString unreadable(const RuntimeError& error) {
  const bool missing =
      error.number() == ErrorNumber::FileNotFound || error.number() == ErrorNumber::PathNotFound;
  if (missing)
    return error.cause().isEmpty() ? QStringLiteral(" was not found.")
                                   : QStringLiteral(" was not found: ") + error.cause() + u'.';
  return QStringLiteral(" cannot be read: ") + error.cause() + u'.';
}

void report(QWidget* owner, const QString& path, const QString& why) {
  const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  MessageRequest request;
  request.title = QStringLiteral("Veltrano");
  request.text = QStringLiteral("The help file \"%1\"").arg(shown) + why;
  request.critical = false;
  platform().messages->show(owner, request);
}

// A new help window opens over the window that asked for it, whole on screen.
// It is made smaller where the screen is: its caption, not known before it
// shows, is given room as well.
void placeOver(QWidget* window, const QWidget* owner) {
  constexpr int kCaptionRoom = 32;
  const QScreen* screen = owner->screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  window->resize(window->size().boundedTo(area.size() - QSize(0, kCaptionRoom)));
  QRect frame(QPoint(), window->size() + QSize(0, kCaptionRoom));
  frame.moveCenter(owner->geometry().center());
  window->move(placeInside(frame, area, true).topLeft());
}

}  // namespace

ChmHelpViewer::ChmHelpViewer() = default;

HelpWindow* ChmHelpViewer::window() const { return window_; }

ChmHelpViewer::~ChmHelpViewer() {
  // Widgets may only go while the application still exists.
  if (window_ && QApplication::instance()) delete window_.data();
}

void ChmHelpViewer::showContents(QWidget* owner, const QString& path) {
  std::shared_ptr<const ChmFile> file;
  try {
    file = ChmFile::open(path);
  } catch (const RuntimeError& error) {
    report(owner, path, unreadable(error));
    return;
  }
  if (!file) {
    report(owner, path, QStringLiteral(" cannot be read: it is damaged or no help file."));
    return;
  }
  std::unique_ptr<HelpWindow> fresh;
  if (!window_) {
    fresh = std::make_unique<HelpWindow>();
    fresh->setAttribute(Qt::WA_DeleteOnClose);
    if (owner) {
      placeOver(fresh.get(), owner->window());
    } else {
      placeOnScreen(fresh.get(), false);
    }
  }
  HelpWindow* window = fresh ? fresh.get() : window_.data();
  if (!window->showFile(std::move(file))) {
    report(owner, path, QStringLiteral(" holds no page to show."));
    return;
  }
  if (fresh) window_ = fresh.release();
  if (window_->isMinimized()) window_->showNormal();
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace veltrano::help
