// Coordinate transformation, mirror and the vector-field buffer, driven
// through their menu items and dialogs.

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QtTest/QTest>

#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "VectorFieldBuffer.h"
#include "platform/SettingsStore.h"

using namespace sx;

namespace {

class TransformBufferUi : public UiTest {
protected:
    // x = 0.5 i, y = -j, U = 0.5 i, V = -j
    frmVectorTable *OpenField(const QString &name, int nx, int ny) {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath(name);
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), nx, ny, [](VectorDocument &d) {
            d.Status(1, 1) = StatusRemoved;
            d.Trajectories.Count = 1;
            d.Trajectories.X0[0] = 1;
            d.Trajectories.Y0[0] = -1;
            d.Trajectories.Step[0] = 0.01;
        }));
        frmVectorTable *w = Open(path);
        if (w) w->resize(600, 400);
        return w;
    }
    static void Run(frmVectorTable *w, const char *name) {
        QAction *a = w->Action(name);
        ASSERT_TRUE(a) << name;
        a->trigger();
    }
};

TEST_F(TransformBufferUi, TransformationFromTypedBoxes) {
    frmVectorTable *w = OpenField("feld.sdx", 3, 2);
    ASSERT_TRUE(w);
    const VectorDocument before = w->doc;
    user.InDialog("frmXYTrafo", [](QDialog *d) {
        auto *fakX = d->findChild<QLineEdit *>("txtFakX");
        fakX->selectAll();
        QTest::keyClicks(fakX, "2");
        EXPECT_EQ(ControlText(d, "txtFakVecX"), "2");  // proposed, then changed on its own
        SetControlText(d, "txtFakVecX", "-1");
        auto *deltaY = d->findChild<QLineEdit *>("txtDeltaY");
        deltaY->clear();
        QTest::keyClicks(deltaY, "x-1,5,3-");
        EXPECT_EQ(deltaY->text(), "-1.53");
        SetControlText(d, "txtDeltaX", "");  // an empty shift reads 0
        ClickControl(d, "cmdOk");
    });
    Run(w, "mnuCoordTrafo");
    EXPECT_DOUBLE_EQ(w->doc.PosX(3), 3);
    EXPECT_DOUBLE_EQ(w->doc.PosY(2), -3.53);
    EXPECT_DOUBLE_EQ(w->doc.Trajectories.X0[0], 2);
    EXPECT_DOUBLE_EQ(w->doc.Trajectories.Y0[0], -2.53);
    EXPECT_EQ(w->doc.Trajectories.Count, 1);  // kept: their starts moved along
    EXPECT_DOUBLE_EQ(w->doc.TrafoShiftY, -1.53);
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), -before.U(1, 1));  // removed nodes too
    EXPECT_DOUBLE_EQ(w->doc.V(2, 2), before.V(2, 2));
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->doc.Undo.Caption, "Koordinatentransformation");

    // undo brings it all back
    w->mnuUndo_Click();
    EXPECT_TRUE(w->doc.PosXs == before.PosXs && w->doc.Us == before.Us);
}

TEST_F(TransformBufferUi, TransformationRefusesZeroAndCancelChangesNothing) {
    frmVectorTable *w = OpenField("feld.sdx", 3, 2);
    ASSERT_TRUE(w);
    const VectorDocument before = w->doc;
    user.InDialog("frmXYTrafo", [](QDialog *d) {
        SetControlText(d, "txtFakY", "");
        ClickControl(d, "cmdOk");
        EXPECT_TRUE(d->isVisible());
        ClickControl(d, "cmdCancel");
    });
    user.Answer(MsgAnswer::Ok);
    Run(w, "mnuCoordTrafo");
    ASSERT_EQ(user.MessageTexts().size(), 1u);
    EXPECT_EQ(user.asked.back().message.text, "Bitte geben sie als Faktor bei der y-Koordinate keine Null an!");
    EXPECT_EQ(user.asked.back().message.title, "Ungültige Eingabe");
    EXPECT_EQ(user.asked.back().message.icon, MsgIcon::Exclamation);
    // the next showing starts from the design values; Ok with them does nothing
    user.InDialog("frmXYTrafo", [](QDialog *d) {
        EXPECT_EQ(ControlText(d, "txtFakY"), "1");
        ClickControl(d, "cmdOk");
    });
    Run(w, "mnuCoordTrafo");
    EXPECT_TRUE(w->doc.PosYs == before.PosYs && w->doc.Us == before.Us);
    EXPECT_EQ(w->doc.Undo.Caption, "");
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(TransformBufferUi, MirrorKeepsItsTicksAndUntickedOkOnlyTakesUndo) {
    frmVectorTable *w = OpenField("feld.sdx", 3, 2);
    ASSERT_TRUE(w);
    const VectorDocument before = w->doc;
    user.InDialog("frmMirrorOptions", [](QDialog *d) {
        EXPECT_TRUE(ControlChecked(d, "chkPosX"));
        EXPECT_FALSE(ControlChecked(d, "chkPosY"));
        SetControlChecked(d, "chkPosY", true);
        ClickControl(d, "cmdOk");
    });
    Run(w, "mnuMirror");
    EXPECT_EQ(w->doc.Status(3, 2), StatusRemoved);
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), before.U(3, 2));
    EXPECT_DOUBLE_EQ(w->doc.PosX(1), 1.5);
    EXPECT_DOUBLE_EQ(w->doc.PosY(1), -2);
    EXPECT_TRUE(w->windowTitle().endsWith(" (verändert)"));
    EXPECT_EQ(w->doc.Undo.Caption, "Vektorfeld spiegeln");

    // cancel: nothing happens, and the ticks chosen before are still there
    w->doc.Undo.Caption.clear();
    const VectorDocument mirrored = w->doc;
    user.InDialog("frmMirrorOptions", [](QDialog *d) {
        EXPECT_TRUE(ControlChecked(d, "chkPosY"));
        SetControlChecked(d, "chkPosX", false);
        SetControlChecked(d, "chkPosY", false);
        d->close();  // the close box counts as Abbrechen
    });
    Run(w, "mnuMirror");
    EXPECT_EQ(w->doc.Undo.Caption, "");

    w->doc.Modified = false;
    user.InDialog("frmMirrorOptions", [](QDialog *d) { ClickControl(d, "cmdOk"); });
    Run(w, "mnuMirror");
    EXPECT_EQ(w->doc.Undo.Caption, "Vektorfeld spiegeln");
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_TRUE(w->doc.Us == mirrored.Us);
}

TEST_F(TransformBufferUi, BufferMenuFollowsTheGridSizeAndCommandsAskFirst) {
    MakeFrame()->MDIForm_Load(QString());
    EXPECT_EQ(ProgramBuffer().BufferNX, 0);  // the frame starts with an empty buffer
    frmVectorTable *w = OpenField("feld.sdx", 3, 2);
    frmVectorTable *other = OpenField("anders.sdx", 2, 3);
    ASSERT_TRUE(w && other);
    w->mnuCalculations_Click();
    EXPECT_FALSE(w->Action("mnuAddSubVectorfield")->isEnabled());
    EXPECT_FALSE(w->Action("mnuAddVectorfield")->isEnabled());

    Run(w, "mnuVectorfieldToBuffer");
    EXPECT_EQ(ProgramBuffer().BufferName, "feld.sdx");
    w->mnuCalculations_Click();
    EXPECT_TRUE(w->Action("mnuAddSubVectorfield")->isEnabled());
    EXPECT_TRUE(w->Action("mnuSubVectorfield")->isEnabled());
    other->mnuCalculations_Click();
    EXPECT_FALSE(other->Action("mnuSubVectorfield")->isEnabled());

    // another grid size is refused with the one message
    user.Answer(MsgAnswer::Ok);
    other->mnuUseBufferAsMask_Click();
    EXPECT_EQ(user.asked.back().message.text, "Fehler: Die Anzahl der Vektoren stimmt nicht überein!");
    EXPECT_EQ(user.asked.back().message.title, "Vektorfeld subtrahieren");

    // No leaves everything as it was
    const VectorDocument before = w->doc;
    user.Answer(MsgAnswer::No);
    Run(w, "mnuAddVectorfield");
    EXPECT_EQ(user.asked.back().message.text,
              "Möchten Sie das Vektorfeld 'feld.sdx' wirklich zum aktuellen Vektorfeld 'feld.sdx' addieren?");
    EXPECT_EQ(user.asked.back().message.buttons, MsgButtons::YesNo);
    EXPECT_EQ(w->doc.Undo.Caption, "");
    EXPECT_TRUE(w->doc.Us == before.Us);

    user.Answer(MsgAnswer::Yes);
    Run(w, "mnuAddVectorfield");
    EXPECT_DOUBLE_EQ(w->doc.U(3, 2), 2 * before.U(3, 2));
    EXPECT_EQ(w->doc.Status(3, 2), StatusChanged);
    EXPECT_EQ(w->doc.Status(1, 1), StatusRemoved);
    EXPECT_EQ(w->doc.Trajectories.Count, 0);  // cleared automatically
    EXPECT_EQ(w->doc.Undo.Caption, "Vektorfeld addieren");
    EXPECT_TRUE(w->windowTitle().endsWith(" (verändert)"));

    // the buffer outlives the document it came from
    w->CloseWithoutAsking();
    EXPECT_EQ(ProgramBuffer().BufferNX, 3);
}

}  // namespace
