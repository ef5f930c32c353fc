#pragma once
// A message box for texts too long for the screen: the same text, icon,
// title and buttons, but the text in a scrollable read-only field so that
// the box fits the screen and its buttons stay reachable.

#include <QDialog>

#include "Message.h"

class QPlainTextEdit;

namespace sx {

// True when `text`, wrapped as a message box wraps it, would make the box
// taller than the screen that `parent` is on.
bool MessageTooTallForScreen(const QString &text, const QWidget *parent);

class ScrollMessageBox : public QDialog {
    Q_OBJECT
public:
    ScrollMessageBox(const UserMessage &message, QWidget *parent);
    // The answer of the button pressed, or of the close box.
    MsgAnswer Answer() const { return answer_; }

private:
    QPlainTextEdit *text_ = nullptr;
    MsgAnswer answer_;
};

}  // namespace sx
