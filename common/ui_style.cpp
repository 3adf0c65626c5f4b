#include "common/ui_style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QVariant>
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

void setBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
    palette.setColor(role, colour);
    // A disabled field looks disabled, as the platform draws it, rather than
    // as an input the user could type into.
    if (qobject_cast<const QLineEdit*>(widget)) {
      palette.setColor(QPalette::Disabled, role,
                       QApplication::palette(widget).color(QPalette::Disabled, role));
    }
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
  const QColor text = stale ? QColor(128, 128, 128) : Black;
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
