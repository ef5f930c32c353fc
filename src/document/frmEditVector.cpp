#include "frmEditVector.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "TableText.h"
#include "document/frmVectorTable.h"
#include "platform/DialogButtons.h"
#include "platform/KeyPressCode.h"

namespace sx {

EditorNumberBox::EditorNumberBox(QWidget *parent) : SelectAllLineEdit(parent) {}

void EditorNumberBox::keyPressEvent(QKeyEvent *e) {
    // Every character the filter does not know is swallowed, Ctrl+V and
    // Ctrl+X included; keys that type nothing (arrows, Delete) and the
    // dialog's Return and Escape pass.
    const int code = KeyPressCode(e);
    if (code >= 0 && !IsDialogKey(e) && !EditorKeyAccepted(code)) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

frmEditVector::frmEditVector(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmEditVector"));
    setWindowTitle(QStringLiteral("Vektor bearbeiten"));
    auto *grid = new QGridLayout(this);
    txtXComp = new EditorNumberBox(this);
    txtXComp->setObjectName(QStringLiteral("txtXComp"));
    txtYComp = new EditorNumberBox(this);
    txtYComp->setObjectName(QStringLiteral("txtYComp"));
    auto *lx = new QLabel(QStringLiteral("x-Komponente:"), this);
    auto *ly = new QLabel(QStringLiteral("y-Komponente:"), this);
    lx->setBuddy(txtXComp);
    ly->setBuddy(txtYComp);
    chkMarkAsInvalid = new QCheckBox(QStringLiteral("Aktuellen Vektor als &ungültig markieren"), this);
    chkMarkAsInvalid->setObjectName(QStringLiteral("chkMarkAsInvalid"));
    MakeOkCancel(this, cmdOk, cmdCancel);
    grid->addWidget(lx, 0, 0);
    grid->addWidget(txtXComp, 0, 1);
    grid->addWidget(ly, 1, 0);
    grid->addWidget(txtYComp, 1, 1);
    grid->addWidget(chkMarkAsInvalid, 2, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    txtXComp->setMinimumWidth(180);
    connect(cmdOk, &QPushButton::clicked, this, &frmEditVector::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditVector::cmdCancel_Click);
}

void frmEditVector::SetXComp(double x) {
    xComp_ = x;
    txtXComp->setText(QString::fromStdString(EditorNumberText(x, frmVectorTable::LocaleDecimalSeparator())));
}

void frmEditVector::SetYComp(double y) {
    yComp_ = y;
    txtYComp->setText(QString::fromStdString(EditorNumberText(y, frmVectorTable::LocaleDecimalSeparator())));
}

void frmEditVector::SetStatus(int32_t status) {
    status_ = status;
    chkMarkAsInvalid->setChecked(status == 0);
}

void frmEditVector::cmdOk_Click() {
    Canceled = false;
    xComp_ = ParseEditorNumber(txtXComp->text().toStdString());
    yComp_ = ParseEditorNumber(txtYComp->text().toStdString());
    status_ = chkMarkAsInvalid->isChecked() ? StatusInvalid : StatusChanged;
    hide();
}

void frmEditVector::cmdCancel_Click() {
    Canceled = true;
    hide();
}

void frmEditVector::reject() { cmdCancel_Click(); }

}  // namespace sx
