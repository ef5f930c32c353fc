#include "frmMirrorOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace sx {

frmMirrorOptions::frmMirrorOptions(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMirrorOptions"));
    setWindowTitle(QStringLiteral("Spiegeln - Optionen"));
    auto *frame = new QGroupBox(QStringLiteral("Positionen"), this);
    auto *fl = new QVBoxLayout(frame);
    chkPosX = new QCheckBox(QStringLiteral("x-Komponente"), frame);
    chkPosX->setObjectName(QStringLiteral("chkPosX"));
    chkPosX->setToolTip(QStringLiteral("Spiegelt die Orte, an denen sich die Vektoren befinden, in x-Richtung"));
    chkPosX->setChecked(true);
    chkPosY = new QCheckBox(QStringLiteral("y-Komponente"), frame);
    chkPosY->setObjectName(QStringLiteral("chkPosY"));
    chkPosY->setToolTip(QStringLiteral("Spiegelt die Orte, an denen sich die Vektoren befinden, in y-Richtung"));
    fl->addWidget(chkPosX);
    fl->addWidget(chkPosY);

    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdOk->setToolTip(QStringLiteral("Bestätigt die Eingabe und spiegelt gemäß den Einstellungen"));
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setToolTip(QStringLiteral("Bricht die Eingabe ab ohne zu spiegeln"));

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(frame);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    lay->addLayout(buttons);
    connect(cmdOk, &QPushButton::clicked, this, &frmMirrorOptions::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMirrorOptions::cmdCancel_Click);
}

void frmMirrorOptions::cmdOk_Click() {
    Canceled = false;
    hide();
}

void frmMirrorOptions::cmdCancel_Click() {
    Canceled = true;
    hide();
}

// Escape and the close box cancel; otherwise the answer of the previous
// showing would still stand.
void frmMirrorOptions::reject() { cmdCancel_Click(); }

frmMirrorOptions &MirrorOptions(QWidget *owner) {
    static QPointer<frmMirrorOptions> dialog;
    if (!dialog) dialog = new frmMirrorOptions(owner);
    return *dialog;
}

}  // namespace sx
