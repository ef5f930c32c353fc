// One level of undo and the info-text command.
#include <QAction>
#include <QPlainTextEdit>

#include "Undo.h"
#include "document/frmInfoText.h"
#include "document/frmVectorTable.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

// The document keeps the file's CR LF line breaks; the text box shows "\n".
QString ForTextBox(const std::string &text) {
    return QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

std::string FromTextBox(const QString &text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t.toStdString();
}

}  // namespace

void frmVectorTable::SaveUndo(const std::string &caption) {
    sx::SaveUndo(doc, caption);
    emit UndoSaved();
}

void frmVectorTable::mnuUndo_Click() {
    WaitCursor busy;
    if (!RestoreUndo(doc)) return;
    // the field now differs from what was loaded or saved, even when the
    // command being undone came before the last save: closing must ask
    MarkModified();
    // the checks follow the snapshot; the views follow at the next layout
    SyncViewMenus();
    ShowHeaderInfo();
    FillGrid();
    RecalcBackground();
    DrawVectorfield();
}

void frmVectorTable::mnuEdit_Click() {
    const UndoMenuState s = UndoMenuCaption(doc);
    if (QAction *a = Action("mnuUndo")) {
        a->setText(QString::fromStdString(s.Caption));
        a->setEnabled(s.Enabled);
    }
}

void frmVectorTable::mnuInfoText_Click() {
    frmInfoText dlg(this);
    const QString shown = ForTextBox(doc.InfoText);
    dlg.txtInfoText->setPlainText(shown);
    User().ShowModal(&dlg);
    if (dlg.Canceled) return;
    const QString typed = dlg.txtInfoText->toPlainText();
    WaitCursor busy;  // the snapshot copies the whole field
    // an untouched text keeps its line breaks exactly as they were
    ApplyInfoText(doc, typed == shown ? doc.InfoText : FromTextBox(typed));
    SetCaption();
}

}  // namespace sx
