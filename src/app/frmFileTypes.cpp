#include "frmFileTypes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Paths.h"
#include "app/SplashPicture.h"
#include "platform/DialogButtons.h"
#include "platform/FileTypeRegistry.h"
#include "platform/UserInteraction.h"

namespace sx {

frmFileTypes::frmFileTypes(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFileTypes"));
    setWindowTitle(QStringLiteral("Strudelax-Installation  -  Dateitypen mit Strudelax verknüpfen"));
    auto *lay = new QVBoxLayout(this);

    fraChooseFromats =
        new QGroupBox(QStringLiteral("Welche Dateitypen sollen mit dieser Strudelax-Version verknüpft werden?"), this);
    fraChooseFromats->setObjectName(QStringLiteral("fraChooseFromats"));
    auto *fl = new QVBoxLayout(fraChooseFromats);
    chkDAT = new QCheckBox(QStringLiteral("EdPIV-Dateien      (mit Endung  *.dat)"), fraChooseFromats);
    chkDAT->setObjectName(QStringLiteral("chkDAT"));
    chkVEC = new QCheckBox(QStringLiteral("DaVis-Dateien      (mit Endung  *.vec)"), fraChooseFromats);
    chkVEC->setObjectName(QStringLiteral("chkVEC"));
    chkSDX = new QCheckBox(QStringLiteral("Strudelax-Dateien      (mit Endung  *.sdx)"), fraChooseFromats);
    chkSDX->setObjectName(QStringLiteral("chkSDX"));
    chkSDX->setChecked(true);
    fl->addWidget(chkDAT);
    fl->addWidget(chkVEC);
    fl->addWidget(chkSDX);

    Label1 =
        new QLabel(QStringLiteral("Die folgende Installation von Strudelax wurde gefunden und wird verwendet:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblStrudelaxPath = new QLabel(this);
    lblStrudelaxPath->setObjectName(QStringLiteral("lblStrudelaxPath"));
    lblStrudelaxPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = lblStrudelaxPath->font();
    bold.setBold(true);
    lblStrudelaxPath->setFont(bold);
    Label2 = new QLabel(
        QStringLiteral(
            "Dateien eines verknüpften Typs öffnen sich mit einem Doppelklick im Dateimanager direkt in Strudelax. "
            "Läuft Strudelax bereits, wird die Datei dort geöffnet. Damit die Arbeitsoberfläche weiß, welches "
            "Programm sie für eine Datei starten soll, muss der Dateityp bei ihr angemeldet werden; die Anmeldung "
            "gilt für Ihr Benutzerkonto."),
        this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    MakeOkCancel(this, cmdOk, cmdCancel);
    connect(cmdOk, &QPushButton::clicked, this, &frmFileTypes::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFileTypes::cmdCancel_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    lay->addWidget(fraChooseFromats);
    lay->addWidget(Label1);
    lay->addWidget(lblStrudelaxPath);
    lay->addWidget(Label2);
    lay->addLayout(buttons);
    setMinimumWidth(520);
}

void frmFileTypes::cmdOk_Click() { hide(); }

void frmFileTypes::cmdCancel_Click() {
    chkSDX->setChecked(false);
    chkVEC->setChecked(false);
    chkDAT->setChecked(false);
    hide();
}

void frmFileTypes::reject() { cmdCancel_Click(); }

void AssociateFileTypes(QWidget *parent, const QString &exePath) {
    if (!FileExists(exePath.toStdString())) {
        MessageBox(
            "Konnte die Datei '" + exePath.toStdString() + "' nicht finden. Verknüpfung der Dateitypen nicht möglich!",
            MsgIcon::Exclamation, MsgButtons::Ok, "Strudelax - Fehler beim Verknüpfen der Dateitypen");
        return;
    }
    frmFileTypes dlg(parent);
    dlg.lblStrudelaxPath->setText(exePath);
    User().ShowModal(&dlg);

    struct Row {
        QCheckBox *box;
        const char *extension, *typeName, *description;
    };
    const Row rows[] = {
        {dlg.chkSDX, ".sdx", "Strudelax-Datei", "Vektorfeld von Strudelax"},
        {dlg.chkVEC, ".vec", "DaVis-Datei", "Vektorfeld von Davis"},
        {dlg.chkDAT, ".dat", "EdPIV-Datei", "Vektorfeld von EdPIV"},
    };
    // files show the program's picture, as its windows do
    const QImage icon = MakeSplashPicture().copy(120, 40, 320, 240);
    bool any = false;
    for (const Row &r : rows) {
        if (!r.box->isChecked()) continue;
        QString extension = QString::fromUtf8(r.extension);
        RegisterFileType(extension, QString::fromUtf8(r.typeName), QString::fromUtf8(r.description), exePath, icon);
        any = true;
    }
    if (any) UpdateFileTypeDatabases();
}

}  // namespace sx
