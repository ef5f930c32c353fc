// Gap interpolation and the mean-velocity commands.
#include <QMenu>

#include "GapInterpolation.h"
#include "TableText.h"
#include "document/frmVectorTable.h"
#include "platform/Clipboard.h"
#include "platform/FlexGrid.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

void frmVectorTable::BuildInterpolationItems() {
    AddItem(mnuCalculations, "mnuInterpolation", QStringLiteral("&Interpolation"),
            &frmVectorTable::mnuInterpolation_Click);
    QMenu *mnuMiddleVelocity = mnuCalculations->addMenu(QStringLiteral("&Mittlere Geschwindigkeit..."));
    mnuMiddleVelocity->setObjectName(QStringLiteral("mnuMiddleVelocity"));
    AddItem(mnuMiddleVelocity, "mnuMiddleVelocityAllValid",
            QStringLiteral("...&aller gültigen Vektoren in der gesamten Tabelle"),
            &frmVectorTable::mnuMiddleVelocityAllValid_Click);
    AddItem(mnuMiddleVelocity, "mnuMiddleVelocitySelected",
            QStringLiteral("...gültiger Vektoren im ausge&wählten Tabellenbereich"),
            &frmVectorTable::mnuMiddleVelocitySelected_Click);
}

void frmVectorTable::mnuInterpolation_Click() {
    WaitCursor busy;
    SaveUndo("Interpolation");
    const InterpolationResult result = InterpolateGaps(doc);
    if (result.impossible) MessageBox(InterpolationImpossibleMessage());
    // the caption catches up at the next layout pass
    doc.Modified = true;
    FillGrid();
    ShowHeaderInfo();
    RecalcBackground();
    DrawVectorfield();
}

namespace {

void ReportMean(const MeanVelocity &mean) {
    if (mean.count == 0) {
        // no mean exists; the clipboard keeps what it holds
        MessageBox(NoValidVectorsMessage());
        return;
    }
    MessageBox(MeanVelocityMessage(mean));
    Clipboard::Clear();
    Clipboard::SetText(QString::fromStdString(ClipboardVectorText(mean.u, mean.v)));
}

}  // namespace

void frmVectorTable::mnuMiddleVelocityAllValid_Click() {
    WaitCursor busy;
    ReportMean(MeanOfValidVectors(doc));
}

void frmVectorTable::mnuMiddleVelocitySelected_Click() {
    if (!TableHasFocus()) return;
    WaitCursor busy;
    ReportMean(MeanOfValidVectors(
        doc, SelectionRect(doc, grdTable->Col(), grdTable->Row(), grdTable->ColSel(), grdTable->RowSel())));
}

}  // namespace sx
