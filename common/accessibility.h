#pragma once

#include <QAccessible>
#include <QString>
#include <functional>
#include <span>

class QWidget;

namespace veltrano::accessibility {

// The name a screen reader says for a control, by the control's object name.
// Each window keeps one table of these beside its design, so that a listener
// hears "side a" or "Enter BASE" rather than a bare symbol or nothing.
struct SpokenName {
  const char* objectName;
  const char* name;
};

// Gives root and every widget below it whose object name is in the table its
// spoken name (every one of them, where several share an object name). A
// label named so is a result: it is read as its name and then its text.
void nameControls(QWidget* root, std::span<const SpokenName> names);

// Whether a spoken name tells a listener something: not empty, and more than
// one letter or digit once signs and spaces are left out ("a = " is not).
bool isUnderstandable(const QString& name);

// Makes text heard where the user is: it becomes the accessible description
// of widget and the description-changed event is sent, which screen readers
// speak for the object that has the focus. An empty text takes the
// description back, so that the widget's own tooltip is read again.
void describe(QWidget* widget, const QString& text);

// Sends an accessibility event to the screen reader. Qt drops events unless
// its platform has an assistive technology active, which a headless run never
// has; the observer set here sees every event sent this way all the same.
void send(QAccessibleEvent& event);
using EventObserver = std::function<void(QObject* source, QAccessible::Event type)>;
void setEventObserver(EventObserver observer);

}  // namespace veltrano::accessibility
