#pragma once
// Keeps boxes and dialogs inside the screen the user sees.

#include <QRect>

class QWidget;

namespace sx {

// The usable part of the screen that `w` (or, without one, the active
// window) is on: the screen less panels and docks.
QRect AvailableScreen(const QWidget *w = nullptr);

// The largest client size a top-level window may have on that screen,
// leaving room for the window manager's frame.
QSize LargestClientSize(const QWidget *w = nullptr);

// Shrinks `w` (not yet shown) to fit the screen, as far as its minimum
// size allows. Sizes that fit are left alone.
void FitToScreen(QWidget *w);

}  // namespace sx
