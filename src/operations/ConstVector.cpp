// Constant vectors added to or subtracted from the field, and the
// subtraction of the velocity profile.
#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include "ConstVector.h"
#include "TableText.h"
#include "document/DocumentFrame.h"
#include "document/frmEditVector.h"
#include "document/frmVectorTable.h"
#include "platform/Clipboard.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

void DisableCritPointData(frmVectorTable &w) {
    w.doc.View.CritPointShown = false;
    if (QAction *a = w.Action("mnuShowCritPointData")) a->setEnabled(false);
}

void ShowGalileiTotal(frmVectorTable &w) {
    if (DocumentFrame *f = w.Frame())
        f->SetStatusText(
            QString::fromStdString(ConstVectorStatusText(w.doc, frmVectorTable::LocaleDecimalSeparator())));
}

// The dialog and the refresh both twins share; `apply` shifts the field.
void ConstVectorCommand(frmVectorTable &w, const char *caption, const char *undoCaption,
                        void (*apply)(VectorDocument &, double, double)) {
    frmEditVector dlg(&w);
    // only a text written by the program's own copy commands is taken over
    const std::optional<ClipboardVector> v = ParseClipboardVectorText(Clipboard::GetText().toStdString());
    dlg.SetXComp(v ? v->x : 0.0);
    dlg.SetYComp(v ? v->y : 0.0);
    dlg.SetStatus(StatusChanged);
    dlg.setWindowTitle(QString::fromUtf8(caption));
    dlg.chkMarkAsInvalid->setEnabled(false);
    User().ShowModal(&dlg);
    if (dlg.Canceled) return;

    WaitCursor busy;
    w.SaveUndo(undoCaption);
    apply(w.doc, dlg.XComp(), dlg.YComp());
    DisableCritPointData(w);
    if (w.doc.View.AutoClearTrajectories) w.ClearTrajectories();
    w.MarkModified();
    w.FillGrid();
    w.RecalcBackground();
    w.DrawVectorfield();
    ShowGalileiTotal(w);
}

}  // namespace

void frmVectorTable::BuildConstVectorItems() {
    QMenu *m = mnuCalculations->addMenu(QStringLiteral("&Konstante Vektoren..."));
    m->setObjectName(QStringLiteral("mnuConstVector"));
    AddItem(m, "mnuAddConstVector", QStringLiteral("...zum Vektorfeld &addieren"),
            &frmVectorTable::mnuAddConstVector_Click);
    AddItem(m, "mnuSubConstVector", QStringLiteral("...vom Vektorfeld &subtrahieren"),
            &frmVectorTable::mnuSubConstVector_Click);
    AddItem(mnuCalculations, "mnuSubtractVelocityProfile", QStringLiteral("&Geschwindigkeitsprofil subtrahieren..."),
            &frmVectorTable::mnuSubtractVelocityProfile_Click);
}

void frmVectorTable::mnuAddConstVector_Click() {
    ConstVectorCommand(*this, "Zu addierender Vektor", "Konstanten Vektor addieren", &AddConstVector);
}

void frmVectorTable::mnuSubConstVector_Click() {
    ConstVectorCommand(*this, "Zu subtrahierender Vektor", "Konstanten Vektor subtrahieren", &SubConstVector);
}

void frmVectorTable::mnuSubtractVelocityProfile_Click() {
    WaitCursor busy;
    SaveUndo("Geschwindigkeitsprofil subtrahieren");
    const VelocityProfile profile = SubtractVelocityProfile(doc);
    DisableCritPointData(*this);
    if (doc.View.AutoClearTrajectories) ClearTrajectories();
    MarkModified();
    FillGrid();
    RecalcBackground();
    DrawVectorfield();
    ShowGalileiTotal(*this);
    // drawn once over the fresh plot; the next redraw removes it
    if (!imgVectorfield) return;
    for (const ProfileArrow &a :
         ProfileArrows(doc, profile, imgVectorfield->ScaleWidth(), imgVectorfield->ScaleHeight()))
        DrawVector(a.FromX, a.FromY, a.StepX, a.StepY, Rgb(0, 200, 0));
}

}  // namespace sx
