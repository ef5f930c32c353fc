// The Filter submenu: box, Gaussian and row-mean smoothing.
#include <QMenu>

#include "KernelFilter.h"
#include "document/frmVectorTable.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

void frmVectorTable::BuildFilterItems() {
    QMenu *mnuFilter = mnuCalculations->addMenu(QStringLiteral("&Filter"));
    mnuFilter->setObjectName(QStringLiteral("mnuFilter"));
    AddItem(mnuFilter, "mnuSmoothSquare3x3", QStringLiteral("&Rechteck (3x3)"),
            &frmVectorTable::mnuSmoothSquare3x3_Click);
    AddItem(mnuFilter, "mnuSmoothSquare5x5", QStringLiteral("R&echteck (5x5)"),
            &frmVectorTable::mnuSmoothSquare5x5_Click);
    AddItem(mnuFilter, "mnuSmoothGauss3x3", QStringLiteral("&Gauß (3x3)"), &frmVectorTable::mnuSmoothGauss3x3_Click);
    AddItem(mnuFilter, "mnuSmoothGauss5x5", QStringLiteral("G&auß (5x5)"), &frmVectorTable::mnuSmoothGauss5x5_Click);
    AddItem(mnuFilter, "mnuFilterVelProfile", QStringLiteral("Geschwindigkeits&profil"),
            &frmVectorTable::mnuFilterVelProfile_Click);
}

namespace {

// The snapshot comes first, so a filter refused below still leaves its undo
// step. It copies the whole field, so the hourglass is up for it already;
// the questions of ApplyFilterMatrix take it down while they wait.
void Smooth(frmVectorTable &w, const char *undoCaption, const FilterKernel &kernel) {
    WaitCursor busy;
    w.SaveUndo(undoCaption);
    w.ApplyFilterMatrix(kernel);
}

}  // namespace

void frmVectorTable::mnuSmoothSquare3x3_Click() { Smooth(*this, "Filter, Rechteck (3x3)", SquareKernel(1)); }
void frmVectorTable::mnuSmoothSquare5x5_Click() { Smooth(*this, "Filter, Rechteck (5x5)", SquareKernel(2)); }
void frmVectorTable::mnuSmoothGauss3x3_Click() { Smooth(*this, "Filter, Gauß (3x3)", GaussKernel(1)); }
void frmVectorTable::mnuSmoothGauss5x5_Click() { Smooth(*this, "Filter, Gauß (5x5)", GaussKernel(2)); }

void frmVectorTable::mnuFilterVelProfile_Click() {
    Smooth(*this, "Filter, Geschwindigkeitsprofil", VelocityProfileKernel(doc.NX));
}

void frmVectorTable::ApplyFilterMatrix(const FilterKernel &kernel) {
    if (HasInvalidVectors(doc) && MessageBox(InvalidVectorsWarning()) != MsgAnswer::Yes) return;
    if (MessageBox(FilterMatrixMessage(kernel)) != MsgAnswer::Ok) return;
    // the refresh of a large field takes as long as the filter: one hourglass for both
    WaitCursor busy;
    ApplyFilterKernel(doc, kernel);
    if (doc.View.AutoClearTrajectories) ClearTrajectories();
    MarkModified();
    ShowHeaderInfo();
    FillGrid();
    RecalcBackground();
    DrawVectorfield();
}

}  // namespace sx
