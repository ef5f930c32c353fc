// The status commands of the Edit menu, the constant-vector commands and
// the velocity-profile subtraction, driven through the document window.

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include "Numbers.h"
#include "PlotTestSupport.h"
#include "SampleDocument.h"
#include "TableText.h"
#include "platform/Clipboard.h"
#include "platform/FlexGrid.h"

using namespace sx;
using namespace plottest;

namespace {

void Trigger(frmVectorTable *w, const char *name) { w->Action(name)->trigger(); }

// 4 x 3 nodes (U = 0.5 i, V = -j); row 1 holds a removed, an invalid and a
// questionable vector.
class StatusCommandsUi : public UiTest {
protected:
    frmVectorTable *OpenTable() {
        return OpenTableWindow(4, 3, [](VectorDocument &d) {
            d.Status(2, 1) = StatusRemoved;
            d.Status(3, 1) = StatusInvalid;
            d.Status(4, 1) = StatusQuestionable;
        });
    }
    static QString Cell(frmVectorTable *w, int row, int col) { return TableCell(w, row, col); }
    std::string Status() const { return frame->StatusTextCaption().toStdString(); }
};

TEST_F(StatusCommandsUi, SelectionCommandsNeedTheTable) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    const std::vector<int32_t> before(w->doc.Statuses.begin(), w->doc.Statuses.end());
    w->grdTable->SetSelection(1, 1, 3, 4);
    w->mnuShowTable_Click();  // hidden: the table cannot be the active control
    for (const char *name : {"mnuChangeVecStatusInvalidToValid", "mnuChangeVecStatusAllToValid",
                             "mnuChangeVecStatusAllToInvalid", "mnuDeleteEveryVector"})
        Trigger(w, name);
    EXPECT_EQ(std::vector<int32_t>(w->doc.Statuses.begin(), w->doc.Statuses.end()), before);
    EXPECT_TRUE(w->doc.Undo.Caption.empty());
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(StatusCommandsUi, RemoveAReversedSelectionThenRevive) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    const int valid = w->doc.ValidCount;  // 10
    // current cell at the lower right, the selection reaching up to (2, 1)
    w->grdTable->SetSelection(3, 4, 1, 2);
    Trigger(w, "mnuDeleteEveryVector");
    for (int i = 2; i <= 4; ++i)
        for (int j = 1; j <= 3; ++j) {
            EXPECT_EQ(w->doc.Status(i, j), StatusRemoved) << i << "," << j;
            EXPECT_EQ(Cell(w, j, i), QString()) << i << "," << j;
        }
    EXPECT_EQ(w->doc.Status(1, 1), StatusValid);
    EXPECT_DOUBLE_EQ(w->doc.U(4, 3), 2);  // components are kept
    EXPECT_EQ(w->doc.ValidCount, valid - 7);
    EXPECT_EQ(w->grdTable->Row(), 3);
    EXPECT_EQ(w->grdTable->Col(), 4);
    EXPECT_EQ(w->doc.Undo.Caption, "Vektoren entfernen");
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");

    // a removed node made valid again counts and shows its stored vector
    w->grdTable->SetSelection(1, 2, 1, 3);
    Trigger(w, "mnuChangeVecStatusAllToValid");
    EXPECT_EQ(w->doc.Status(2, 1), StatusChanged);
    EXPECT_EQ(w->doc.Status(3, 1), StatusChanged);
    EXPECT_EQ(w->doc.ValidCount, valid - 5);
    EXPECT_EQ(Cell(w, 1, 2),
              QString::fromStdString(TableCellText(w->doc, 2, 1, frmVectorTable::LocaleDecimalSeparator())));

    // removed nodes made invalid do not lower the count
    w->grdTable->SetSelection(3, 1, 2, 3);
    const int validNow = w->doc.ValidCount;
    Trigger(w, "mnuChangeVecStatusAllToInvalid");
    EXPECT_EQ(w->doc.Status(3, 3), StatusInvalid);
    EXPECT_EQ(w->doc.Status(1, 2), StatusInvalid);
    EXPECT_EQ(w->doc.ValidCount, validNow - 2);  // only (1, 2) and (1, 3) were valid
    EXPECT_EQ(w->doc.Undo.Caption, "Vektoren ungültig machen");
}

TEST_F(StatusCommandsUi, InvalidToValidWithoutInvalidNodesStillTakesTheStep) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    w->grdTable->SetSelection(2, 1, 3, 4);
    const int valid = w->doc.ValidCount;
    Trigger(w, "mnuChangeVecStatusInvalidToValid");
    EXPECT_EQ(w->doc.ValidCount, valid);
    EXPECT_EQ(w->doc.Undo.Caption, "Vektoren gültig machen");
    EXPECT_TRUE(w->doc.Modified);
}

TEST_F(StatusCommandsUi, QuestionableVectorsWithoutUndoStep) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    const int valid = w->doc.ValidCount;
    Trigger(w, "mnuFaultVectorsToInvalid");
    EXPECT_EQ(w->doc.Status(4, 1), StatusInvalid);
    EXPECT_EQ(w->doc.ValidCount, valid - 1);
    EXPECT_TRUE(w->doc.Undo.Caption.empty());
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");

    w->doc.Status(1, 1) = StatusQuestionable;
    w->mnuFaultVectorsToValid_Click();
    EXPECT_EQ(w->doc.Status(1, 1), StatusChanged);
    EXPECT_EQ(w->doc.ValidCount, valid - 1);
    // nothing questionable left: still refreshed and modified
    w->doc.Modified = false;
    w->mnuFaultVectorsToValid_Click();
    EXPECT_TRUE(w->doc.Modified);
}

TEST_F(StatusCommandsUi, ConstantVectorFromTheClipboardAndBack) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    const char sep = frmVectorTable::LocaleDecimalSeparator();
    const VectorDocument before = w->doc;
    Clipboard::SetText(QString::fromStdString(ClipboardVectorText(1.5, -2)));
    user.InDialog("frmEditVector", [sep](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Zu subtrahierender Vektor");
        EXPECT_EQ(d->findChild<QLineEdit *>("txtXComp")->text().toStdString(), EditorNumberText(1.5, sep));
        EXPECT_EQ(d->findChild<QLineEdit *>("txtYComp")->text().toStdString(), EditorNumberText(-2, sep));
        EXPECT_FALSE(d->findChild<QCheckBox *>("chkMarkAsInvalid")->isEnabled());
        ClickControl(d, "cmdOk");
    });
    Trigger(w, "mnuSubConstVector");
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), before.U(1, 1) - 1.5);
    EXPECT_DOUBLE_EQ(w->doc.V(1, 1), before.V(1, 1) + 2);
    EXPECT_EQ(w->doc.U(3, 1), before.U(3, 1));  // invalid
    EXPECT_DOUBLE_EQ(w->doc.GalileiU, 1.5);
    EXPECT_DOUBLE_EQ(w->doc.GalileiV, -2);
    EXPECT_EQ(w->doc.Undo.Caption, "Konstanten Vektor subtrahieren");
    EXPECT_EQ(Status(), "Galilei gesamt: (" + FormatFixed(1.5, 4, sep) + ", " + FormatFixed(-2, 4, sep) + ").");

    // adding it again restores the field
    user.InDialog("frmEditVector", [](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Zu addierender Vektor");
        ClickControl(d, "cmdOk");
    });
    Trigger(w, "mnuAddConstVector");
    ExpectSameField(w->doc, before);
    EXPECT_EQ(w->doc.GalileiU, 0);
    EXPECT_EQ(w->doc.Undo.Caption, "Konstanten Vektor addieren");
}

TEST_F(StatusCommandsUi, ForeignClipboardAndCancel) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    const char sep = frmVectorTable::LocaleDecimalSeparator();
    Clipboard::SetText("vector ( 1,5 ;  -2 )");
    user.InDialog("frmEditVector", [sep](QDialog *d) {
        EXPECT_EQ(d->findChild<QLineEdit *>("txtXComp")->text().toStdString(), EditorNumberText(0, sep));
        EXPECT_EQ(d->findChild<QLineEdit *>("txtYComp")->text().toStdString(), EditorNumberText(0, sep));
        ClickControl(d, "cmdCancel");
    });
    const VectorDocument before = w->doc;
    Trigger(w, "mnuAddConstVector");
    EXPECT_EQ(w->doc.Us, before.Us);
    EXPECT_EQ(w->doc.GalileiU, 0);
    EXPECT_TRUE(w->doc.Undo.Caption.empty());
    EXPECT_FALSE(w->doc.Modified);
}

class ProfileUi : public PlotUi {};

TEST_F(ProfileUi, SubtractsRowMeansAndDrawsTheGreenProfile) {
    frmVectorTable *w = OpenField(4, 3);
    ASSERT_TRUE(w);
    PlaceCells(w);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 3; ++j) {
            w->doc.U(i, j) = i + j;
            w->doc.V(i, j) = i;
        }
    w->doc.Status(4, 3) = StatusInvalid;
    w->doc.GalileiU = 0.25;
    Trigger(w, "mnuSubtractVelocityProfile");
    // row 3: valid 4, 5, 6 -> mean 5; the invalid 7 moves by the same amount
    EXPECT_DOUBLE_EQ(w->doc.U(1, 3), -1);
    EXPECT_DOUBLE_EQ(w->doc.U(4, 3), 2);
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1) + w->doc.U(2, 1) + w->doc.U(3, 1) + w->doc.U(4, 1), 0);
    EXPECT_EQ(w->doc.Undo.Caption, "Geschwindigkeitsprofil subtrahieren");
    EXPECT_FALSE(w->Action("mnuShowCritPointData")->isEnabled());
    const char sep = frmVectorTable::LocaleDecimalSeparator();
    EXPECT_EQ(frame->StatusTextCaption().toStdString(),
              "Galilei gesamt: (" + FormatFixed(0.25, 4, sep) + ", " + FormatFixed(0, 4, sep) + ").");
    // the profile starts in the middle of the plot, one arrow per row
    const int mid = w->imgVectorfield->Image().width() / 2;
    for (int j = 1; j <= 3; ++j) EXPECT_TRUE(Near(w->imgVectorfield, mid, 100 * j, Rgb(0, 200, 0))) << j;
}

}  // namespace
