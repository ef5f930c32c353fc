#include "frmSplash.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

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
}

void frmSplash::keyPressEvent(QKeyEvent *) { close(); }

bool frmSplash::eventFilter(QObject *watched, QEvent *e) {
    if (watched == Frame1 && e->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace sx
