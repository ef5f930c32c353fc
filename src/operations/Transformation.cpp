// Coordinate transformation and mirror of the document's field, both in the
// Edit menu.
#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include "Transformation.h"
#include "document/DocumentFrame.h"
#include "document/frmVectorTable.h"
#include "operations/frmMirrorOptions.h"
#include "operations/frmXYTrafo.h"
#include "platform/FlexGrid.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

void frmVectorTable::BuildTransformItems() {
    // both commands change the geometry of the field and belong to the Edit menu
    mnuEdit->addSeparator();
    AddItem(mnuEdit, "mnuCoordTrafo", QStringLiteral("K&oordinatentransformation"),
            &frmVectorTable::mnuCoordTrafo_Click);
    AddItem(mnuEdit, "mnuMirror", QStringLiteral("Vektorfeld &spiegeln..."), &frmVectorTable::mnuMirror_Click);
}

void frmVectorTable::mnuCoordTrafo_Click() {
    XYTrafo t;
    {
        frmXYTrafo dialog(this);
        User().ShowModal(&dialog);
        t = dialog.Values();
    }
    // a dialog that went away without its check must not bring a zero factor
    if (CheckTrafoFactors(t)) return;
    if (!t.CoordinateChange() && !t.VectorChange()) return;
    WaitCursor busy;
    SaveUndo("Koordinatentransformation");
    ApplyXYTrafo(doc, t);
    // the caption follows at the next layout pass
    doc.Modified = true;
    FillGrid();
    RecalcBackground();
    DrawVectorfield();
}

void frmVectorTable::mnuMirror_Click() {
    frmMirrorOptions &dialog = MirrorOptions(frame_ ? frame_->FrameWindow() : nullptr);
    dialog.Canceled = true;
    User().ShowModal(&dialog);
    if (dialog.Canceled) return;
    const bool mirrorX = dialog.chkPosX->isChecked();
    const bool mirrorY = dialog.chkPosY->isChecked();
    WaitCursor busy;
    SaveUndo("Vektorfeld spiegeln");
    grdTable->SetRedraw(false);
    MirrorField(doc, mirrorX, mirrorY);
    grdTable->SetRedraw(true);
    if (!mirrorX && !mirrorY) return;
    MarkModified();
    FillGrid();
    RecalcBackground();
    DrawVectorfield();
}

}  // namespace sx
