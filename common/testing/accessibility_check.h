#pragma once

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPalette>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "common/accessibility.h"
#include "common/ui_style.h"

namespace veltrano::testing {

// Records the accessibility events the program sends while it lives, in place
// of a screen reader.
class AccessibilityRecorder {
 public:
  AccessibilityRecorder() {
    accessibility::setEventObserver([this](QObject* source, QAccessible::Event type) {
      events_.append({source, type});
    });
  }
  ~AccessibilityRecorder() { accessibility::setEventObserver({}); }
  AccessibilityRecorder(const AccessibilityRecorder&) = delete;
  AccessibilityRecorder& operator=(const AccessibilityRecorder&) = delete;

  int count(const QObject* object, QAccessible::Event type) const {
    int n = 0;
    for (const auto& [source, each] : events_) n += (source == object && each == type) ? 1 : 0;
    return n;
  }
  void clear() { events_.clear(); }

 private:
  QList<std::pair<QPointer<QObject>, QAccessible::Event>> events_;
};

// What a screen reader reads for a widget: its name as Qt's accessibility
// interface gives it (labels and buddies included).
inline QString spokenName(QWidget* widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face ? face->text(QAccessible::Name) : QString();
}

inline QString spokenDescription(QWidget* widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face ? face->text(QAccessible::Description) : QString();
}

// Every control a user reaches or reads below root: fields, buttons, lists,
// frames, panes that take the focus, and the labels that show results.
inline QList<QWidget*> interactiveWidgets(const QWidget* root) {
  QList<QWidget*> found;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    // A menu is read by its items; Qt's own hidden helpers are not reached.
    if (widget->isWindow() || widget->objectName().startsWith(QStringLiteral("qt_"))) continue;
    const bool control = qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
                         qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QGroupBox*>(widget) ||
                         widget->focusPolicy() != Qt::NoFocus;
    const auto* label = qobject_cast<QLabel*>(widget);
    const bool result = label && (label->textInteractionFlags() & Qt::TextSelectableByMouse);
    // Scroll bars and viewports belong to their view, which is named.
    if ((control || result) && !widget->objectName().isEmpty()) found.append(widget);
  }
  return found;
}

// Fails for each control below root that a listener would not understand.
inline void expectEveryControlNamed(const QWidget* root) {
  for (QWidget* widget : interactiveWidgets(root)) {
    EXPECT_TRUE(accessibility::isUnderstandable(spokenName(widget)))
        << widget->objectName().toStdString() << " is read as \"" << spokenName(widget).toStdString() << "\"";
  }
}

// Checks each window's table of spoken names: the control with each object
// name is read as given.
struct ExpectedName {
  const char* objectName;
  const char* spoken;
};
inline void expectSpokenNames(const QWidget* root, std::initializer_list<ExpectedName> table) {
  for (const ExpectedName& row : table) {
    auto widgets = root->findChildren<QWidget*>(QString::fromLatin1(row.objectName));
    if (root->objectName() == QLatin1String(row.objectName)) widgets.append(const_cast<QWidget*>(root));
    ASSERT_FALSE(widgets.isEmpty()) << row.objectName;
    for (QWidget* widget : widgets)
      EXPECT_EQ(spokenName(widget), QString::fromUtf8(row.spoken)) << row.objectName;
  }
}

// A desktop's dark theme, Fusion with a dark palette, for the life of the
// object; windows made meanwhile take it as they would at start-up.
class DarkTheme {
 public:
  DarkTheme() : palette_(QApplication::palette()), style_(QApplication::style()->name()) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    const QColor window(45, 45, 45), base(30, 30, 30), light(235, 235, 235);
    for (auto [role, colour] : {std::pair{QPalette::Window, window},
                                {QPalette::WindowText, light},
                                {QPalette::Base, base},
                                {QPalette::AlternateBase, window},
                                {QPalette::ToolTipBase, QColor(60, 60, 60)},
                                {QPalette::ToolTipText, light},
                                {QPalette::Text, light},
                                {QPalette::Button, QColor(53, 53, 53)},
                                {QPalette::ButtonText, light},
                                {QPalette::Highlight, QColor(42, 130, 218)},
                                {QPalette::HighlightedText, QColor(Qt::black)}}) {
      dark.setColor(role, colour);
    }
    QApplication::setPalette(dark);
  }
  ~DarkTheme() {
    QApplication::setPalette(palette_);
    QApplication::setStyle(QStyleFactory::create(style_));
  }
  DarkTheme(const DarkTheme&) = delete;
  DarkTheme& operator=(const DarkTheme&) = delete;

 private:
  QPalette palette_;
  QString style_;
};

// The part of a widget where its text is painted, in its own coordinates:
// inside frames and bevels, past a radio button's indicator, a frame's title.
inline QRect textArea(const QWidget* widget) {
  if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
    const QFontMetrics metrics(frame->font());
    return QRect(8, 1, metrics.horizontalAdvance(frame->title()) + 4, metrics.height() - 2);
  }
  if (qobject_cast<const QRadioButton*>(widget)) return widget->rect().adjusted(20, 1, -1, -1);
  if (qobject_cast<const QAbstractButton*>(widget)) return widget->rect().adjusted(4, 4, -4, -4);
  if (qobject_cast<const QLineEdit*>(widget)) return widget->rect().adjusted(3, 3, -3, -3);
  if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
    return QRect(view->viewport()->mapTo(widget, QPoint()), view->viewport()->size()).adjusted(1, 1, -1, -1);
  return widget->rect().adjusted(1, 1, -1, -1);
}

// The contrast of a widget's text in a grab of its window: its background is
// the commonest colour of its text area, its text the pixel that stands out
// most from it. 0 where nothing is drawn on the background.
inline double textContrast(const QImage& grab, const QWidget* window, const QWidget* widget) {
  const QRect area = textArea(widget).translated(widget->mapTo(window, QPoint())).intersected(grab.rect());
  QHash<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[grab.pixel(x, y)];
  if (counts.size() < 2) return 0;
  QRgb background = counts.constBegin().key();
  for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
    if (it.value() > counts.value(background)) background = it.key();
  double best = 0;
  for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
    best = std::max(best, style::contrastRatio(QColor(background), QColor(it.key())));
  return best;
}

// The widgets of a window that show text: labels with text, fields,
// buttons, frames with a title and lists with rows, enabled and current.
inline QList<QWidget*> textWidgets(const QWidget* window) {
  QList<QWidget*> found;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window) || !widget->isEnabled() || style::isStale(widget)) continue;
    const auto* label = qobject_cast<QLabel*>(widget);
    const auto* edit = qobject_cast<QLineEdit*>(widget);
    const auto* frame = qobject_cast<QGroupBox*>(widget);
    const auto* view = qobject_cast<QAbstractItemView*>(widget);
    if ((label && !label->text().isEmpty()) || (edit && !edit->text().isEmpty()) ||
        qobject_cast<QAbstractButton*>(widget) || (frame && !frame->title().isEmpty()) ||
        (view && view->model() && view->model()->rowCount() > 0))
      found.append(widget);
  }
  return found;
}

// The smallest text contrast in a window as it is painted now, and where.
struct SmallestContrast {
  double ratio = 21;
  QString where;
};
inline SmallestContrast smallestTextContrast(QWidget* window) {
  const QImage grab = window->grab().toImage();
  SmallestContrast smallest;
  for (const QWidget* widget : textWidgets(window)) {
    const double ratio = textContrast(grab, window, widget);
    if (ratio > 0 && ratio < smallest.ratio) smallest = {ratio, widget->objectName()};
  }
  return smallest;
}

}  // namespace veltrano::testing
