#include "frmPrinter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "Numbers.h"
#include "platform/UserInteraction.h"

namespace sx {

DigitBox::DigitBox(bool dropEnter, QWidget *parent) : SelectAllLineEdit(parent), dropEnter_(dropEnter) {
    setMaxLength(3);
}

void DigitBox::keyPressEvent(QKeyEvent *e) {
    if (dropEnter_ && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        e->accept();
        return;
    }
    const bool shortcut = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!shortcut) {
        for (const QChar c : e->text())
            if (c.unicode() >= 28 && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
                e->accept();
                return;
            }
    }
    QLineEdit::keyPressEvent(e);
}

frmPrinter::frmPrinter(const std::vector<PrinterEntry> &printers, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPrinter"));
    setWindowTitle(QStringLiteral("Strudelax - Vektorfeld drucken"));
    auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    lblPrinter = new QLabel(QStringLiteral("Drucker:"), this);
    cmbPrinter = new QComboBox(this);
    lblCopies = new QLabel(QStringLiteral("Anzahl der Kopien:"), this);
    txtCopies = new DigitBox(false, this);
    txtCopies->setText(QStringLiteral("1"));
    lblSize = new QLabel(QStringLiteral("Größe:"), this);
    txtSize = new DigitBox(true, this);
    txtSize->setText(QStringLiteral("75"));
    lblPercent = new QLabel(QStringLiteral("%"), this);
    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    named(lblPrinter, "lblPrinter");
    named(cmbPrinter, "cmbPrinter");
    named(lblCopies, "lblCopies");
    named(txtCopies, "txtCopies");
    named(lblSize, "lblSize");
    named(txtSize, "txtSize");
    named(lblPercent, "lblPercent");
    named(cmdOk, "cmdOk");
    named(cmdCancel, "cmdCancel");

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblPrinter, 0, 0);
    grid->addWidget(cmbPrinter, 0, 1, 1, 2);
    grid->addWidget(lblCopies, 1, 0);
    grid->addWidget(txtCopies, 1, 1);
    grid->addWidget(lblSize, 2, 0);
    grid->addWidget(txtSize, 2, 1);
    grid->addWidget(lblPercent, 2, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 3, 0, 1, 3);
    cmbPrinter->setMinimumWidth(220);
    connect(cmdOk, &QPushButton::clicked, this, &frmPrinter::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrinter::cmdCancel_Click);
    Form_Load(printers);
}

void frmPrinter::Form_Load(const std::vector<PrinterEntry> &printers) {
    ClickedOk = false;
    for (size_t i = 0; i < printers.size(); ++i) cmbPrinter->addItem(printers[i].Name, static_cast<int>(i));
    const int first = cmbPrinter->findData(0);
    if (first >= 0) cmbPrinter->setCurrentIndex(first);
}

int frmPrinter::SelectedPrinter() const {
    const QVariant data = cmbPrinter->currentData();
    return data.isValid() ? data.toInt() : -1;
}

int32_t frmPrinter::Copies() const { return RoundToInt32(ParseNumber(txtCopies->text().toStdString())).value_or(1); }

int16_t frmPrinter::SizePercent() const {
    return static_cast<int16_t>(
        std::clamp(RoundToInt32(ParseNumber(txtSize->text().toStdString())).value_or(100), 1, 100));
}

void frmPrinter::cmdOk_Click() {
    const double copies = ParseNumber(txtCopies->text().toStdString());
    if (copies <= 0) {
        MessageBox("Sie haben eine ungültige Zahl an Kopien eingegeben!", MsgIcon::Information, MsgButtons::Ok,
                   "Ungültige Eingabe");
        return;
    }
    const double size = ParseNumber(txtSize->text().toStdString());
    if (size <= 0 || size > 100) {
        MessageBox(
            "Sie haben eine ungültige Größe angegeben! Der mögliche Bereich geht von 1% - 100%, wobei 100% "
            "bedeutet, daß der maximal zur Verfügung stehende Platz komplett genutzt wird.",
            MsgIcon::Information, MsgButtons::Ok, "Ungültige Eingabe");
        return;
    }
    ClickedOk = true;
    hide();
}

void frmPrinter::cmdCancel_Click() { hide(); }

}  // namespace sx
