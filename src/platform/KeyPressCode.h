#pragma once
// The character code a key press hands to a number box's key filter, as the
// Windows character message gives it: the typed character, 8 for Backspace,
// 13 for Return, 27 for Escape, 1 to 26 for Ctrl with a letter (Ctrl+V is 22),
// 127 for Ctrl+Backspace. Keys that type no character (arrows, Home, Delete,
// function keys, Shift+Insert) give -1: the box's filter never sees them.

#include <QKeyEvent>

namespace sx {

inline int KeyPressCode(const QKeyEvent *e) {
    const int key = e->key();
    if (e->modifiers() & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
        switch (key) {
            case Qt::Key_BracketLeft: return 27;
            case Qt::Key_Backslash: return 28;
            case Qt::Key_BracketRight: return 29;
            case Qt::Key_Backspace: return 127;
            case Qt::Key_Return:
            case Qt::Key_Enter: return 10;
            default: return -1;
        }
    }
    switch (key) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Escape: return 27;
        default: break;
    }
    const QString t = e->text();
    if (t.isEmpty()) return -1;
    const char16_t c = t.at(0).unicode();
    if (c < 32 || c == 127) return -1;
    // several characters at once (a compose sequence): none of the filters lets that in
    return t.size() == 1 ? c : 0xFFFD;
}

// Return and Escape belong to the dialog's default and cancel buttons, which
// take them before any box sees a character.
inline bool IsDialogKey(const QKeyEvent *e) {
    const int key = e->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

}  // namespace sx
