// The program-wide vector-field buffer: copying a document in (Edit menu)
// and adding, subtracting or masking with it (Calculations menu).
#include <QAction>
#include <QMenu>

#include "BufferOperations.h"
#include "VectorFieldBuffer.h"
#include "document/frmVectorTable.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

void frmVectorTable::BuildBufferEditItems() {
    mnuEdit->addSeparator();
    AddItem(mnuEdit, "mnuVectorfieldToBuffer", QStringLiteral("&Vektorfeld in Buffer kopieren"),
            &frmVectorTable::mnuVectorfieldToBuffer_Click);
}

void frmVectorTable::BuildBufferCalcItems() {
    mnuCalculations->addSeparator();
    QMenu *sub = mnuCalculations->addMenu(QStringLiteral("&Vektorfeld aus Buffer..."));
    sub->setObjectName(QStringLiteral("mnuAddSubVectorfield"));
    sub->menuAction()->setObjectName(QStringLiteral("mnuAddSubVectorfield"));
    AddItem(sub, "mnuAddVectorfield", QStringLiteral("...zum Vektorfeld &addieren"),
            &frmVectorTable::mnuAddVectorfield_Click);
    AddItem(sub, "mnuSubVectorfield", QStringLiteral("...vom Vektorfeld &subtrahieren"),
            &frmVectorTable::mnuSubVectorfield_Click);
    AddItem(sub, "mnuUseBufferAsMask", QStringLiteral("...als &Maske benutzen"),
            &frmVectorTable::mnuUseBufferAsMask_Click);
}

void frmVectorTable::mnuCalculations_Click() {
    const bool fits = BufferFitsDocument(ProgramBuffer(), doc);
    for (const char *name : {"mnuAddSubVectorfield", "mnuAddVectorfield", "mnuSubVectorfield"})
        if (QAction *a = Action(name)) a->setEnabled(fits);
}

void frmVectorTable::mnuVectorfieldToBuffer_Click() {
    WaitCursor busy;
    CopyToBuffer(ProgramBuffer(), doc);
}

namespace {

void RunBufferCommand(frmVectorTable &w, BufferCommand command) {
    const VectorFieldBuffer &buffer = ProgramBuffer();
    if (!BufferFitsDocument(buffer, w.doc)) {
        MessageBox(kBufferSizeMismatch, MsgIcon::Exclamation, MsgButtons::Ok, kBufferSizeMismatchTitle);
        return;
    }
    const BufferCommandTexts texts = BufferTexts(command, buffer.BufferName, w.doc.FileName);
    if (MessageBox(texts.question, MsgIcon::Information, MsgButtons::YesNo, texts.title) != MsgAnswer::Yes) return;
    WaitCursor busy;
    w.SaveUndo(texts.undoCaption);
    ApplyBuffer(w.doc, buffer, command);
    if (w.doc.View.AutoClearTrajectories) w.ClearTrajectories();
    w.MarkModified();
    w.ShowHeaderInfo();
    w.FillGrid();
    w.RecalcBackground();
    w.DrawVectorfield();
}

}  // namespace

void frmVectorTable::mnuAddVectorfield_Click() { RunBufferCommand(*this, BufferCommand::Add); }
void frmVectorTable::mnuSubVectorfield_Click() { RunBufferCommand(*this, BufferCommand::Subtract); }
void frmVectorTable::mnuUseBufferAsMask_Click() { RunBufferCommand(*this, BufferCommand::Mask); }

}  // namespace sx
