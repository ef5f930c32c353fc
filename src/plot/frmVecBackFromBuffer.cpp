#include "frmVecBackFromBuffer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sx {

frmVecBackFromBuffer::frmVecBackFromBuffer(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVecBackFromBuffer"));
    setWindowTitle(QStringLiteral("Komponenten aus Vektorfeld im Buffer für Hintergrund"));
    // no close box: the dialog has nothing to cancel
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *lay = new QVBoxLayout(this);
    auto option = [this, lay](const char *name, const QString &caption) {
        auto *b = new QRadioButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        lay->addWidget(b);
        return b;
    };
    optXComp = option("optXComp", QStringLiteral("x-Komponente kopieren"));
    optYComp = option("optYComp", QStringLiteral("y-Komponente kopieren"));
    optMagnitude = option("optMagnitude", QStringLiteral("Betrag kopieren"));
    optXtimesY = option("optXtimesY", QStringLiteral("x- * y-Komponente"));
    optXComp->setChecked(true);

    auto *frame = new QGroupBox(QStringLiteral("ACHTUNG"), this);
    auto *fl = new QVBoxLayout(frame);
    auto *text = new QLabel(
        QStringLiteral("Diese Funktion dient lediglich der einfachen, kurzfristigen Darstellung irgendwelcher Daten "
                       "aus einem anderen Vektorfeld, das sich im Buffer befindet (z.B. grafische Darstellung der "
                       "Standandabweichung usw.). Diese Daten werden jedoch NICHT mit abgespeichert und gehen beim "
                       "Schließen der Datei verloren!"),
        frame);
    text->setWordWrap(true);
    fl->addWidget(text);
    lay->addWidget(frame);

    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        ClickedOk = true;
        hide();
    });
    lay->addWidget(cmdOk, 0, Qt::AlignRight);
}

void frmVecBackFromBuffer::reject() {}

BufferQuantity frmVecBackFromBuffer::Quantity() const {
    if (!ClickedOk || optXComp->isChecked()) return BufferQuantity::XComp;
    if (optYComp->isChecked()) return BufferQuantity::YComp;
    if (optMagnitude->isChecked()) return BufferQuantity::Magnitude;
    if (optXtimesY->isChecked()) return BufferQuantity::XtimesY;
    return BufferQuantity::XComp;
}

}  // namespace sx
