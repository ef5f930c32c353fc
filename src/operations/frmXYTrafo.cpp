#include "frmXYTrafo.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/DialogButtons.h"
#include "platform/KeyPressCode.h"
#include "platform/UserInteraction.h"

namespace sx {

TrafoNumberBox::TrafoNumberBox(const QString &text, QWidget *parent) : SelectAllLineEdit(text, parent) {}

void TrafoNumberBox::keyPressEvent(QKeyEvent *e) {
    const int code = KeyPressCode(e);
    if (code < 0 || IsDialogKey(e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const std::optional<char32_t> c = FilterTrafoKey(static_cast<char32_t>(code), text().toStdString(), caret);
    e->accept();
    if (!c) return;
    if (*c < 32) {  // a control code below 27: Ctrl+V pastes, Backspace deletes
        QLineEdit::keyPressEvent(e);
        return;
    }
    insert(QString(QChar(static_cast<char16_t>(*c))));
}

frmXYTrafo::frmXYTrafo(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmXYTrafo"));
    setWindowTitle(QStringLiteral("Koordinatentransformation"));
    auto box = [this](const char *name, const char *text) {
        auto *b = new TrafoNumberBox(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMaximumWidth(90);
        return b;
    };
    txtFakX = box("txtFakX", "1");
    txtDeltaX = box("txtDeltaX", "0");
    txtFakY = box("txtFakY", "1");
    txtDeltaY = box("txtDeltaY", "0");
    txtFakVecX = box("txtFakVecX", "1");
    txtFakVecY = box("txtFakVecY", "1");

    auto label = [this](const QString &text) { return new QLabel(text, this); };
    auto *coords = new QGroupBox(QStringLiteral("Neues Koordinatensystem gemäß:"), this);
    auto *cg = new QGridLayout(coords);
    cg->addWidget(label(QStringLiteral("Neue x-Koord.  =")), 0, 0);
    cg->addWidget(txtFakX, 0, 1);
    cg->addWidget(label(QStringLiteral("*  Alte x-Koord.    +")), 0, 2);
    cg->addWidget(txtDeltaX, 0, 3);
    cg->addWidget(label(QStringLiteral("mm")), 0, 4);
    cg->addWidget(label(QStringLiteral("Neue y-Koord.  =")), 1, 0);
    cg->addWidget(txtFakY, 1, 1);
    cg->addWidget(label(QStringLiteral("*  Alte y-Koord.    +")), 1, 2);
    cg->addWidget(txtDeltaY, 1, 3);
    cg->addWidget(label(QStringLiteral("mm")), 1, 4);

    auto *vectors = new QGroupBox(QStringLiteral("Vektoren umskalieren gemäß:"), this);
    auto *vg = new QGridLayout(vectors);
    vg->addWidget(label(QStringLiteral("Neue x-Komp.  =")), 0, 0);
    vg->addWidget(txtFakVecX, 0, 1);
    vg->addWidget(label(QStringLiteral("*  Alte x-Komponente")), 0, 2);
    vg->addWidget(label(QStringLiteral("Neue y-Komp.  =")), 1, 0);
    vg->addWidget(txtFakVecY, 1, 1);
    vg->addWidget(label(QStringLiteral("*  Alte y-Komponente")), 1, 2);

    MakeOkCancel(this, cmdOk, cmdCancel);

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(coords);
    lay->addWidget(vectors);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    lay->addLayout(buttons);

    setTabOrder(txtFakX, txtDeltaX);
    setTabOrder(txtDeltaX, txtFakY);
    setTabOrder(txtFakY, txtDeltaY);
    setTabOrder(txtDeltaY, txtFakVecX);
    setTabOrder(txtFakVecX, txtFakVecY);
    setTabOrder(txtFakVecY, cmdOk);
    setTabOrder(cmdOk, cmdCancel);

    // a coordinate factor proposes the same vector factor
    connect(txtFakX, &QLineEdit::textChanged, this, [this](const QString &t) { txtFakVecX->setText(t); });
    connect(txtFakY, &QLineEdit::textChanged, this, [this](const QString &t) { txtFakVecY->setText(t); });
    connect(cmdOk, &QPushButton::clicked, this, &frmXYTrafo::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmXYTrafo::cmdCancel_Click);
}

XYTrafo frmXYTrafo::Values() const {
    auto v = [](const QLineEdit *b) { return TrafoBoxValue(b->text().toStdString()); };
    XYTrafo t;
    t.FakX = v(txtFakX);
    t.DeltaX = v(txtDeltaX);
    t.FakY = v(txtFakY);
    t.DeltaY = v(txtDeltaY);
    t.FakVecX = v(txtFakVecX);
    t.FakVecY = v(txtFakVecY);
    return t;
}

void frmXYTrafo::cmdOk_Click() {
    if (const std::optional<std::string> refusal = CheckTrafoFactors(Values())) {
        MessageBox(*refusal, MsgIcon::Exclamation, MsgButtons::Ok, "Ungültige Eingabe");
        return;
    }
    hide();
}

void frmXYTrafo::cmdCancel_Click() {
    txtFakX->setText(QStringLiteral("1"));
    txtFakY->setText(QStringLiteral("1"));
    txtFakVecX->setText(QStringLiteral("1"));
    txtFakVecY->setText(QStringLiteral("1"));
    txtDeltaX->setText(QStringLiteral("0"));
    txtDeltaY->setText(QStringLiteral("0"));
    hide();
}

// Escape and the close box cancel: the boxes might hold a refused factor.
void frmXYTrafo::reject() { cmdCancel_Click(); }

}  // namespace sx
