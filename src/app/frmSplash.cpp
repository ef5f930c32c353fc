#include "frmSplash.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "app/SplashPicture.h"

namespace sx {

QString VersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(STRUDELAX_VERSION_MAJOR)
        .arg(STRUDELAX_VERSION_MINOR)
        .arg(STRUDELAX_VERSION_REVISION);
}

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *outer = new QVBoxLayout(this);
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    outer->addWidget(Frame1);
    auto *lay = new QVBoxLayout(Frame1);
    Label1 = new QLabel(QStringLiteral("Willkommen zu"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblTitle = new QLabel(QStringLiteral("Strudelax"), Frame1);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSize(28);
    big.setBold(true);
    lblTitle->setFont(big);
    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QPixmap::fromImage(MakeSplashPicture()));
    lblVersion = new QLabel(VersionText(), Frame1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lay->addWidget(Label1);
    lay->addWidget(lblTitle);
    lay->addWidget(imgLogo);
    lay->addWidget(lblVersion, 0, Qt::AlignRight);
    Frame1->installEventFilter(this);
    adjustSize();
    if (QScreen *s = screen()) move(s->geometry().center() - rect().center());

    // The grab needs the window on the screen, and another program may hold
    // the keyboard for a moment: try again until it is taken.
    retry_ = new QTimer(this);
    retry_->setInterval(50);
    connect(retry_, &QTimer::timeout, this, &frmSplash::UpdateGrab);
    // a box shown meanwhile takes the keys, the splash stays up behind it
    qApp->installEventFilter(this);
}

frmSplash::~frmSplash() { Release(); }

void frmSplash::keyPressEvent(QKeyEvent *) { close(); }

void frmSplash::hideEvent(QHideEvent *e) {
    QWidget::hideEvent(e);
    retry_->stop();
    Release();
    emit Ended();
}

bool frmSplash::event(QEvent *e) {
    const bool done = QWidget::event(e);
    if (e->type() == QEvent::Show) retry_->start();
    return done;
}

bool frmSplash::eventFilter(QObject *watched, QEvent *e) {
    if (watched == Frame1 && e->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    if ((e->type() == QEvent::Show || e->type() == QEvent::Hide) && watched != this) {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && dialog->isWindow()) QTimer::singleShot(0, this, &frmSplash::UpdateGrab);
        if (dialog && e->type() == QEvent::Show && dialog->isModal()) Release();
    }
    return QWidget::eventFilter(watched, e);
}

void frmSplash::UpdateGrab() {
    const bool want = isVisible() && windowHandle() && windowHandle()->isExposed() &&
                      !QApplication::activeModalWidget() && !QApplication::modalWindow();
    if (!want) {
        Release();
        return;
    }
    if (grabbed_) return;
    // Qt sends the keys to the grabbing widget; the window system to its window
    grabKeyboard();
    grabbed_ = windowHandle()->setKeyboardGrabEnabled(true);
    if (!grabbed_) releaseKeyboard();
}

void frmSplash::Release() {
    if (!grabbed_) return;
    grabbed_ = false;
    if (windowHandle()) windowHandle()->setKeyboardGrabEnabled(false);
    releaseKeyboard();
}

}  // namespace sx
