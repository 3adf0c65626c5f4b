#include "common/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

namespace veltrano::accessibility {

namespace {

const char* const kResultProperty = "spokenResult";

// A label that shows a result is read as its name and its value ("x plus y:
// 4+6*i"); Qt alone would read either the name or the text, not both.
class ResultInterface : public QAccessibleWidget {
 public:
  explicit ResultInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
    const QString value = static_cast<const QLabel*>(widget())->text();
    const QString name = widget()->accessibleName();
    return value.isEmpty() ? name : name + QStringLiteral(": ") + value;
  }
};

QAccessibleInterface* resultInterface(const QString&, QObject* object) {
  auto* label = qobject_cast<QLabel*>(object);
  if (label && label->property(kResultProperty).toBool()) return new ResultInterface(label);
  return nullptr;
}

void speakAsResult(QLabel* label) {
  static const bool installed = [] {
    QAccessible::installFactory(resultInterface);
    return true;
  }();
  (void)installed;
  label->setProperty(kResultProperty, true);
}

}  // namespace

void nameControls(QWidget* root, std::span<const SpokenName> names) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (const SpokenName& entry : names) {
    const QString objectName = QString::fromLatin1(entry.objectName);
    for (QWidget* widget : widgets) {
      if (widget->objectName() != objectName) continue;
      // Before the name: naming makes Qt make and keep the label's interface.
      if (auto* label = qobject_cast<QLabel*>(widget)) speakAsResult(label);
      widget->setAccessibleName(QString::fromUtf8(entry.name));
    }
  }
}

bool isUnderstandable(const QString& name) {
  qsizetype letters = 0;
  for (QChar c : name) {
    if (c.isLetterOrNumber()) ++letters;
  }
  return letters > 1;
}

void describe(QWidget* widget, const QString& text) {
  if (widget->accessibleDescription() == text) return;
  widget->setAccessibleDescription(text);
  // Qt sends no event of its own for a new description; a screen reader
  // speaks this one for the focused object.
  QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
  send(event);
}

namespace {
EventObserver& observer() {
  static EventObserver current;
  return current;
}
}  // namespace

void send(QAccessibleEvent& event) {
  if (observer()) observer()(event.object(), event.type());
  QAccessible::updateAccessibility(&event);
}

void setEventObserver(EventObserver observer) { accessibility::observer() = std::move(observer); }

}  // namespace veltrano::accessibility
