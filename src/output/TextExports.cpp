// The text exports of the File menu's Export submenu and the streamline
// export option.

#include <QAction>
#include <QMenu>

#include "AtomicFile.h"
#include "DerivedFields.h"
#include "Numbers.h"
#include "TextExports.h"
#include "document/DocumentFrame.h"
#include "document/frmVectorTable.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

void RunTextExport(frmVectorTable &w, const TextExportKind &kind) {
    DocumentFrame *frame = w.Frame();
    if (!frame) return;
    CommonDialog &cd = frame->CommonDlg();
    cd.Filter = QString::fromUtf8(kind.filter);
    cd.FilterIndex = 1;
    cd.FileName = FileNameFromBytes(ExportProposedName(kind, w.doc.FilePath));
    cd.Flags = 6;
    cd.DialogTitle = QString();
    // Cancel ends the command with nothing computed or written
    if (!cd.ShowSave()) return;
    // up from the chosen name on; a question takes it down while it waits
    WaitCursor busy;
    const std::string target = ExportTargetPath(kind, FilePathBytes(cd.FileName), cd.FilterIndex);
    if (!MayWriteTarget(cd, target)) return;

    VectorDocument &doc = w.doc;
    SaveResult result;
    {
        // The background array is the working array; what it showed comes back
        // afterwards. Swirl and vorticity are computed again; only values taken
        // from the buffer, which may have changed since, need a copy, and a
        // hidden background shows nothing to restore.
        const bool computes = kind.field != ExportField::None;
        FieldArray<double> shown;
        if (computes && doc.View.Background == BackFromBuffer) shown = doc.BackValues;
        if (kind.field == ExportField::SwirlSquare) CalcSwirlSquare(doc);
        if (kind.field == ExportField::Vorticity) CalcVorticity(doc);
        result = SaveExportFile(kind, doc, frmVectorTable::LocaleDecimalSeparator(), target);
        if (computes && doc.View.Background == BackFromBuffer)
            doc.BackValues = std::move(shown);
        else if (kind.scalar)
            w.RecalcBackground();
    }
    if (result != SaveResult::Ok) MessageBox(ExportSaveErrorMessage());
}

}  // namespace

void frmVectorTable::BuildTextExportItems() {
    AddCheckItem(mnuExport, "mnuExportTrajectory", QStringLiteral("&Stromlinie"), false,
                 &frmVectorTable::mnuExportTrajectory_Click);

    QMenu *stanford = mnuExport->addMenu(QStringLiteral("Exportieren für Stanford"));
    stanford->setObjectName(QStringLiteral("mnuExportForStanford"));
    AddItem(stanford, "mnuExportVectorfieldForStanford", QStringLiteral("Vektor&feld"),
            &frmVectorTable::mnuExportVectorfieldForStanford_Click);
    AddItem(stanford, "mnuExportVelProfileForStanford", QStringLiteral("Geschwindigkeits&profil"),
            &frmVectorTable::mnuExportVelProfileForStanford_Click);
    AddItem(stanford, "mnuExportSwirlSquareForStanford", QStringLiteral("(&Swirling Strength) ²"),
            &frmVectorTable::mnuExportSwirlSquareForStanford_Click);
    AddItem(stanford, "mnuExportVorticityForStanford", QStringLiteral("&Vorticity"),
            &frmVectorTable::mnuExportVorticityForStanford_Click);
    AddItem(stanford, "mnuExportTestFunctionForStanford", QStringLiteral("Testfunktion"),
            &frmVectorTable::mnuExportTestFunctionForStanford_Click)
        ->setEnabled(false);

    QMenu *tecplot = mnuExport->addMenu(QStringLiteral("Exportieren für TecPlot"));
    tecplot->setObjectName(QStringLiteral("mnuExportForTecPlot"));
    AddItem(tecplot, "mnuExportSwirlForTecPlot", QStringLiteral("&Swirling Strength"),
            &frmVectorTable::mnuExportSwirlForTecPlot_Click);
    AddItem(tecplot, "mnuExportVorticityForTecPlot", QStringLiteral("&Vorticity"),
            &frmVectorTable::mnuExportVorticityForTecPlot_Click);

    QMenu *matlab = mnuExport->addMenu(QStringLiteral("Exportieren für Matlab"));
    matlab->setObjectName(QStringLiteral("mnuExportForMatlab"));
    AddItem(matlab, "mnuExportVectorfieldForMatlab", QStringLiteral("Vektor&feld"),
            &frmVectorTable::mnuExportVectorfieldForMatlab_Click);
    AddItem(matlab, "mnuExportSwirlSquareForMatlab", QStringLiteral("(&Swirling Strength) ²"),
            &frmVectorTable::mnuExportSwirlSquareForMatlab_Click);
}

void frmVectorTable::mnuExportTrajectory_Click() {
    QAction *item = Action("mnuExportTrajectory");
    if (!item) return;
    item->setChecked(!item->isChecked());
    if (!item->isChecked()) return;
    const QString answer =
        InputBox(QStringLiteral("Bitte geben Sie den Abstand (in mm) ein, in dem Punkte gespeichert "
                                "werden"),
                 QStringLiteral("Stromlinie exportieren"), QString::fromStdString(StrNumber(doc.ExportDistance)));
    if (answer.isEmpty()) {
        item->setChecked(false);
        return;
    }
    doc.ExportDistance = ParseNumber(answer.toStdString());
    MessageBox(
        "Solange die Option 'Stromlinie exportieren' markiert ist, wird jede Stromlinie als Liste von "
        "Koordinaten abgespeichert, die untereinander mindestens einen Abstand von " +
            StrNumber(doc.ExportDistance) + " mm voneinander haben.",
        MsgIcon::Information, MsgButtons::Ok, "Stromlinie exportieren");
}

void frmVectorTable::mnuExportVectorfieldForStanford_Click() { RunTextExport(*this, kExportStanfordVectorfield); }
void frmVectorTable::mnuExportVelProfileForStanford_Click() { RunTextExport(*this, kExportStanfordVelProfile); }
void frmVectorTable::mnuExportSwirlSquareForStanford_Click() { RunTextExport(*this, kExportStanfordSwirlSquare); }
void frmVectorTable::mnuExportVorticityForStanford_Click() { RunTextExport(*this, kExportStanfordVorticity); }
void frmVectorTable::mnuExportTestFunctionForStanford_Click() { RunTextExport(*this, kExportStanfordTestFunction); }
void frmVectorTable::mnuExportSwirlForTecPlot_Click() { RunTextExport(*this, kExportTecPlotSwirl); }
void frmVectorTable::mnuExportVorticityForTecPlot_Click() { RunTextExport(*this, kExportTecPlotVorticity); }
void frmVectorTable::mnuExportVectorfieldForMatlab_Click() { RunTextExport(*this, kExportMatlabVectorfield); }
void frmVectorTable::mnuExportSwirlSquareForMatlab_Click() { RunTextExport(*this, kExportMatlabSwirlSquare); }

}  // namespace sx
