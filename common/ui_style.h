#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

class QWidget;
class QLineEdit;
class QAbstractButton;
class QRadioButton;

namespace veltrano::style {

// The colours of the worksheets: inputs green, outputs yellow, windows cyan,
// buttons orange.
inline const QColor Green{0, 255, 0};
inline const QColor Yellow{255, 255, 0};
inline const QColor Cyan{0, 255, 255};
inline const QColor Orange{255, 128, 0};
inline const QColor Blue{0, 0, 255};
inline const QColor Black{0, 0, 0};

// Window measures are given in twips, 15 to a pixel.
constexpr int twips(int t) { return (t + 7) / 15; }

// The client area of every worksheet window: 9480 x 6510 twips.
constexpr int kWorksheetWidth = twips(9480);
constexpr int kWorksheetHeight = twips(6510);

// A font by the family name the windows were designed with; families the
// system lacks fall back through fontconfig to a look-alike.
QFont font(const QString& family, double pointSize, bool bold = false);

// The contrast of two colours as WCAG measures it, from 1 (the same) to 21
// (black on white), by their relative luminance.
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& one, const QColor& other);
// Black or white, whichever reads better on the background.
QColor textOn(const QColor& background);

// Fills the widget with the colour and gives its texts the colour that reads
// on it, whatever the desktop's palette (a dark theme's light text would not
// show on green or yellow).
void setBackground(QWidget* widget, const QColor& colour);
QColor background(const QWidget* widget);

// Fields: an input is unlocked and green, an output locked (read-only, the
// program still writes it) and yellow.
void setLocked(QLineEdit* field, bool locked);
void setInput(QLineEdit* field, bool input);
bool isInput(const QLineEdit* field);

// Qt cuts an insertion at 32767 characters without a word; a field made
// with this takes a typed or pasted text whole, so that what the window
// reads, refuses or tells is the text the user gave. Call it before the
// field's change handlers are connected.
void takeWholeTexts(QLineEdit* field);

// A button in the orange "graphical" style.
void makeOrange(QAbstractButton* button);

// The caption of the checked button of a group, as the user reads it (no
// mnemonic marks); empty when none is checked.
QString checkedCaption(const QList<QRadioButton*>& group);

// Marks a result that the last solve did not write, so that it does not pass
// for current: grey italic text. The text itself is left as it is.
void setStale(QWidget* result, bool stale);
bool isStale(const QWidget* result);

}  // namespace veltrano::style
