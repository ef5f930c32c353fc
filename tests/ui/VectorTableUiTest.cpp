#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QTest>

#include "SampleDocument.h"
#include "TableText.h"
#include "UiTestSupport.h"
#include "document/frmEditVector.h"
#include "platform/Clipboard.h"
#include "platform/FlexGrid.h"

using namespace sx;

namespace {

// 4 x 3 nodes; row 1 holds a removed, an invalid and a questionable vector,
// (1, 2) is interpolated and (2, 2) changed by the user.
class VectorTableUi : public UiTest {
protected:
    frmVectorTable *OpenTable() {
        return OpenTableWindow(4, 3, [](VectorDocument &d) {
            d.Status(2, 1) = StatusRemoved;
            d.Status(3, 1) = StatusInvalid;
            d.Status(4, 1) = StatusQuestionable;
            d.Status(1, 2) = StatusInterpolated;
            d.Status(2, 2) = StatusChanged;
        });
    }
    static QString Sep(const char *text) {
        return QString::fromUtf8(text).replace('.', QChar::fromLatin1(frmVectorTable::LocaleDecimalSeparator()));
    }
    static QString Cell(frmVectorTable *w, int row, int col, int role = Qt::DisplayRole) {
        return TableCell(w, row, col, role);
    }
    static QColor CellColor(frmVectorTable *w, int row, int col) {
        return w->grdTable->Model()
            .data(w->grdTable->Model().index(row - 1, col - 1), Qt::ForegroundRole)
            .value<QColor>();
    }
    // The editor script: type into both boxes, optionally tick the box, Ok.
    void ScriptEdit(const QString &x, const QString &y, bool invalid = false) {
        user.InDialog("frmEditVector", [x, y, invalid](QDialog *d) {
            SetControlText(d, "txtXComp", x);
            SetControlText(d, "txtYComp", y);
            if (invalid) SetControlChecked(d, "chkMarkAsInvalid", true);
            ClickControl(d, "cmdOk");
        });
    }
};

TEST_F(VectorTableUi, FillGridShowsPositionsVectorsAndStatusColours) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    FlexGrid *g = w->grdTable;
    EXPECT_EQ(g->Rows(), 4);
    EXPECT_EQ(g->Cols(), 5);
    EXPECT_EQ(g->Model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), Sep("0.5000"));
    EXPECT_EQ(g->Model().headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), Sep("-3.0000"));
    EXPECT_EQ(Cell(w, 1, 1), Sep("(0.5000; -1.0000)"));
    EXPECT_EQ(Cell(w, 1, 1, Qt::ToolTipRole), "Geschwindigkeit in m/s");
    EXPECT_EQ(g->Model().data(g->Model().index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    // a removed node is an empty red cell, an invalid one red with its numbers
    EXPECT_EQ(Cell(w, 1, 2), "");
    EXPECT_EQ(CellColor(w, 1, 2), QColor(255, 0, 0));
    EXPECT_EQ(Cell(w, 1, 3), Sep("(1.5000; -1.0000)"));
    EXPECT_EQ(CellColor(w, 1, 3), QColor(255, 0, 0));
    EXPECT_EQ(CellColor(w, 1, 4), QColor(150, 0, 150));
    EXPECT_EQ(CellColor(w, 2, 1), QColor(100, 100, 255));
    EXPECT_EQ(CellColor(w, 2, 2), QColor(0, 150, 0));
    EXPECT_EQ(CellColor(w, 3, 3), QColor(0, 0, 0));
    // 1500 x 300 twips
    EXPECT_EQ(g->columnWidth(0), 100);
    EXPECT_EQ(g->rowHeight(0), 20);
}

TEST_F(VectorTableUi, TypedKeyEditsTheCurrentCell) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    w->doc.Trajectories.Count = 1;
    w->grdTable->SetCurrent(2, 3);  // row 2, column 3: node (3, 2)
    const int valid = w->doc.ValidCount;
    user.InDialog("frmEditVector", [](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Vektor bearbeiten");
        EXPECT_EQ(ControlText(d, "txtXComp"), Sep("1.5000000000"));
        EXPECT_EQ(ControlText(d, "txtYComp"), Sep("-2.0000000000"));
        EXPECT_FALSE(ControlChecked(d, "chkMarkAsInvalid"));
        SetControlText(d, "txtXComp", "1,5");
        SetControlText(d, "txtYComp", "1 000");
        ClickControl(d, "cmdOk");
    });
    QTest::keyClick(w->grdTable, Qt::Key_7);
    EXPECT_DOUBLE_EQ(w->doc.U(3, 2), 1.5);
    EXPECT_DOUBLE_EQ(w->doc.V(3, 2), 1000);
    EXPECT_EQ(w->doc.Status(3, 2), StatusChanged);
    EXPECT_EQ(w->doc.ValidCount, valid);
    EXPECT_EQ(w->doc.Trajectories.Count, 0);
    EXPECT_EQ(Cell(w, 2, 3), Sep("(1.5000; 1000.0000)"));
    EXPECT_EQ(CellColor(w, 2, 3), QColor(0, 150, 0));
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");
    EXPECT_EQ(w->doc.Undo.Caption, "Vektor bearbeiten");
    EXPECT_EQ(w->grdTable->Row(), 2);
    EXPECT_EQ(w->grdTable->Col(), 3);
    EXPECT_TRUE(w->TableHasFocus());
}

TEST_F(VectorTableUi, InvalidBoxAndRemovedNodesMoveTheValidCount) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    const int valid = w->doc.ValidCount;

    w->grdTable->SetCurrent(3, 4);
    ScriptEdit("2", "3", true);
    w->grdTable_KeyPress("x");
    EXPECT_EQ(w->doc.Status(4, 3), StatusInvalid);
    EXPECT_DOUBLE_EQ(w->doc.U(4, 3), 2);  // the typed components are kept all the same
    EXPECT_EQ(w->doc.ValidCount, valid - 1);
    EXPECT_EQ(CellColor(w, 3, 4), QColor(255, 0, 0));
    EXPECT_TRUE(w->lblHeader3->text().contains(QStringLiteral("Interrogation Points: %1\n").arg(valid - 1)));

    w->grdTable->SetCurrent(1, 2);  // removed
    ScriptEdit("-.25", "0");
    w->grdTable_KeyPress("x");
    EXPECT_EQ(w->doc.Status(2, 1), StatusChanged);
    EXPECT_EQ(w->doc.ValidCount, valid);
    EXPECT_EQ(Cell(w, 1, 2), Sep("(-0.2500; 0.0000)"));
}

TEST_F(VectorTableUi, CancelOrCloseBoxLeavesEverything) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    w->grdTable->SetCurrent(1, 1);
    user.InDialog("frmEditVector", [](QDialog *d) {
        SetControlText(d, "txtXComp", "9");
        ClickControl(d, "cmdCancel");
    });
    user.InDialog("frmEditVector", [](QDialog *d) {
        SetControlText(d, "txtXComp", "9");
        d->close();
    });
    w->grdTable_KeyPress("1");
    w->grdTable_KeyPress("1");
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), 0.5);
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_TRUE(w->doc.Undo.Caption.empty());
    EXPECT_EQ(w->grdTable->Row(), 1);
    EXPECT_EQ(w->grdTable->Col(), 1);
}

TEST_F(VectorTableUi, EditorFiltersTypedCharacters) {
    frmEditVector dlg;
    dlg.txtXComp->clear();
    QTest::keyClicks(dlg.txtXComp, "-1a,5 e.2");
    EXPECT_EQ(dlg.txtXComp->text(), "-1,5 .2");
    ClickControl(&dlg, "cmdOk");
    EXPECT_FALSE(dlg.Canceled);
    EXPECT_DOUBLE_EQ(dlg.XComp(), -1.5);  // reading stops at the second point
    EXPECT_EQ(dlg.Status(), StatusChanged);
    dlg.SetStatus(StatusInvalid);
    EXPECT_TRUE(dlg.chkMarkAsInvalid->isChecked());

    // Escape and Return still reach the dialog's buttons from a number box
    frmEditVector esc;
    esc.show();
    QTest::keyClick(esc.txtXComp, Qt::Key_Escape);
    EXPECT_TRUE(esc.Canceled);
    EXPECT_FALSE(esc.isVisible());
    frmEditVector ret;
    ret.show();
    QTest::keyClick(ret.txtYComp, Qt::Key_Return);
    EXPECT_FALSE(ret.Canceled);
    EXPECT_FALSE(ret.isVisible());
}

TEST_F(VectorTableUi, EnterOpensTheEditorButArrowsMove) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    w->grdTable->SetCurrent(1, 1);
    QTest::keyClick(w->grdTable, Qt::Key_Down);
    EXPECT_EQ(w->grdTable->Row(), 2);
    user.InDialog("frmEditVector", [](QDialog *d) { ClickControl(d, "cmdCancel"); });
    QTest::keyClick(w->grdTable, Qt::Key_Return);
    EXPECT_EQ(user.asked.size(), 1u);
}

TEST_F(VectorTableUi, CopyOneVectorOnly) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    w->doc.V(1, 1) = -1;
    w->grdTable->SetCurrent(1, 1);
    Clipboard::SetText("alt");
    w->mnuCopy_Click();
    EXPECT_EQ(Clipboard::GetText(), "vector ( .5 ;  -1 )");

    Clipboard::SetText("alt");
    w->grdTable->SetSelection(1, 1, 1, 2);
    user.Answer(MsgAnswer::Ok);
    w->mnuCopy_Click();
    const UserMessage &m = user.asked.back().message;
    EXPECT_EQ(m.text, "Bisher funktionieren nur einzelne Vektoren, keine ganze Auswahl mehrerer!");
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.title, "Strudelax");
    EXPECT_EQ(Clipboard::GetText(), "alt");

    // without the table nothing happens
    w->grdTable->SetCurrent(1, 1);
    w->mnuShowTable_Click();
    EXPECT_FALSE(w->TableHasFocus());
    w->mnuCopy_Click();
    EXPECT_EQ(Clipboard::GetText(), "alt");
}

TEST_F(VectorTableUi, PasteFillsTheSelectionAsOneStep) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    const int valid = w->doc.ValidCount;
    Clipboard::SetText("vector ( .5 ;  -1 )");
    // a 3 x 2 selection with the current cell at its lower right corner
    w->grdTable->SetSelection(2, 4, 1, 2);
    w->mnuPaste_Click();
    for (int i = 2; i <= 4; ++i)
        for (int j = 1; j <= 2; ++j) {
            EXPECT_EQ(w->doc.Status(i, j), StatusChanged) << i << "," << j;
            EXPECT_DOUBLE_EQ(w->doc.U(i, j), 0.5);
            EXPECT_DOUBLE_EQ(w->doc.V(i, j), -1);
            EXPECT_EQ(Cell(w, j, i), Sep("(0.5000; -1.0000)"));
        }
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), 0.5);
    EXPECT_DOUBLE_EQ(w->doc.U(4, 3), 2);
    EXPECT_EQ(w->doc.Status(1, 2), StatusInterpolated);
    // the removed and the invalid node became valid
    EXPECT_EQ(w->doc.ValidCount, valid + 2);
    EXPECT_EQ(w->doc.Undo.Caption, "Vektor einfügen");
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");
}

TEST_F(VectorTableUi, PasteRefusesForeignTextsAndNeedsTheTable) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    w->grdTable->SetCurrent(1, 1);
    for (const char *text : {"Vector ( .5 ;  -1 )", "vector ( 0.5 ;  -1 )", "vector ( .5 ;  -1 ) "}) {
        Clipboard::SetText(text);
        w->mnuPaste_Click();
    }
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_TRUE(w->doc.Undo.Caption.empty());

    Clipboard::SetText("vector ( .5 ;  -1 )");
    w->mnuShowTable_Click();
    user.Answer(MsgAnswer::Ok);
    w->mnuPaste_Click();
    EXPECT_EQ(user.asked.back().message.text, "Sie können nur in der Tabelle etwas einfügen!");
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(VectorTableUi, CopyAllAsksFirstAndWorksWithoutTheTable) {
    auto *w = OpenTable();
    ASSERT_TRUE(w);
    w->mnuShowTable_Click();
    Clipboard::SetText("alt");
    user.Answer(MsgAnswer::No);
    w->mnuCopyAll_Click();
    EXPECT_EQ(user.asked.back().message.title, "Kopieren bestätigen");
    EXPECT_EQ(user.asked.back().message.buttons, MsgButtons::YesNo);
    EXPECT_EQ(user.asked.back().message.icon, MsgIcon::Question);
    EXPECT_EQ(Clipboard::GetText(), "alt");

    user.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok);
    w->mnuCopyAll_Click();
    const QString text = Clipboard::GetText();
    EXPECT_EQ(text.toStdString(), ClipboardTableText(w->doc, frmVectorTable::LocaleDecimalSeparator()));
    EXPECT_TRUE(text.startsWith("X [mm]\tY [mm]\tVx [m/s]\tVy [m/s]\tABS(V) [m/s]\r\n"));
    EXPECT_EQ(text.count("\r\n"), 11);  // twelve nodes less the invalid one
    EXPECT_EQ(user.asked.back().message.title, "Tabelle kopiert");
    EXPECT_EQ(user.asked.back().message.icon, MsgIcon::Information);
}

}  // namespace
