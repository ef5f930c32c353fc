#pragma once
// The hourglass for long work; given back on every path when it goes out of
// scope. However many holders are up, the program pushes one wait cursor,
// and it goes down while the user is asked something (WaitCursorPause in
// the message and input boxes), so a question never waits under the
// hourglass.

namespace sx {

class WaitCursor {
public:
    WaitCursor() { Raise(); }
    ~WaitCursor() { Drop(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    void Raise();
    void Drop();
    bool up_ = false;
};

// Takes the hourglass down for as long as it lives, whoever raised it.
class WaitCursorPause {
public:
    WaitCursorPause();
    ~WaitCursorPause();
    WaitCursorPause(const WaitCursorPause &) = delete;
    WaitCursorPause &operator=(const WaitCursorPause &) = delete;
};

}  // namespace sx
