#pragma once
// Waiting for a window to come onto the screen, with the event loop running.

class QWidget;

namespace sx {

// Runs the event loop until the window of `w` is exposed (and so painted),
// at most `timeoutMs`; true when it is on the screen. A window manager maps a
// window a moment after it was shown.
bool WaitUntilExposed(QWidget *w, int timeoutMs);

}  // namespace sx
