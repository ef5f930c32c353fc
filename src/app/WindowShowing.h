#pragma once
// Bringing a top-level window onto the screen without a black moment.

class QWidget;

namespace sx {

// Lets the window system fill the window with its background colour from the
// moment it is mapped, before the program has painted it (otherwise an X
// server shows black until then). Call before the window is shown; does
// nothing where the window system needs no help.
void FillBeforeFirstPaint(QWidget *window);

// Runs the event loop until the window of `w` is exposed (and so painted),
// at most `timeoutMs`; true when it is on the screen. A window manager maps a
// window a moment after it was shown.
bool WaitUntilExposed(QWidget *w, int timeoutMs);

}  // namespace sx
