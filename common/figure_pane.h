#pragma once

#include <QWidget>
#include <functional>

#include "common/figure.h"

class QAction;
class QMenu;

namespace veltrano {

// The pane at the right of a worksheet that shows its figure. It paints the
// last figure it was given, greyed while the values on show failed to solve,
// and offers it on the right mouse button for copying and saving. From the
// keyboard it is the window's last tab stop, with a focus frame, and opens
// the same menu with the Menu key or Shift+F10; its accessible description
// is the figure in words.
class FigurePane : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 420;

  explicit FigurePane(QWidget* parent = nullptr);
  QSize sizeHint() const override;

  void setFigure(const figure::Figure& figure);
  void setGreyed(bool greyed);
  const figure::Figure& figure() const { return figure_; }
  bool isGreyed() const { return greyed_; }
  // How often the pane was painted, so that a caller can tell a repaint.
  int paints() const { return paints_; }

  // Runs before each paint, so that the owner can bring the figure up to date.
  void setBeforePaint(std::function<void()> update) { beforePaint_ = std::move(update); }

  void copyFigure();
  void saveFigureAs();
  // The figure in words, as a screen reader reads it.
  QString textAlternative() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  figure::Figure figure_;
  bool greyed_ = false;
  int paints_ = 0;
  bool painting_ = false;  // an update now would only paint again
  std::function<void()> beforePaint_;
  QMenu* menu_;

  void placeLastInTabOrder();
  void describeFigure();
};

}  // namespace veltrano
