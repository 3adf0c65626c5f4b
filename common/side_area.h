#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMainWindow;
class QSplitter;
class QWidget;

namespace veltrano {

// The body of a worksheet window: its client area at the left and, at its
// right, a column of side panes one below the other (the figure above the
// working), with a splitter between panes shown together. Each pane is shown
// and hidden by a checkable command, and whether it is shown is remembered
// per window for the next run. Showing the column grows the window to the
// right, hiding it shrinks it back, and the client area keeps its place.
// While a pane is shown the window may be resized or maximised (for a
// projector or large fonts): the column takes the room beyond the client
// area. Without one the window is of fixed size.
class SideArea {
 public:
  // Puts client and the column into the window as its central widget.
  // notRemembered runs the first time a choice cannot be written for the
  // next run (see remember()); the choice holds for this run all the same.
  SideArea(QMainWindow* window, QWidget* client, std::function<void()> notRemembered);

  // Adds a pane below those already there, hidden; settingName names the
  // remembered choice within the window's settings ("figureShown").
  void addPane(QWidget* pane, QAction* command, const QString& settingName);
  // Shows each pane that was shown when its window last showed or hid it.
  void restore();

  void show(QWidget* pane, bool shown);
  bool isShown(const QWidget* pane) const;

  // The least height of a pane beside another: its commands and a few lines.
  static constexpr int kLeastPaneHeight = 120;

 private:
  struct Pane {
    QWidget* widget;
    QAction* command;
    QString settingName;
  };
  const Pane* find(const QWidget* pane) const;
  QString settingKey(const Pane& pane) const;
  void shareHeight();
  void fitWindow();

  QMainWindow* window_;
  QSplitter* column_;
  QList<Pane> panes_;
  std::function<void()> notRemembered_;
  bool toldNotRemembered_ = false;
};

}  // namespace veltrano
