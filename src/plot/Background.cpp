// The background behind the arrows: which quantity, its recomputation after
// every change of the field, and the colour scale it is shown with.

#include <QAction>

#include "DerivedFields.h"
#include "VectorFieldBuffer.h"
#include "document/frmVectorTable.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"
#include "plot/frmVecBackFromBuffer.h"

namespace sx {

void frmVectorTable::RecalcBackground() { sx::RecalcBackground(doc); }

void frmVectorTable::mnuNoVecBackground_Click() {
    WaitCursor busy;
    doc.View.Background = BackNone;
    SyncViewMenus();
    ResetColorScale(doc);
    DrawVectorfield();
}

void frmVectorTable::mnuVecBackgroundSwirlSquare_Click() {
    WaitCursor busy;
    doc.View.Background = BackSwirlSquare;
    SyncViewMenus();
    RecalcBackground();
    SetColorScaleFromData(doc);
    DrawVectorfield();
}

void frmVectorTable::mnuVecBackgroundVorticity_Click() {
    // the derived field alone takes a while on a large grid, before the plot starts
    WaitCursor busy;
    doc.View.Background = BackVorticity;
    SyncViewMenus();
    RecalcBackground();
    SetColorScaleFromData(doc);
    DrawVectorfield();
}

void frmVectorTable::mnuVecBackgroundFromBuffer_Click() {
    const VectorFieldBuffer &buffer = ProgramBuffer();
    // the menu offers the item only for a buffer of the same size; a call
    // from elsewhere must not read past the buffer either
    if (!BufferMatches(buffer, doc)) return;
    doc.View.Background = BackFromBuffer;
    SyncViewMenus();
    BufferQuantity quantity;
    {
        frmVecBackFromBuffer dialog(this);
        User().ShowModal(&dialog);
        quantity = dialog.Quantity();
    }
    WaitCursor busy;
    FillBackgroundFromBuffer(doc, buffer, quantity);
    SetColorScaleFromData(doc);
    DrawVectorfield();
}

void frmVectorTable::mnuView_Click() {
    SyncViewMenus();
    if (QAction *a = Action("mnuVecBackgroundFromBuffer")) a->setEnabled(BufferMatches(ProgramBuffer(), doc));
}

}  // namespace sx
