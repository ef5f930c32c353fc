// The fault-vector search command: criteria from the dialog, the marking
// pass with its cell and arrow updates, and the offer to invalidate.
#include <QAction>
#include <QComboBox>
#include <QMenu>

#include "FaultSearch.h"
#include "Numbers.h"
#include "PlotGeometry.h"
#include "document/frmVectorTable.h"
#include "operations/frmFaultVectors.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

void frmVectorTable::BuildFaultSearchItems() {
    // a validation command: it belongs to the Edit menu
    mnuEdit->addSeparator();
    AddItem(mnuEdit, "mnuSearchInvalidVectors", QStringLiteral("&Fehlerhafte Vektoren suchen"),
            &frmVectorTable::mnuSearchInvalidVectors_Click);
}

void frmVectorTable::mnuSearchInvalidVectors_Click() {
    frmFaultVectors dlg(this);
    // odd window sizes 1 .. 2n - 1; "5" preselected where the field allows it
    auto fill = [](QComboBox *a, QComboBox *b, int n) {
        a->clear();
        b->clear();
        for (int k = 1; k <= n; ++k) {
            const QString t = QString::number(2 * k - 1);
            a->addItem(t);
            b->addItem(t);
        }
        a->setCurrentIndex(n > 2 ? 2 : -1);
        b->setCurrentIndex(n > 2 ? 2 : -1);
    };
    fill(dlg.cboLocalMiddleX, dlg.cboMedianX, doc.NX);
    fill(dlg.cboLocalMiddleY, dlg.cboMedianY, doc.NY);
    User().ShowModal(&dlg);
    if (dlg.Canceled) return;
    const FaultCriteria criteria = dlg.Criteria();
    if (criteria.TickedCount() == 0) return;

    // up to the end: the count and the invalidation after the question take a while too
    WaitCursor busy;
    SaveUndo("Ungültige Vektoren suchen");
    PlotGeometry g;
    if (imgVectorfield) g = MakePlotGeometry(doc, imgVectorfield->ScaleWidth(), imgVectorfield->ScaleHeight());
    SearchFaultVectors(doc, criteria, [&](int i, int j) {
        if (grdTable) {
            grdTable->SetCurrent(j, i);
            grdTable->RefreshCell(j, i);
        }
        // the arrow in the questionable colour over the plot as it stands
        const auto x = RoundToInt32(i * g.cw), y = RoundToInt32(j * g.ch);
        const auto dx = RoundToInt32(doc.U(i, j) * doc.DrawScale), dy = RoundToInt32(doc.V(i, j) * doc.DrawScale);
        if (x && y && dx && dy) DrawVector(*x, *y, *dx * g.sgnX, *dy * g.sgnY, Rgb(250, 0, 0));
    });
    MarkModified();

    const int32_t n = CountQuestionable(doc);
    if (n >= 1 && MessageBox(QuestionableReportText(n), MsgIcon::Question, MsgButtons::YesNo,
                             "Fragwürdige Vektoren gefunden") == MsgAnswer::Yes)
        mnuFaultVectorsToInvalid_Click();
}

}  // namespace sx
