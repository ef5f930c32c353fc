#include <QAction>
#include <QGroupBox>
#include <QLabel>

#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "WindowLayout.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"

using namespace sx;

namespace {

const char *kTooSmall =
    "Der Zeichenbereich ist zu klein, um ein Koordinatensystem zu zeichnen! "
    "Die Menü-Option 'Koordinatensystem zeichnen' wurde deaktiviert!";

class WindowLayoutUi : public UiTest {
protected:
    // 600 x 400 pixels are 9000 x 6000 twips.
    frmVectorTable *OpenSized(int nx = 4, int ny = 3, int widthPx = 600, int heightPx = 400) {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("feld.sdx");
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), nx, ny));
        frmVectorTable *w = Open(path);
        if (w) Resize(w, widthPx, heightPx);
        return w;
    }
    static void Resize(frmVectorTable *w, int widthPx, int heightPx) {
        w->resize(widthPx, heightPx);
        w->Form_Resize();
    }
    static bool Shown(frmVectorTable *w, QWidget *c) { return c->isVisibleTo(w); }
    static bool Checked(frmVectorTable *w, const char *name) { return w->Action(name)->isChecked(); }
};

TEST_F(WindowLayoutUi, PlotAloneThenTableAndPlotSideBySide) {
    auto *w = OpenSized();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->imgVectorfield->geometry(), QRect(0, 0, 600, 400));
    EXPECT_TRUE(Shown(w, w->imgVectorfield));
    EXPECT_FALSE(Shown(w, w->grdTable));
    EXPECT_FALSE(Shown(w, w->frmHeader));
    EXPECT_FALSE(Shown(w, w->imgXAxis));

    w->mnuShowTable_Click();
    EXPECT_TRUE(Checked(w, "mnuShowTable"));
    // 4500 twips each; the plot starts at 4501 twips, one twip right of the middle
    EXPECT_TRUE(Shown(w, w->grdTable));
    EXPECT_EQ(w->grdTable->geometry(), QRect(0, 0, 300, 400));
    EXPECT_EQ(w->imgVectorfield->geometry(), QRect(300, 0, 300, 400));

    // a view toggle changes neither the document nor the undo step
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_TRUE(w->doc.Undo.Caption.empty());
    EXPECT_EQ(w->windowTitle(), "feld.sdx");
}

TEST_F(WindowLayoutUi, TableAndPlotAreNeverBothHidden) {
    auto *w = OpenSized();
    w->mnuShowVectorfield_Click();  // the table was hidden: it takes over
    EXPECT_FALSE(Checked(w, "mnuShowVectorfield"));
    EXPECT_TRUE(Checked(w, "mnuShowTable"));
    EXPECT_TRUE(Shown(w, w->grdTable));
    EXPECT_FALSE(Shown(w, w->imgVectorfield));
    EXPECT_EQ(w->grdTable->geometry(), QRect(0, 0, 600, 400));

    w->mnuShowTable_Click();  // and the plot comes back
    EXPECT_TRUE(Checked(w, "mnuShowVectorfield"));
    EXPECT_FALSE(Checked(w, "mnuShowTable"));
    EXPECT_TRUE(Shown(w, w->imgVectorfield));
    EXPECT_FALSE(Shown(w, w->grdTable));
    EXPECT_EQ(w->imgVectorfield->geometry(), QRect(0, 0, 600, 400));
}

TEST_F(WindowLayoutUi, HeaderTakesTheUpperQuarterAndThreeEqualLabels) {
    auto *w = OpenSized();
    w->mnuShowTable_Click();
    w->mnuShowHeader_Click();
    EXPECT_TRUE(Checked(w, "mnuShowHeader"));
    ASSERT_TRUE(Shown(w, w->frmHeader));
    EXPECT_EQ(w->frmHeader->title(), "File Header");
    // 6000 \ 4 = 1500 twips; table and plot from 1501 twips down
    EXPECT_EQ(w->frmHeader->geometry(), QRect(0, 0, 600, 100));
    EXPECT_EQ(w->grdTable->geometry(), QRect(0, 100, 300, 300));
    EXPECT_EQ(w->imgVectorfield->geometry(), QRect(300, 100, 300, 300));
    // labels: (9000 - 240) \ 3 = 2920 twips wide from 120, 3040 and 5960, top 240, height 1140
    EXPECT_EQ(w->lblHeader1->geometry(), QRect(8, 16, 195, 76));
    EXPECT_EQ(w->lblHeader2->x(), 203);
    EXPECT_EQ(w->lblHeader3->x(), 397);
    EXPECT_TRUE(w->lblHeader1->text().contains("Flow Type: Testfeld\n"));
    EXPECT_TRUE(w->lblHeader3->text().contains("Interrogation Points: 12\n"));

    w->mnuShowHeader_Click();
    EXPECT_FALSE(Shown(w, w->frmHeader));
    EXPECT_EQ(w->grdTable->geometry(), QRect(0, 0, 300, 400));

    // the labels are written while the header is hidden too
    w->doc.TrafoShiftX = -1.5;
    w->doc.TrafoShiftY = 1.5;
    w->ShowHeaderInfo();
    EXPECT_TRUE(w->lblHeader3->text().endsWith("x-Trafo: -1.5\ny-Trafo: +1.5"));
}

TEST_F(WindowLayoutUi, AxisStripsBesideAndBelowThePlot) {
    auto *w = OpenSized();
    w->mnuShowCoordSystem_Click();
    EXPECT_TRUE(Checked(w, "mnuShowCoordSystem"));
    // strips 495 twips (33 pixels) thick
    EXPECT_EQ(w->imgYAxis->geometry(), QRect(0, 0, 33, 367));
    EXPECT_EQ(w->imgVectorfield->geometry(), QRect(33, 0, 567, 367));
    EXPECT_EQ(w->imgXAxis->geometry(), QRect(33, 367, 567, 33));
    EXPECT_EQ(w->imgXYCorner->geometry(), QRect(0, 367, 33, 33));
    EXPECT_TRUE(Shown(w, w->imgYAxis));
    EXPECT_TRUE(Shown(w, w->imgXAxis));
    EXPECT_TRUE(Shown(w, w->imgXYCorner));

    // hiding the plot hides its strips, but the check stays
    w->mnuShowTable_Click();
    w->mnuShowVectorfield_Click();
    EXPECT_FALSE(Shown(w, w->imgXAxis));
    EXPECT_FALSE(Shown(w, w->imgYAxis));
    EXPECT_FALSE(Shown(w, w->imgXYCorner));
    EXPECT_TRUE(w->doc.View.ShowCoordSystem);
}

TEST_F(WindowLayoutUi, TooSmallForTheAxesSaysSoOnceAndDropsThem) {
    auto *w = OpenSized();
    w->mnuShowCoordSystem_Click();
    user.Answer(MsgAnswer::Ok);
    Resize(w, 600, 26);  // 390 twips: the plot is lower than 395
    ASSERT_EQ(user.MessageTexts().size(), 1u);
    const UserMessage &m = user.asked.back().message;
    EXPECT_EQ(m.text, kTooSmall);
    EXPECT_EQ(m.title, "Koordinatensystem zeichnen");
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_FALSE(w->doc.View.ShowCoordSystem);
    EXPECT_FALSE(Checked(w, "mnuShowCoordSystem"));
    EXPECT_FALSE(Shown(w, w->imgXAxis));
    EXPECT_EQ(w->imgVectorfield->geometry(), QRect(0, 0, 600, 26));

    // the axes stay off: no second message, however small
    Resize(w, 600, 20);
    Resize(w, 5, 5);
    EXPECT_EQ(user.MessageTexts().size(), 1u);

    // 27 pixels (405 twips) are just enough
    Resize(w, 600, 27);
    w->mnuShowCoordSystem_Click();
    EXPECT_EQ(user.MessageTexts().size(), 1u);
    EXPECT_TRUE(Shown(w, w->imgXAxis));
}

TEST_F(WindowLayoutUi, AspectCorrectionCentresAFlatField) {
    // 7 x 3 nodes 1 mm apart: 8 mm wide and 4 mm high with the margin cells
    SaveSetting("StartUp", "ShowInfo", "No");
    const QString path = TempPath("flach.sdx");
    ASSERT_TRUE(WriteSampleSdx(path.toStdString(), 7, 3, [](VectorDocument &d) {
        for (int i = 1; i <= 7; ++i) d.PosX(i) = i;
        d.View.AspectRatioCorrection = true;
    }));
    auto *w = Open(path);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->doc.View.AspectRatioCorrection);
    Resize(w, 600, 600);
    EXPECT_EQ(w->imgVectorfield->geometry(), QRect(0, 150, 600, 300));
}

TEST_F(WindowLayoutUi, MinimisedWindowOnlyGetsItsCaption) {
    auto *w = OpenSized();
    w->mnuShowTable_Click();
    const QRect before = w->grdTable->geometry();
    w->doc.Modified = true;
    Resize(w, 0, 0);
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");
    EXPECT_EQ(w->grdTable->geometry(), before);
}

}  // namespace
