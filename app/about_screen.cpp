#include "app/about_screen.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStringList>

#include "app/shell_font.h"
#include "app/unload_all.h"
#include "common/accessibility.h"
#include "common/event_guard.h"
#include "common/ui_style.h"
#include "common/window_place.h"
#include "common/worksheet_window.h"

namespace veltrano {

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("Veltrano"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(style::twips(9600), style::twips(7200));
  style::setBackground(this, style::Black);
  setFont(shellFont(24));
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("About Veltrano"));
  placeOnScreen(this, false);
}

int AboutWindow::lineHeight() const { return QFontMetrics(font()).height(); }

void AboutWindow::print(const QString& text) {
  lines_.push_back({text, currentY_});
  // The printed lines are painted, not labels: a screen reader reads them here.
  QStringList all;
  for (const PrintedLine& line : lines_) all << line.text;
  accessibility::describe(this, all.join(QLatin1Char('\n')));
  currentY_ += lineHeight();
  update();
}

void AboutWindow::paintEvent(QPaintEvent*) {
  runGuarded([this] {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(style::Orange);
    const int ascent = QFontMetrics(font()).ascent();
    for (const PrintedLine& line : lines_) {
      if (line.y < height()) painter.drawText(0, line.y + ascent, line.text);
    }
  });
}

void AboutWindow::mousePressEvent(QMouseEvent*) {
  runGuarded([this] { close(); });
}

// A window without caption offers no close box, so the keys that dismiss a
// box close it as well.
void AboutWindow::keyPressEvent(QKeyEvent* event) {
  runGuarded([this, event] {
    switch (event->key()) {
      case Qt::Key_Escape:
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space: close(); break;
      default: QWidget::keyPressEvent(event);
    }
  });
}

void AboutWindow::closeEvent(QCloseEvent* event) {
  unloaded_ = true;
  event->accept();
}

namespace AboutVeltrano {
namespace {
QPointer<AboutWindow>& aboutWindow() {
  static QPointer<AboutWindow> window;
  return window;
}
}  // namespace

QStringList AboutLines() {
  return {QString(), QString(),
          QString(), QStringLiteral("Veltrano"),
          QString(), QStringLiteral("Copyright (C) 2026 Veltrano"),
          QString(), QStringLiteral("All rights reserved."),
          QString(), WorksheetWindow::webAddress()};
}

AboutWindow* AboutScreen() {
  AboutWindow* window = aboutWindow().data();
  return window && !window->isUnloaded() ? window : nullptr;
}

void ShowAboutScreen() {
  AboutWindow* window = AboutScreen();
  if (!window) {
    window = new AboutWindow;
    aboutWindow() = window;
    UnloadAll::Loaded(window);
  }
  window->show();
  window->raise();
  window->activateWindow();
  for (const QString& line : AboutLines()) window->print(line);
}

void UnloadAboutScreen() {
  if (AboutWindow* window = AboutScreen()) window->close();
}

}  // namespace AboutVeltrano

}  // namespace veltrano
