#pragma once

#include <QRect>

class QScreen;
class QWidget;

namespace veltrano {

// Where a window with the frame `frame` opens within a screen's available
// area (the screen less panels and docks): centred when no place is given,
// else at its place moved just enough to lie wholly inside. A window larger
// than the area keeps its top left in view, where its caption and menus are.
QRect placeInside(QRect frame, const QRect& available, bool placeGiven);

// The screen a window belongs on: its own once shown, else its parent's,
// else the one under the pointer, else the primary screen.
QScreen* screenFor(const QWidget* window);

// Moves a window that is about to be shown onto its screen as placeInside
// says, its size bounded by the available area where it may be resized.
void placeOnScreen(QWidget* window, bool placeGiven);

}  // namespace veltrano
