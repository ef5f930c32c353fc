// The status commands of the Edit menu: on the table selection and on the
// vectors the fault search marked questionable.
#include <QAction>
#include <QMenu>

#include "StatusCommands.h"
#include "TableText.h"
#include "document/frmVectorTable.h"
#include "platform/FlexGrid.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

// Beyond this many cells one repaint of the whole table is cheaper than
// announcing every cell.
constexpr long kCellByCellLimit = 4096;

void ChangeSelectionStatus(frmVectorTable &w, SelectionStatusCommand cmd, const char *undoCaption) {
    // only while the table is the window's active control
    if (!w.TableHasFocus()) return;
    WaitCursor busy;
    w.SaveUndo(undoCaption);
    FlexGrid &grid = *w.grdTable;
    grid.SetRedraw(false);
    const CellRect r = SelectionRect(w.doc, grid.Col(), grid.Row(), grid.ColSel(), grid.RowSel());
    const SelectionStatusResult res = ApplySelectionStatus(w.doc, cmd, r);
    if (res.changed > 0) {
        // the table keeps the last changed cell as its current one
        grid.SetCurrent(res.lastRow, res.lastCol);
        const long cells = static_cast<long>(r.lastCol - r.firstCol + 1) * (r.lastRow - r.firstRow + 1);
        if (cells > kCellByCellLimit) {
            grid.RefreshAll();
        } else {
            for (int i = r.firstCol; i <= r.lastCol; ++i)
                for (int j = r.firstRow; j <= r.lastRow; ++j) grid.RefreshCell(j, i);
        }
    }
    w.MarkModified();
    grid.SetRedraw(true);
    w.ShowHeaderInfo();
    w.RecalcBackground();
    w.DrawVectorfield();
}

}  // namespace

void frmVectorTable::BuildStatusItems() {
    mnuEdit->addSeparator();
    QMenu *sel = mnuEdit->addMenu(QStringLiteral("Im markierten &Bereich..."));
    sel->setObjectName(QStringLiteral("mnuChangeVecStatus"));
    AddItem(sel, "mnuChangeVecStatusInvalidToValid", QStringLiteral("...Status ungültiger Vektoren in &gültig ändern"),
            &frmVectorTable::mnuChangeVecStatusInvalidToValid_Click, QKeySequence(Qt::CTRL | Qt::Key_G));
    AddItem(sel, "mnuChangeVecStatusAllToValid", QStringLiteral("...Status &aller Vektoren in gültig ändern"),
            &frmVectorTable::mnuChangeVecStatusAllToValid_Click, QKeySequence(Qt::CTRL | Qt::Key_A));
    AddItem(sel, "mnuChangeVecStatusAllToInvalid", QStringLiteral("...Status aller Vektoren in &ungültig ändern"),
            &frmVectorTable::mnuChangeVecStatusAllToInvalid_Click, QKeySequence(Qt::CTRL | Qt::Key_U));
    AddItem(sel, "mnuDeleteEveryVector", QStringLiteral("...alle Vektoren &entfernen"),
            &frmVectorTable::mnuDeleteEveryVector_Click, QKeySequence(Qt::Key_Delete));
    QMenu *quest = mnuEdit->addMenu(QStringLiteral("S&tatus fragwürdiger Vektoren..."));
    quest->setObjectName(QStringLiteral("mnuFaultVectorStatus"));
    AddItem(quest, "mnuFaultVectorsToInvalid", QStringLiteral("...in &ungültig ändern"),
            &frmVectorTable::mnuFaultVectorsToInvalid_Click);
    AddItem(quest, "mnuFaultVectorsToValid", QStringLiteral("...in &gültig ändern"),
            &frmVectorTable::mnuFaultVectorsToValid_Click);
}

void frmVectorTable::mnuChangeVecStatusInvalidToValid_Click() {
    ChangeSelectionStatus(*this, SelectionStatusCommand::InvalidToValid, "Vektoren gültig machen");
}

void frmVectorTable::mnuChangeVecStatusAllToValid_Click() {
    ChangeSelectionStatus(*this, SelectionStatusCommand::AllToValid, "Vektoren gültig machen");
}

void frmVectorTable::mnuChangeVecStatusAllToInvalid_Click() {
    ChangeSelectionStatus(*this, SelectionStatusCommand::AllToInvalid, "Vektoren ungültig machen");
}

void frmVectorTable::mnuDeleteEveryVector_Click() {
    ChangeSelectionStatus(*this, SelectionStatusCommand::Remove, "Vektoren entfernen");
}

// No undo step of its own: the fault search that calls it took one before marking.
void frmVectorTable::mnuFaultVectorsToInvalid_Click() {
    WaitCursor busy;
    SetQuestionableStatus(doc, StatusInvalid);
    ShowHeaderInfo();
    FillGrid();
    RecalcBackground();
    DrawVectorfield();
    MarkModified();
}

void frmVectorTable::mnuFaultVectorsToValid_Click() {
    // the valid count stays, so the header is not rewritten
    WaitCursor busy;
    SetQuestionableStatus(doc, StatusChanged);
    FillGrid();
    RecalcBackground();
    DrawVectorfield();
    MarkModified();
}

}  // namespace sx
