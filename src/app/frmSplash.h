#pragma once

#include <QWidget>

class QLabel;
class QFrame;
class QTimer;

namespace sx {

// The start picture. While it is up it holds the keyboard (a window manager
// gives a splash no focus), so that a key pressed anywhere ends it; it lets
// go whenever a box asks for keys and on every way it ends.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);
    ~frmSplash() override;
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr, *lblTitle = nullptr, *lblVersion = nullptr, *imgLogo = nullptr;

    // Whether the window system gives it every key now.
    bool HoldsKeyboard() const { return grabbed_; }

signals:
    // It has gone from the screen, whatever ended it.
    void Ended();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    // Takes or gives back the keyboard as the splash's state asks.
    void UpdateGrab();
    void Release();
    QTimer *retry_ = nullptr;
    bool grabbed_ = false;
};

QString VersionText();

}  // namespace sx
