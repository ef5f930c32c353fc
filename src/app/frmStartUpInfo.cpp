#include "frmStartUpInfo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/SplashPicture.h"

namespace sx {

frmStartUpInfo::frmStartUpInfo(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmStartUpInfo"));
    setWindowTitle(QStringLiteral("Strudelax - Willkommen!"));
    auto *lay = new QVBoxLayout(this);
    auto *l1 = new QLabel(QStringLiteral("Herzlich willkommen zu"), this);
    auto *l2 = new QLabel(QStringLiteral("Strudelax !"), this);
    QFont big = l2->font();
    big.setPointSize(22);
    big.setBold(true);
    l2->setFont(big);
    auto *img = new QLabel(this);
    img->setObjectName(QStringLiteral("Image1"));
    img->setPixmap(QPixmap::fromImage(MakeSplashPicture()));
    auto *tips = new QGroupBox(QStringLiteral("Tips für den Start:"), this);
    auto *tl = new QVBoxLayout(tips);
    auto *t1 = new QLabel(
        QStringLiteral(
            "Die Hilfe ist kontextsensitiv: Drücken Sie F1 in einem beliebigen Fenster oder auf einem markierten "
            "Menüeintrag, um die passende Hilfeseite zu öffnen."),
        tips);
    auto *t2 = new QLabel(
        QStringLiteral(
            "Das eigene Format \".sdx\" bewahrt die meisten Informationen und wird am schnellsten geladen. Über "
            "\"Dateitypen verknüpfen\" im Menü \"?\" können Sie es mit Strudelax verknüpfen."),
        tips);
    t1->setWordWrap(true);
    t2->setWordWrap(true);
    tl->addWidget(t1);
    tl->addWidget(t2);
    chkShowAgain = new QCheckBox(QStringLiteral("Beim nächsten Start von Strudelax wieder anzeigen"), this);
    chkShowAgain->setObjectName(QStringLiteral("chkShowAgain"));
    chkShowAgain->setChecked(true);
    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::hide);
    lay->addWidget(l1);
    lay->addWidget(l2);
    lay->addWidget(img);
    lay->addWidget(tips);
    lay->addWidget(chkShowAgain);
    lay->addWidget(cmdOk, 0, Qt::AlignRight);
}

}  // namespace sx
