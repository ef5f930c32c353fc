// The number boxes of the dialogs: which control keys each key filter lets
// through (Ctrl+V is code 22), and where each dialog stops reading a number.

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest/QTest>
#include <vector>

#include "UiTestSupport.h"
#include "document/frmEditVector.h"
#include "operations/frmFaultVectors.h"
#include "operations/frmXYTrafo.h"
#include "output/frmPicSize.h"
#include "output/frmPrinter.h"
#include "platform/Clipboard.h"

using namespace sx;

namespace {

using NumberBoxesUi = UiTest;

// Text in `box` with the caret at its end.
void Prepare(QLineEdit *box, const QString &text) {
    box->setFocus();
    box->setText(text);
    box->end(false);
}

}  // namespace

// Only digits, "-", ",", ".", the blank and codes below 20 pass: no pasting,
// no cutting, no word deletion; copying (code 3) and the keys that type
// nothing keep working, and Escape still reaches the dialog.
TEST_F(NumberBoxesUi, VectorEditorDiscardsCtrlVAndCtrlX) {
    frmEditVector d;
    d.show();
    QLineEdit *box = d.txtXComp;
    Prepare(box, QStringLiteral("1,5"));
    Clipboard::SetText(QStringLiteral("99"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("1,5"));
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("1,5"));
    EXPECT_EQ(Clipboard::GetText(), QStringLiteral("99"));
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard::GetText(), QStringLiteral("1,5"));

    box->end(false);
    QTest::keyClick(box, Qt::Key_Backspace, Qt::ControlModifier);  // 127
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);          // 26
    EXPECT_EQ(box->text(), QStringLiteral("1,5"));
    QTest::keyClicks(box, QStringLiteral("a 0E+"));
    EXPECT_EQ(box->text(), QStringLiteral("1,5 0"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(box->text(), QStringLiteral("1,5"));

    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(d.Canceled);
    EXPECT_FALSE(d.isVisible());
}

// Every control code up to 27 passes (Ctrl+V pastes); above it only what the
// box's kind admits.
TEST_F(NumberBoxesUi, FaultDialogPassesControlCodesUpTo27) {
    frmFaultVectors d;
    d.show();
    d.chkXComp->setChecked(true);
    QLineEdit *box = d.txtXCompIntMin;
    Prepare(box, QStringLiteral("-10"));
    Clipboard::SetText(QStringLiteral("-2.5"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("-2.5"));
    QTest::keyClick(box, Qt::Key_Backslash, Qt::ControlModifier);  // 28
    QTest::keyClick(box, Qt::Key_Backspace, Qt::ControlModifier);  // 127
    EXPECT_EQ(box->text(), QStringLiteral("-2.5"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, QStringLiteral(" 7"));
    EXPECT_EQ(box->text(), QStringLiteral("-2.7"));
}

// The numbers stop at a blank or a comma: "1 5" is 1, so it is not exchanged
// with a maximum of 2.
TEST_F(NumberBoxesUi, FaultDialogReadsUpToABlankOrAComma) {
    frmFaultVectors d;
    d.txtAbsIntMin->setText(QStringLiteral("1 5"));
    d.txtAbsIntMax->setText(QStringLiteral("2"));
    d.txtXCompIntMin->setText(QStringLiteral("2,5"));
    d.txtXCompIntMax->setText(QStringLiteral("2"));
    d.txtUserVectorX->setText(QStringLiteral("-1 5"));
    d.txtUserVectorY->setText(QStringLiteral("0,5"));
    d.cmdOk_Click();
    EXPECT_EQ(d.txtAbsIntMin->text(), QStringLiteral("1 5"));
    EXPECT_EQ(d.txtXCompIntMin->text(), QStringLiteral("2,5"));
    const FaultCriteria c = d.Criteria();
    EXPECT_EQ(c.AbsMin, 1.0);
    EXPECT_EQ(c.XMin, 2.0);
    EXPECT_EQ(c.UserU, -1.0);
    EXPECT_EQ(c.UserV, 0.0);
}

// Codes below 27 pass (Ctrl+V pastes), 27 and above only digits, a leading
// "-" and one point; the boxes read up to a blank or a comma.
TEST_F(NumberBoxesUi, TransformationDialogFilterAndReading) {
    frmXYTrafo d;
    d.show();
    QLineEdit *box = d.txtDeltaX;
    Prepare(box, QStringLiteral("0"));
    Clipboard::SetText(QStringLiteral("7"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("7"));
    QTest::keyClick(box, Qt::Key_BracketLeft, Qt::ControlModifier);  // 27
    QTest::keyClick(box, Qt::Key_Backspace, Qt::ControlModifier);    // 127
    QTest::keyClicks(box, QStringLiteral(",5x 1"));
    EXPECT_EQ(box->text(), QStringLiteral("7.51"));

    d.txtFakX->setText(QStringLiteral("2 5"));  // proposes the same vector factor
    d.txtFakY->setText(QStringLiteral("1,5"));
    d.txtDeltaY->setText(QStringLiteral(" -3 0"));
    const XYTrafo t = d.Values();
    EXPECT_EQ(t.FakX, 2.0);
    EXPECT_EQ(t.FakVecX, 2.0);
    EXPECT_EQ(t.FakY, 1.0);
    EXPECT_EQ(t.DeltaX, 7.51);
    EXPECT_EQ(t.DeltaY, -3.0);
}

TEST_F(NumberBoxesUi, StreamlineDistanceStopsAtABlankOrAComma) {
    frmVectorTable *w = OpenTableWindow(3, 2, [](VectorDocument &) {});
    ASSERT_TRUE(w);
    user.Type(QStringLiteral("2 5")).Answer(MsgAnswer::Ok);
    w->mnuExportTrajectory_Click();
    EXPECT_EQ(w->doc.ExportDistance, 2.0);
    EXPECT_NE(user.asked.back().message.text.find("Abstand von 2 mm"), std::string::npos);
    w->mnuExportTrajectory_Click();  // off again: asks nothing
    user.Type(QStringLiteral("0,5")).Answer(MsgAnswer::Ok);
    w->mnuExportTrajectory_Click();
    EXPECT_EQ(w->doc.ExportDistance, 0.0);
}

// "10 1" is 10 per cent, inside the allowed range; "1,5" copies are 1.
TEST_F(NumberBoxesUi, PrinterAndPictureSizeBoxesStopAtABlankOrAComma) {
    frmPrinter p(std::vector<PrinterEntry>{});
    p.txtCopies->setText(QStringLiteral("1,5"));
    p.txtSize->setText(QStringLiteral("10 1"));
    p.cmdOk_Click();
    EXPECT_TRUE(p.ClickedOk);
    EXPECT_EQ(p.Copies(), 1);
    EXPECT_EQ(p.SizePercent(), 10);

    frmPicSize s;
    s.txtxSize->setText(QStringLiteral("2 00"));
    s.txtySize->setText(QStringLiteral("200"));
    user.Answer(MsgAnswer::Ok);
    s.cmdOk_Click();  // 2 pixels wide: refused
    EXPECT_FALSE(s.ClickedOk());
    EXPECT_EQ(user.asked.back().message.title, "Ungültige Größe");
}
