#include "frmInfoText.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include "platform/DialogButtons.h"

namespace sx {

frmInfoText::frmInfoText(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInfoText"));
    setWindowTitle(QStringLiteral("Information zur aktuellen Datei"));
    auto *lay = new QVBoxLayout(this);
    txtInfoText = new QPlainTextEdit(this);
    txtInfoText->setObjectName(QStringLiteral("txtInfoText"));
    txtInfoText->setTabChangesFocus(true);
    auto *buttons = OkCancelRow(this, cmdOk, cmdCancel);
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
