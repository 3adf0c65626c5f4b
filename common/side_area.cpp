#include "common/side_area.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLayout>
#include <QMainWindow>
#include <QSplitter>
#include <algorithm>
#include <utility>

#include "common/event_guard.h"
#include "common/program_settings.h"
#include "common/window_place.h"

namespace veltrano {

SideArea::SideArea(QMainWindow* window, QWidget* client, std::function<void()> notRemembered)
    : window_(window), column_(new QSplitter(Qt::Vertical)), notRemembered_(std::move(notRemembered)) {
  auto* body = new QWidget(window);
  body->setObjectName(QStringLiteral("body"));
  auto* row = new QHBoxLayout(body);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  client->setParent(body);
  row->addWidget(client, 0, Qt::AlignLeft | Qt::AlignTop);
  column_->setObjectName(QStringLiteral("sideArea"));
  // As tall as the client area; panes shown together share it, and neither
  // can be dragged out of sight.
  column_->setFixedHeight(client->height());
  column_->setChildrenCollapsible(false);
  // The column takes no room while no pane in it is shown.
  column_->hide();
  row->addWidget(column_, 0, Qt::AlignLeft | Qt::AlignTop);
  window->setCentralWidget(body);
}

void SideArea::addPane(QWidget* pane, QAction* command, const QString& settingName) {
  pane->hide();
  // The column gives its panes their height: all of it to a pane shown
  // alone, shares to panes shown together.
  pane->setMinimumHeight(kLeastPaneHeight);
  pane->setMaximumHeight(QWIDGETSIZE_MAX);
  column_->addWidget(pane);
  column_->setStretchFactor(column_->indexOf(pane), 1);
  command->setCheckable(true);
  QObject::connect(command, &QAction::toggled, window_,
                   guarded([this, pane](bool shown) { show(pane, shown); }));
  panes_.append({pane, command, settingName});
}

void SideArea::restore() {
  for (const Pane& pane : panes_) {
    if (rememberedSetting(settingKey(pane))) show(pane.widget, true);
  }
}

void SideArea::show(QWidget* widget, bool shown) {
  const Pane* pane = find(widget);
  if (!pane || shown == isShown(widget)) return;
  widget->setVisible(shown);
  pane->command->setChecked(shown);
  shareHeight();
  fitWindow();
  if (!remember(settingKey(*pane), shown) && !toldNotRemembered_) {
    toldNotRemembered_ = true;
    notRemembered_();
  }
}

bool SideArea::isShown(const QWidget* pane) const { return find(pane) && !pane->isHidden(); }

// Panes shown together start with equal shares of the height.
void SideArea::shareHeight() {
  const auto shown = std::count_if(panes_.cbegin(), panes_.cend(),
                                   [](const Pane& each) { return !each.widget->isHidden(); });
  column_->setVisible(shown > 0);
  // The splitter would lay out the panes and its handles on its next event;
  // the window's new layout is wanted now.
  column_->refresh();
  if (shown < 2) return;
  QList<int> sizes;
  for (const Pane& pane : panes_) sizes.append(pane.widget->isHidden() ? 0 : 1);
  column_->setSizes(sizes);
}

const SideArea::Pane* SideArea::find(const QWidget* pane) const {
  const auto found =
      std::find_if(panes_.cbegin(), panes_.cend(), [pane](const Pane& each) { return each.widget == pane; });
  return found == panes_.cend() ? nullptr : &*found;
}

QString SideArea::settingKey(const Pane& pane) const {
  return window_->objectName() + QLatin1Char('/') + pane.settingName;
}

// With a pane shown the window may be resized and maximised: the client
// area keeps its size and place and the column takes the rest. Without one
// the window is of fixed size. Fixed-size layouts follow at once, so the
// window's new size is known now.
void SideArea::fitWindow() {
  const bool paneShown = !column_->isHidden();
  auto* row = static_cast<QBoxLayout*>(window_->centralWidget()->layout());
  row->setStretchFactor(column_, paneShown ? 1 : 0);
  row->setAlignment(column_, paneShown ? Qt::Alignment() : (Qt::AlignLeft | Qt::AlignTop));
  // At least as tall as the client area; taller as the window grows.
  column_->setMaximumHeight(paneShown ? QWIDGETSIZE_MAX : column_->minimumHeight());
  if (!paneShown && window_->isMaximized()) window_->showNormal();
  window_->layout()->setSizeConstraint(paneShown ? QLayout::SetMinimumSize : QLayout::SetFixedSize);
  if (paneShown) window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  window_->centralWidget()->layout()->activate();
  window_->layout()->activate();
  // Grown by a pane, a shown window moves back inside its screen as far as it can.
  if (window_->isVisible()) placeOnScreen(window_, true);
}

}  // namespace veltrano
