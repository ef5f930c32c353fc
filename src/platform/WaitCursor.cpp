#include "WaitCursor.h"

#include <QApplication>

namespace sx {

namespace {

int g_holders = 0;  // WaitCursors that are up
int g_pauses = 0;
bool g_pushed = false;

// Pushes or pops the one override cursor when what should show has changed.
// Modal boxes push their arrow above it and pop it before anything here can
// run again, so ours is on top whenever it is popped.
void Apply() {
    const bool want = g_holders > 0 && g_pauses == 0;
    if (want == g_pushed) return;
    g_pushed = want;
    if (want)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace

void WaitCursor::Raise() {
    if (up_) return;
    up_ = true;
    ++g_holders;
    Apply();
}

void WaitCursor::Drop() {
    if (!up_) return;
    up_ = false;
    --g_holders;
    Apply();
}

WaitCursorPause::WaitCursorPause() {
    ++g_pauses;
    Apply();
}

WaitCursorPause::~WaitCursorPause() {
    --g_pauses;
    Apply();
}

}  // namespace sx
