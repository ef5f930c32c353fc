#pragma once
// A number box that selects its whole text when it gets the focus, so that
// typing replaces the old value.

#include <QLineEdit>
#include <QTimer>

namespace sx {

class SelectAllLineEdit : public QLineEdit {
public:
    explicit SelectAllLineEdit(QWidget *parent = nullptr) : QLineEdit(parent) {}
    explicit SelectAllLineEdit(const QString &text, QWidget *parent = nullptr) : QLineEdit(text, parent) {}

protected:
    void focusInEvent(QFocusEvent *e) override {
        QLineEdit::focusInEvent(e);
        // after a click has placed the cursor
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }
};

}  // namespace sx
