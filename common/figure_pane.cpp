#include "common/figure_pane.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

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

FigurePane::FigurePane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picFigure"));
  setFixedSize(kWidth, parent ? parent->height() : kWidth);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copy = new QAction(QStringLiteral("Copy figure"), this);
  copy->setObjectName(QStringLiteral("mnuCopyFigure"));
  connect(copy, &QAction::triggered, this, guarded([this] { copyFigure(); }));
  auto* save = new QAction(QStringLiteral("Save figure as\u2026"), this);
  save->setObjectName(QStringLiteral("mnuSaveFigure"));
  connect(save, &QAction::triggered, this, guarded([this] { saveFigureAs(); }));
  addActions({copy, save});
}

void FigurePane::setFigure(const figure::Figure& figure) {
  figure_ = figure;
  greyed_ = false;
  if (!painting_) update();
}

void FigurePane::setGreyed(bool greyed) {
  if (greyed_ == greyed) return;
  greyed_ = greyed;
  if (!painting_) update();
}

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
}

}  // namespace veltrano
