#include "common/figure_pane.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "common/accessibility.h"
#include "common/event_guard.h"
#include "common/figure_painter.h"
#include "common/platform.h"

namespace veltrano {

namespace {

const QColor kRule(0, 160, 160);

figure::Colours paneColours(bool greyed) {
  const figure::Colours colours = figure::worksheetColours();
  return greyed ? figure::greyed(colours) : colours;
}

// A figure that leaves the window keeps its colours on white paper.
figure::Colours exportedColours(bool greyed) {
  const figure::Colours colours = figure::exportColours();
  return greyed ? figure::greyed(colours) : colours;
}

}  // namespace

FigurePane::FigurePane(QWidget* parent) : QWidget(parent), menu_(new QMenu(this)) {
  setObjectName(QStringLiteral("picFigure"));
  setAccessibleName(QStringLiteral("Figure"));
  // At least this wide; a window made larger gives the figure the room.
  setMinimumSize(kWidth, parent ? parent->height() : kWidth);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setFocusPolicy(Qt::StrongFocus);
  menu_->setObjectName(QStringLiteral("mnuFigureMenu"));
  auto* copy = new QAction(QStringLiteral("Copy figure"), this);
  copy->setObjectName(QStringLiteral("mnuCopyFigure"));
  connect(copy, &QAction::triggered, this, guarded([this] { copyFigure(); }));
  auto* save = new QAction(QStringLiteral("Save figure as\u2026"), this);
  save->setObjectName(QStringLiteral("mnuSaveFigure"));
  connect(save, &QAction::triggered, this, guarded([this] { saveFigureAs(); }));
  addActions({copy, save});
  menu_->addActions({copy, save});
}

void FigurePane::setFigure(const figure::Figure& figure) {
  figure_ = figure;
  greyed_ = false;
  describeFigure();
  if (!painting_) update();
}

void FigurePane::setGreyed(bool greyed) {
  if (greyed_ == greyed) return;
  greyed_ = greyed;
  describeFigure();
  if (!painting_) update();
}

QSize FigurePane::sizeHint() const { return minimumSize(); }

QString FigurePane::textAlternative() const {
  QString text = figure_.description;
  if (text.isEmpty()) text = QStringLiteral("No figure");
  if (greyed_) text += QStringLiteral(" (greyed: the values on show did not solve)");
  return text;
}

void FigurePane::describeFigure() { accessibility::describe(this, textAlternative()); }

void FigurePane::copyFigure() {
  if (beforePaint_) beforePaint_();
  QGuiApplication::clipboard()->setImage(
      figure::figureImage(figure_, size(), exportedColours(greyed_), true));
}

void FigurePane::saveFigureAs() {
  if (beforePaint_) beforePaint_();
  const QString path = platform().files->saveFigureName(window());
  if (path.isEmpty()) return;
  figure::saveFigure(figure_, size(), exportedColours(greyed_), path);
}

void FigurePane::paintEvent(QPaintEvent*) {
  painting_ = true;
  if (beforePaint_) beforePaint_();
  painting_ = false;
  ++paints_;
  QPainter painter(this);
  figure::paintFigure(painter, figure_, rect(), paneColours(greyed_));
  // A rule parts the pane from the client area of the same colour.
  painter.setPen(kRule);
  painter.drawLine(0, 0, 0, height());
  if (hasFocus()) {
    // A frame in the highlight colour, wide enough to see from the back of a room.
    painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(2, 2, -2, -2));
  }
}

// The menu pops up rather than running a loop of its own, so that the
// window's events go on while it is open.
void FigurePane::contextMenuEvent(QContextMenuEvent* event) {
  runGuarded([this, event] {
    const QPoint at =
        event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : mapToGlobal(rect().center());
    menu_->popup(at);
  });
}

// The Menu key and Shift+F10 open the menu at the middle of the pane.
void FigurePane::keyPressEvent(QKeyEvent* event) {
  const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
  if (menuKey || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, rect().center(), mapToGlobal(rect().center()));
    contextMenuEvent(&menuEvent);
    return;
  }
  QWidget::keyPressEvent(event);
}

void FigurePane::showEvent(QShowEvent* event) {
  runGuarded([this] { placeLastInTabOrder(); });
  QWidget::showEvent(event);
}

void FigurePane::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void FigurePane::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

// The window's controls keep their tab order; the pane comes after the last.
void FigurePane::placeLastInTabOrder() {
  QWidget* last = nullptr;
  for (QWidget* each = window()->nextInFocusChain(); each != window(); each = each->nextInFocusChain()) {
    if (each != this && each->window() == window() && (each->focusPolicy() & Qt::TabFocus) &&
        !isAncestorOf(each))
      last = each;
  }
  if (last) setTabOrder(last, this);
}

}  // namespace veltrano
