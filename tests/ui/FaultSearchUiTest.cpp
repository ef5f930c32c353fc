#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "operations/frmFaultVectors.h"

using namespace sx;

namespace {

bool Enabled(QWidget *root, const char *name) {
    QWidget *w = root->findChild<QWidget *>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << name;
    return w && w->isEnabled();
}

class FaultSearchUi : public UiTest {
protected:
    // 4 x 3 nodes, U = 0.5 i, V = -j; (1, 3) invalid
    frmVectorTable *OpenField() {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("feld.sdx");
        EXPECT_TRUE(
            WriteSampleSdx(path.toStdString(), 4, 3, [](VectorDocument &d) { d.Status(1, 3) = StatusInvalid; }));
        frmVectorTable *w = Open(path);
        if (w) w->resize(600, 400);
        return w;
    }
};

}  // namespace

TEST_F(FaultSearchUi, CriterionBoxesEnableTheirControls) {
    frmFaultVectors d;
    EXPECT_TRUE(d.Canceled);
    EXPECT_FALSE(d.cmdOk->isEnabled());
    d.chkAbsInterval->setChecked(true);
    EXPECT_TRUE(Enabled(&d, "txtAbsIntMin"));
    EXPECT_FALSE(Enabled(&d, "fraCompareWith"));
    EXPECT_TRUE(d.cmdOk->isEnabled());
    EXPECT_FALSE(d.fraLogicalAndOr->isEnabled());

    d.chkDirDeviation->setChecked(true);
    EXPECT_TRUE(Enabled(&d, "fraCompareWith"));
    EXPECT_TRUE(d.optLocalMiddle->isChecked());
    for (const char *on : {"cboLocalMiddleX", "Label13", "cboLocalMiddleY", "optMedian", "optUserVector"})
        EXPECT_TRUE(Enabled(&d, on)) << on;
    for (const char *off : {"cboMedianX", "Label14", "txtUserVectorX", "Label15", "Label16"})
        EXPECT_FALSE(Enabled(&d, off)) << off;
    EXPECT_TRUE(d.fraLogicalAndOr->isEnabled());
    EXPECT_TRUE(d.optLogicalOr->isChecked());

    d.optUserVector->setChecked(true);
    EXPECT_TRUE(Enabled(&d, "txtUserVectorY"));
    EXPECT_FALSE(Enabled(&d, "cboLocalMiddleX"));

    // the comparison stays while one deviation box is ticked
    d.chkAbsDeviation->setChecked(true);
    d.chkDirDeviation->setChecked(false);
    EXPECT_TRUE(Enabled(&d, "fraCompareWith"));
    d.chkAbsDeviation->setChecked(false);
    EXPECT_FALSE(Enabled(&d, "fraCompareWith"));
    EXPECT_FALSE(d.fraLogicalAndOr->isEnabled());

    d.chkAbsInterval->setChecked(false);
    EXPECT_FALSE(d.cmdOk->isEnabled());
    d.cmdOk->click();
    EXPECT_TRUE(d.Canceled);
}

TEST_F(FaultSearchUi, OkOrdersBoundsAndKeysAreFiltered) {
    frmFaultVectors d;
    d.chkXComp->setChecked(true);
    d.txtAbsIntMin->setText("5");
    d.txtAbsIntMax->setText("2");
    d.txtXCompIntMin->setText("");
    d.txtXCompIntMax->setText("3");
    d.cmdOk->click();
    EXPECT_FALSE(d.Canceled);
    EXPECT_EQ(d.txtAbsIntMin->text(), "2");
    EXPECT_EQ(d.txtAbsIntMax->text(), "5");
    EXPECT_EQ(d.txtXCompIntMin->text(), "");

    // the filters see the whole text, also a selected one
    d.txtAbsIntMin->setEnabled(true);
    d.txtAbsIntMin->setText("1.5");
    d.txtAbsIntMin->selectAll();
    QTest::keyClicks(d.txtAbsIntMin, ".");
    EXPECT_EQ(d.txtAbsIntMin->text(), "1.5");
    d.txtAbsIntMin->setText("15");
    d.txtAbsIntMin->end(false);
    QTest::keyClicks(d.txtAbsIntMin, ",x");
    EXPECT_EQ(d.txtAbsIntMin->text(), "15.");
    d.txtXCompIntMin->setEnabled(true);
    d.txtXCompIntMin->setText("-10");
    d.txtXCompIntMin->setSelection(3, -3);
    QTest::keyClicks(d.txtXCompIntMin, "-");
    EXPECT_EQ(d.txtXCompIntMin->text(), "-10");
    QTest::keyClicks(d.txtXCompIntMin, "7");
    EXPECT_EQ(d.txtXCompIntMin->text(), "7");
    d.txtAbsDeviation->setEnabled(true);
    d.txtAbsDeviation->setText("");
    QTest::keyClicks(d.txtAbsDeviation, "12a34");
    EXPECT_EQ(d.txtAbsDeviation->text(), "123");
}

TEST_F(FaultSearchUi, SearchMarksAndInvalidatesOnYes) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->Action("mnuSearchInvalidVectors"));
    const int32_t valid = w->doc.ValidCount;
    int listCount = 0;
    QString preselected;
    user.InDialog("frmFaultVectors", [&](QDialog *d) {
        auto *cx = d->findChild<QComboBox *>("cboMedianX");
        listCount = cx->count();
        preselected = cx->currentText();
        SetControlChecked(d, "chkXComp", true);
        SetControlText(d, "txtXCompIntMin", "0");
        SetControlText(d, "txtXCompIntMax", "1.2");
        ClickControl(d, "cmdOk");
    });
    user.Answer(MsgAnswer::No);
    w->Action("mnuSearchInvalidVectors")->trigger();
    EXPECT_EQ(listCount, 4);
    EXPECT_EQ(preselected, "5");
    ASSERT_FALSE(user.asked.empty());
    const auto &m = user.asked.back().message;
    EXPECT_EQ(m.text, "Insgesamt sind 6 Vektoren fragwürdig. Sollen diese jetzt automatisch ungültig gemacht werden?");
    EXPECT_EQ(m.title, "Fragwürdige Vektoren gefunden");
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    EXPECT_EQ(w->doc.Status(3, 1), StatusQuestionable);
    EXPECT_EQ(w->doc.Status(4, 3), StatusQuestionable);
    EXPECT_EQ(w->doc.Status(2, 2), StatusValid);
    EXPECT_EQ(w->doc.ValidCount, valid);
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral(" (verändert)")));
    EXPECT_EQ(w->doc.Undo.Caption, "Ungültige Vektoren suchen");

    // a second search counts the old marks and this time invalidates them
    user.InDialog("frmFaultVectors", [](QDialog *d) {
        SetControlChecked(d, "chkYComp", true);
        SetControlChecked(d, "optYCompIntIn", true);
        SetControlText(d, "txtYCompIntMin", "-2.5");
        SetControlText(d, "txtYCompIntMax", "-3.5");  // swapped on OK
        ClickControl(d, "cmdOk");
    });
    user.Answer(MsgAnswer::Yes);
    w->Action("mnuSearchInvalidVectors")->trigger();
    EXPECT_EQ(user.MessageTexts().back(),
              "Insgesamt sind 7 Vektoren fragwürdig. Sollen diese jetzt automatisch ungültig gemacht werden?");
    EXPECT_EQ(w->doc.Status(2, 3), StatusInvalid);
    EXPECT_EQ(w->doc.Status(4, 1), StatusInvalid);
    EXPECT_EQ(w->doc.Status(1, 1), StatusValid);
    EXPECT_EQ(w->doc.ValidCount, valid - 7);
}

TEST_F(FaultSearchUi, CancelChangesNothing) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    user.InDialog("frmFaultVectors", [](QDialog *d) {
        SetControlChecked(d, "chkAbsDeviation", true);
        ClickControl(d, "cmdCancel");
    });
    w->mnuSearchInvalidVectors_Click();
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_EQ(CountQuestionable(w->doc), 0);
    EXPECT_TRUE(w->doc.Undo.Caption.empty());
}
