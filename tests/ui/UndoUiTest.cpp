#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "platform/Clipboard.h"
#include "platform/FlexGrid.h"

using namespace sx;

namespace {

class UndoUi : public UiTest {
protected:
    frmVectorTable *OpenTable() {
        return OpenTableWindow(3, 3, [](VectorDocument &d) {
            d.InfoText = "Erste Zeile\r\nZweite Zeile";
            d.Status(3, 3) = StatusInvalid;
        });
    }
    void EditCell(frmVectorTable *w, int row, int col, const QString &x, bool invalid = false) {
        w->grdTable->SetCurrent(row, col);
        user.InDialog("frmEditVector", [x, invalid](QDialog *d) {
            SetControlText(d, "txtXComp", x);
            SetControlChecked(d, "chkMarkAsInvalid", invalid);
            ClickControl(d, "cmdOk");
        });
        w->grdTable_KeyPress("1");
    }
    static QString UndoItem(frmVectorTable *w) {
        // the menu sets the item as it opens
        QMetaObject::invokeMethod(w->mnuEdit, "aboutToShow");
        QAction *a = w->Action("mnuUndo");
        return (a->isEnabled() ? "on: " : "off: ") + a->text();
    }
    static QString Cell(frmVectorTable *w, int row, int col) { return TableCell(w, row, col); }
};

TEST_F(UndoUi, EditThenUndoRestoresTheCellOnce) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    EXPECT_EQ(UndoItem(w), "off: Rückgängig");
    const QString before = Cell(w, 2, 2);

    EditCell(w, 2, 2, "7", true);
    EXPECT_EQ(UndoItem(w), "on: Rückgängig: Vektor bearbeiten");
    EXPECT_EQ(w->doc.ValidCount, 7);

    w->Action("mnuUndo")->trigger();
    EXPECT_DOUBLE_EQ(w->doc.U(2, 2), 1.0);
    EXPECT_EQ(w->doc.Status(2, 2), StatusValid);
    EXPECT_EQ(w->doc.ValidCount, 8);
    EXPECT_EQ(Cell(w, 2, 2), before);
    EXPECT_TRUE(w->lblHeader3->text().contains("Interrogation Points: 8\n"));
    // undo marks the document modified
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");
    EXPECT_EQ(UndoItem(w), "off: Rückgängig");

    w->mnuUndo_Click();  // nothing left: no change
    EXPECT_DOUBLE_EQ(w->doc.U(2, 2), 1.0);
}

TEST_F(UndoUi, OnlyTheLastOfTwoCommandsCanBeUndone) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    EditCell(w, 1, 1, "4");
    Clipboard::SetText("vector ( .5 ;  -1 )");
    w->grdTable->SetSelection(1, 1, 3, 3);
    w->mnuPaste_Click();
    EXPECT_EQ(UndoItem(w), "on: Rückgängig: Vektor einfügen");
    EXPECT_EQ(w->doc.ValidCount, 9);

    w->mnuUndo_Click();
    // the paste is gone, the edit before it stays
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), 4);
    EXPECT_DOUBLE_EQ(w->doc.U(3, 1), 1.5);
    EXPECT_EQ(w->doc.Status(3, 3), StatusInvalid);
    EXPECT_EQ(w->doc.ValidCount, 8);
    EXPECT_EQ(UndoItem(w), "off: Rückgängig");
    w->mnuUndo_Click();
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), 4);
}

TEST_F(UndoUi, UndoRestoresTheViewChecksButNotTheLayout) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    EditCell(w, 1, 1, "4");  // the snapshot holds the table as shown
    w->mnuShowTable_Click();
    w->mnuShowHeader_Click();
    EXPECT_FALSE(w->grdTable->isVisibleTo(w));

    w->mnuUndo_Click();
    EXPECT_TRUE(w->Action("mnuShowTable")->isChecked());
    EXPECT_FALSE(w->Action("mnuShowHeader")->isChecked());
    EXPECT_TRUE(w->doc.View.ShowTable);
    // the views follow at the next layout
    EXPECT_FALSE(w->grdTable->isVisibleTo(w));
    EXPECT_TRUE(w->frmHeader->isVisibleTo(w));
    w->Form_Resize();
    EXPECT_TRUE(w->grdTable->isVisibleTo(w));
    EXPECT_FALSE(w->frmHeader->isVisibleTo(w));
}

TEST_F(UndoUi, InfoTextCancelKeepsEverythingOkIsUndoable) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    EditCell(w, 1, 1, "4");
    w->doc.Modified = false;

    user.InDialog("frmInfoText", [](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Information zur aktuellen Datei");
        EXPECT_EQ(ControlText(d, "txtInfoText"), "Erste Zeile\nZweite Zeile");
        SetControlText(d, "txtInfoText", "verworfen");
        ClickControl(d, "cmdCancel");
    });
    w->mnuInfoText_Click();
    EXPECT_EQ(w->doc.InfoText, "Erste Zeile\r\nZweite Zeile");
    EXPECT_EQ(w->doc.Undo.Caption, "Vektor bearbeiten");
    EXPECT_FALSE(w->doc.Modified);

    user.InDialog("frmInfoText", [](QDialog *d) {
        SetControlText(d, "txtInfoText", "Neu\nund zweizeilig");
        ClickControl(d, "cmdOk");
    });
    w->mnuInfoText_Click();
    EXPECT_EQ(w->doc.InfoText, "Neu\r\nund zweizeilig");
    EXPECT_EQ(w->doc.Undo.Caption, "Info-Text bearbeiten");
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");

    w->mnuUndo_Click();
    EXPECT_EQ(w->doc.InfoText, "Erste Zeile\r\nZweite Zeile");
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), 4);
}

TEST_F(UndoUi, UndoAfterSavingMarksTheDocumentSoClosingAsks) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    EditCell(w, 2, 2, "7");
    w->mnuSave_Click();
    ASSERT_FALSE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "feld.sdx");

    // the window now shows the field from before the edit, the file the edited one
    w->mnuUndo_Click();
    EXPECT_DOUBLE_EQ(w->doc.U(2, 2), 1.0);
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");

    user.Answer(MsgAnswer::Cancel);
    w->mnuClose_Click();
    QApplication::processEvents();
    ASSERT_EQ(user.MessageTexts().size(), 1u);
    EXPECT_EQ(user.MessageTexts()[0], "Die Datei 'feld.sdx' wurde verändert. Wollen Sie vor dem Beenden speichern?");
    EXPECT_EQ(frame->Documents().size(), 1);
}

TEST_F(UndoUi, InfoTextUntouchedKeepsItsLineBreaks) {
    SaveSetting("StartUp", "ShowInfo", "No");
    const QString path = TempPath("lf.sdx");
    ASSERT_TRUE(WriteSampleSdx(path.toStdString(), 2, 2, [](VectorDocument &d) { d.InfoText = "a\nb\r\nc"; }));
    auto *w = Open(path);
    ASSERT_TRUE(w);
    user.InDialog("frmInfoText", [](QDialog *d) { ClickControl(d, "cmdOk"); });
    w->mnuInfoText_Click();
    EXPECT_EQ(w->doc.InfoText, "a\nb\r\nc");
    EXPECT_TRUE(w->doc.Modified);
}

}  // namespace
