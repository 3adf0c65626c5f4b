#include "common/window_place.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace veltrano {

QRect placeInside(QRect frame, const QRect& available, bool placeGiven) {
  if (!placeGiven) frame.moveCenter(available.center());
  if (frame.right() > available.right()) frame.moveRight(available.right());
  if (frame.bottom() > available.bottom()) frame.moveBottom(available.bottom());
  if (frame.left() < available.left()) frame.moveLeft(available.left());
  if (frame.top() < available.top()) frame.moveTop(available.top());
  return frame;
}

QScreen* screenFor(const QWidget* window) {
  if (window->isVisible()) return window->screen();
  if (const QWidget* parent = window->parentWidget()) return parent->window()->screen();
  if (QScreen* pointed = QGuiApplication::screenAt(QCursor::pos())) return pointed;
  return QGuiApplication::primaryScreen();
}

namespace {

// Caption and borders; before the first show they are not known, and room
// of the usual size is kept for them.
QMargins decorationOf(const QWidget* window) {
  if (!window->isVisible()) return {4, 32, 4, 4};
  const QRect inner = window->geometry();
  const QRect outer = window->frameGeometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

}  // namespace

void placeOnScreen(QWidget* window, bool placeGiven) {
  const QScreen* screen = screenFor(window);
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  // A window of fixed size takes it from its layout.
  window->ensurePolished();
  if (window->layout()) window->layout()->activate();
  const QMargins decoration = decorationOf(window);
  if (window->minimumSize() != window->maximumSize()) {
    window->resize(window->size().boundedTo(available.size().shrunkBy(decoration)));
  }
  const QRect frame = window->geometry().marginsAdded(decoration);
  const QRect placed = placeInside(frame, available, placeGiven);
  window->move(placed.topLeft());  // a window's position is its frame's
}

}  // namespace veltrano
