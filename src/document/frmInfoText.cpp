#include "frmInfoText.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sx {

frmInfoText::frmInfoText(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInfoText"));
    setWindowTitle(QStringLiteral("Information zur aktuellen Datei"));
    auto *lay = new QVBoxLayout(this);
    txtInfoText = new QPlainTextEdit(this);
    txtInfoText->setObjectName(QStringLiteral("txtInfoText"));
    txtInfoText->setTabChangesFocus(true);
    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    lay->addWidget(txtInfoText);
    lay->addLayout(buttons);
    resize(460, 300);
    connect(cmdOk, &QPushButton::clicked, this, &frmInfoText::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmInfoText::cmdCancel_Click);
}

void frmInfoText::cmdOk_Click() {
    Canceled = false;
    hide();
}

void frmInfoText::cmdCancel_Click() {
    Canceled = true;
    hide();
}

void frmInfoText::reject() { cmdCancel_Click(); }

}  // namespace sx
