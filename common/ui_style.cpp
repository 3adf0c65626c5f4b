#include "common/ui_style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrano::style {

QFont font(const QString& family, double pointSize, bool bold) {
  QFont f(family);
  f.setPointSizeF(pointSize);
  f.setBold(bold);
  if (family.contains(QStringLiteral("Courier"))) {
    f.setStyleHint(QFont::TypeWriter);
  } else {
    f.setStyleHint(QFont::SansSerif);
  }
  return f;
}

double relativeLuminance(const QColor& colour) {
  const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  const QColor rgb = colour.toRgb();
  return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& one, const QColor& other) {
  const double a = relativeLuminance(one);
  const double b = relativeLuminance(other);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor textOn(const QColor& background) {
  return contrastRatio(background, Black) >= contrastRatio(background, Qt::white) ? Black : QColor(Qt::white);
}

void setBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  const QColor text = textOn(colour);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
      palette.setColor(group, role, text);
  }
  // Disabled text is a muted tone of the same, still legible on the colour
  // (a dark theme's grey would all but vanish on cyan); a disabled field
  // takes the platform's look whole, below.
  const QColor muted = text == Black ? QColor(90, 90, 90) : QColor(170, 170, 170);
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, muted);
  for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
    palette.setColor(role, colour);
    // A disabled field looks disabled, as the platform draws it, rather than
    // as an input the user could type into.
    if (qobject_cast<const QLineEdit*>(widget)) {
      palette.setColor(QPalette::Disabled, role,
                       QApplication::palette(widget).color(QPalette::Disabled, role));
    }
  }
  if (qobject_cast<const QLineEdit*>(widget)) {
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     QApplication::palette(widget).color(QPalette::Disabled, QPalette::Text));
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QColor background(const QWidget* widget) {
  if (qobject_cast<const QLineEdit*>(widget)) return widget->palette().color(QPalette::Base);
  return widget->palette().color(QPalette::Window);
}

void setLocked(QLineEdit* field, bool locked) { field->setReadOnly(locked); }

void takeWholeTexts(QLineEdit* field) { field->setMaxLength(std::numeric_limits<int>::max()); }

void setInput(QLineEdit* field, bool input) {
  setLocked(field, !input);
  setBackground(field, input ? Green : Yellow);
}

bool isInput(const QLineEdit* field) { return !field->isReadOnly(); }

void makeOrange(QAbstractButton* button) { setBackground(button, Orange); }

void setStale(QWidget* result, bool stale) {
  if (isStale(result) == stale) return;
  result->setProperty("stale", stale);
  QFont f = result->font();
  f.setItalic(stale);
  result->setFont(f);
  QPalette palette = result->palette();
  const QColor text = stale ? QColor(128, 128, 128) : textOn(background(result));
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::WindowText, text);
  result->setPalette(palette);
}

bool isStale(const QWidget* result) { return result->property("stale").toBool(); }

QString checkedCaption(const QList<QRadioButton*>& group) {
  for (const QRadioButton* button : group) {
    if (button->isChecked()) return QString(button->text()).remove(u'&');
  }
  return {};
}

}  // namespace veltrano::style
