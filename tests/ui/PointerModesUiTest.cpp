// The mouse on the plot: the read-out in the status line, the node marker,
// the five left-button modes and the right-button status toggle.

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <cctype>

#include "PlotTestSupport.h"
#include "platform/FlexGrid.h"

using namespace sx;
using namespace plottest;

namespace {

class PointerModes : public PlotUi {
protected:
    // 4 x 3 nodes 10 mm apart, all (1, 0) m/s, on 100-pixel cells.
    frmVectorTable *OpenPlot() {
        frmVectorTable *w = OpenField(4, 3);
        PlaceCells(w);
        w->DrawVectorfield();
        return w;
    }
    // Twips of a pixel position; node (i, j) sits at pixel (100 i, 100 j).
    static double TX(double px) { return px * PictureBox::TwipsPerPixelX(); }
    static double TY(double py) { return py * PictureBox::TwipsPerPixelY(); }
    static void Click(frmVectorTable *w, int button, double px, double py) {
        w->imgVectorfield_MouseDown(button, 0, TX(px), TY(py));
        w->imgVectorfield_MouseUp(button, 0, TX(px), TY(py));
    }
    static void Mode(frmVectorTable *w, const char *name) { w->Action(name)->trigger(); }
    static std::string Sep(const char *text) {
        std::string s = text;
        // only the points inside numbers
        for (size_t k = 1; k + 1 < s.size(); ++k)
            if (s[k] == '.' && isdigit(static_cast<unsigned char>(s[k - 1])) &&
                isdigit(static_cast<unsigned char>(s[k + 1])))
                s[k] = frmVectorTable::LocaleDecimalSeparator();
        return s;
    }
    std::string Status() const { return frame->StatusTextCaption().toStdString(); }
};

}  // namespace

TEST_F(PointerModes, TheMenuHoldsFiveRadioItemsOfWhichOneIsChecked) {
    auto *w = OpenPlot();
    const std::pair<const char *, const char *> items[] = {
        {"mnuEditClickedVec", "Vektor &bearbeiten"},
        {"mnuGalileiTrafo", "Galilei-Trafo zu &kritischem Punkt"},
        {"mnuTheorGalileiTrafo", "Theoretische &Galilei-Trafo (zwischen Vektoren)"},
        {"mnuCalcDistance", "&Entfernungen ausmessen"},
        {"mnuTestParticle", "&Stromlinie einzeichnen"}};
    EXPECT_EQ(w->mnuLeftMouseButtonFunction->title(), "&Linke Maustaste");
    for (const auto &[name, caption] : items) EXPECT_EQ(w->Action(name)->text(), QString::fromUtf8(caption));
    EXPECT_TRUE(w->Action("mnuEditClickedVec")->isChecked());
    EXPECT_FALSE(w->Action("mnuShowCritPointData")->isEnabled());

    Mode(w, "mnuCalcDistance");
    Mode(w, "mnuCalcDistance");  // choosing it again keeps it
    for (const auto &[name, caption] : items)
        EXPECT_EQ(w->Action(name)->isChecked(), std::string(name) == "mnuCalcDistance") << name;
    // the streamline item asks for its step first
    user.Type("0.02");
    Mode(w, "mnuTestParticle");
    EXPECT_TRUE(w->Action("mnuTestParticle")->isChecked());
    EXPECT_FALSE(w->Action("mnuCalcDistance")->isChecked());
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(PointerModes, TheReadOutShowsTheNodeOrThePositionWithItsEstimate) {
    auto *w = OpenPlot();
    w->doc.U(2, 3) = -0.25;
    w->imgVectorfield_MouseMove(0, 0, TX(210), TY(290));
    EXPECT_EQ(Status(), Sep("Galilei gesamt: (0.0000, 0.0000) m/s.  Sie zeigen auf den Vektor (-0.2500, 0.0000) m/s "
                            "mit dem Ursprung in (20.0000, 30.0000) mm."));
    // the node of a pointer exactly half way has the even index
    w->imgVectorfield_MouseMove(0, 0, TX(250), TY(150));
    EXPECT_EQ(w->LastI, 2);
    EXPECT_EQ(w->LastJ, 2);

    Mode(w, "mnuTheorGalileiTrafo");
    w->imgVectorfield_MouseMove(0, 0, TX(150), TY(250));
    EXPECT_EQ(Status(), Sep("Galilei gesamt: (0.0000, 0.0000) m/s.  Sie zeigen auf (15.0000, 25.0000) mm. "
                            "Geschätzter Vektor (0.6875, 0.0000) m/s."));
    // over the margin: a position outside the node box and no estimate; the
    // background value is that of the border node
    w->doc.View.Background = BackVorticity;
    w->doc.BackValue(1, 1) = 0.5;
    w->imgVectorfield_MouseMove(0, 0, TX(20), TY(30));
    EXPECT_EQ(Status(), Sep("Galilei gesamt: (0.0000, 0.0000) m/s.  Sie zeigen auf (2.0000, 3.0000) mm. "
                            "Geschätzter Vektor (0.0000, 0.0000) m/s.  Vorticity: 0.5000 1/s."));
    w->doc.View.Background = BackSwirlSquare;
    w->imgVectorfield_MouseMove(0, 0, TX(20), TY(30));
    const std::string tail = Sep("  Swirling Strength: 0.5000 1/s².");
    EXPECT_EQ(Status().substr(Status().size() - tail.size()), tail);
}

TEST_F(PointerModes, TheMarkerBoxFollowsThePointerAndLeavesThePictureAsItWas) {
    auto *w = OpenPlot();
    PictureBox *pic = w->imgVectorfield;
    const int32_t before = Pixel(pic, 95, 205);
    w->imgVectorfield_MouseMove(0, 0, TX(110), TY(190));
    EXPECT_TRUE(w->doc.MarkerDrawn);
    EXPECT_EQ(Pixel(pic, 95, 205), before ^ 0xFFFFFF);  // box of node (1, 2): 20 pixels each way
    EXPECT_EQ(Pixel(pic, 75, 225), before);
    w->imgVectorfield_MouseMove(0, 0, TX(115), TY(195));  // same node: drawn again
    EXPECT_EQ(Pixel(pic, 95, 205), before ^ 0xFFFFFF);
    w->imgVectorfield_MouseMove(0, 0, TX(300), TY(300));
    EXPECT_EQ(Pixel(pic, 95, 205), before);
    // modes that read out a position show no box
    Mode(w, "mnuCalcDistance");
    const int32_t atNode = Pixel(pic, 295, 295);
    w->imgVectorfield_MouseMove(0, 0, TX(300), TY(300));
    EXPECT_FALSE(w->doc.MarkerDrawn);
    EXPECT_EQ(Pixel(pic, 295, 295), atNode ^ 0xFFFFFF);  // the old box went away
    EXPECT_EQ(Pixel(pic, 95, 205), before);
}

TEST_F(PointerModes, TheRightButtonTogglesTheStatusInEveryModeWithoutUndo) {
    auto *w = OpenPlot();
    // after loading a release counts only after a press on the plot
    w->imgVectorfield_MouseUp(2, 0, TX(200), TY(200));
    EXPECT_EQ(w->doc.Status(2, 2), StatusValid);
    Mode(w, "mnuGalileiTrafo");
    w->doc.Status(1, 1) = StatusRemoved;
    w->doc.Status(2, 1) = StatusQuestionable;
    w->doc.Status(3, 1) = StatusInterpolated;
    w->doc.Status(4, 1) = StatusInvalid;
    w->doc.U(1, 1) = 3;
    w->doc.ValidCount = w->doc.CountValid();  // 10
    Click(w, 2, 100, 100);
    Click(w, 2, 200, 100);
    Click(w, 2, 300, 100);
    Click(w, 2, 20, 30);  // the margin takes the border node (1, 1) again
    EXPECT_EQ(w->doc.Status(1, 1), StatusInvalid);
    EXPECT_EQ(w->doc.Status(2, 1), StatusChanged);
    EXPECT_EQ(w->doc.Status(3, 1), StatusInvalid);
    EXPECT_EQ(w->doc.ValidCount, 9);
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), 3);  // its components stay
    EXPECT_EQ(w->doc.Undo.Caption, "");
    EXPECT_TRUE(w->windowTitle().endsWith(" (verändert)"));
    EXPECT_EQ(w->grdTable->Row(), 1);
    EXPECT_EQ(w->grdTable->Col(), 1);
    EXPECT_EQ(w->doc.GalileiU, 0);  // the left-button mode did nothing

    // the same through the picture's own mouse events
    QTest::mouseClick(w->imgVectorfield, Qt::RightButton, {}, QPoint(400, 300));
    EXPECT_EQ(w->doc.Status(4, 3), StatusInvalid);
}

TEST_F(PointerModes, WithoutAutomaticDrawingOnlyTheArrowIsRedrawn) {
    auto *w = OpenPlot();
    PictureBox *pic = w->imgVectorfield;
    w->doc.View.Background = BackFromBuffer;
    for (auto &b : w->doc.BackValues) b = 1;  // green cells
    w->DrawVectorfield();
    w->doc.View.AutoDrawVectorfield = false;
    const int32_t blue = Rgb(0, 0, 255), green = Rgb(0, 255, 0);
    EXPECT_EQ(Pixel(pic, 150, 200), blue);
    w->imgVectorfield_MouseMove(0, 0, TX(100), TY(200));
    Click(w, 2, 100, 200);
    EXPECT_FALSE(w->doc.MarkerDrawn);
    EXPECT_EQ(Pixel(pic, 150, 200), kWhite);  // white over the background
    EXPECT_EQ(Pixel(pic, 95, 195), green);    // the marker went away
    Click(w, 2, 100, 200);
    EXPECT_EQ(Pixel(pic, 150, 200), blue);
}

TEST_F(PointerModes, GalileiByNodeSubtractsTheClickedVectorFromValidNodes) {
    auto *w = OpenPlot();
    Mode(w, "mnuGalileiTrafo");
    w->doc.U(2, 2) = 1.5;
    w->doc.V(2, 2) = -0.5;
    w->doc.Status(4, 3) = StatusInvalid;
    w->doc.Trajectories.Count = 1;
    Click(w, 1, 200, 200);
    EXPECT_DOUBLE_EQ(w->doc.U(2, 2), 0);
    EXPECT_DOUBLE_EQ(w->doc.V(2, 2), 0);
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), -0.5);
    EXPECT_DOUBLE_EQ(w->doc.V(1, 1), 0.5);
    EXPECT_DOUBLE_EQ(w->doc.U(4, 3), 1);  // not valid: kept
    EXPECT_EQ(w->doc.Undo.Caption, "Galilei-Trafo");
    EXPECT_EQ(w->doc.Trajectories.Count, 0);
    EXPECT_TRUE(w->Action("mnuShowCritPointData")->isEnabled());
    EXPECT_TRUE(w->windowTitle().endsWith(" (verändert)"));
    EXPECT_EQ(Status(), Sep("Galilei gesamt: (1.5000, -0.5000) m/s."));

    // the same node again subtracts its new vector, zero; another one adds up
    Click(w, 1, 200, 200);
    EXPECT_DOUBLE_EQ(w->doc.GalileiU, 1.5);
    Click(w, 1, 300, 300);
    EXPECT_DOUBLE_EQ(w->doc.GalileiU, 1);
    EXPECT_DOUBLE_EQ(w->doc.GalileiV, 0);
    EXPECT_DOUBLE_EQ(w->doc.CritPointX, 30);
    EXPECT_DOUBLE_EQ(w->doc.CritPointY, 30);

    user.Answer(MsgAnswer::Ok);
    w->Action("mnuShowCritPointData")->trigger();
    ASSERT_EQ(user.asked.size(), 1u);
    const UserMessage &m = user.asked[0].message;
    EXPECT_EQ(m.title, "Daten zum kritischen Punkt");
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.text, Sep("Koordinaten des kritischen Punktes:\r\n\tx =30.0000 mm\r\n\ty =30.0000 mm\r\n"
                          "Konvektionsgeschwindigkeit:\r\n\tvx=1.0000 m/s\r\n\tvy=0.0000 m/s\r\n"));
}

TEST_F(PointerModes, TheoreticalGalileiUsesTheEstimateAndRecordsEvenWithout) {
    auto *w = OpenPlot();
    Mode(w, "mnuTheorGalileiTrafo");
    w->doc.U(2, 1) = 3;  // estimate half way between (1, 1) and (2, 1): 2
    Click(w, 1, 150, 100);
    EXPECT_DOUBLE_EQ(w->doc.GalileiU, 2);
    EXPECT_DOUBLE_EQ(w->doc.CritPointX, 15);
    EXPECT_DOUBLE_EQ(w->doc.U(3, 3), -1);

    w->doc.Undo.Caption.clear();
    Click(w, 1, 30, 30);  // margin: no estimate, but recorded all the same
    EXPECT_DOUBLE_EQ(w->doc.GalileiU, 2);
    EXPECT_DOUBLE_EQ(w->doc.CritPointX, 3);
    EXPECT_EQ(w->doc.Undo.Caption, "Galilei-Trafo");
}

TEST_F(PointerModes, EditingTheClickedVectorThroughTheDialog) {
    auto *w = OpenPlot();
    w->doc.View.CritPointShown = true;
    w->SyncViewMenus();
    w->doc.Trajectories.Count = 1;
    w->doc.Status(3, 2) = StatusInvalid;
    w->doc.ValidCount = 11;
    user.InDialog("frmEditVector", [](QDialog *d) {
        EXPECT_EQ(ControlText(d, "txtXComp").toStdString(), Sep("1.0000000000"));
        SetControlText(d, "txtXComp", "2,5");
        SetControlText(d, "txtYComp", "-1");
        ClickControl(d, "cmdOk");
    });
    Click(w, 1, 290, 210);
    EXPECT_DOUBLE_EQ(w->doc.U(3, 2), 2.5);
    EXPECT_DOUBLE_EQ(w->doc.V(3, 2), -1);
    EXPECT_EQ(w->doc.Status(3, 2), StatusChanged);
    EXPECT_EQ(w->doc.ValidCount, 12);
    EXPECT_EQ(w->doc.Undo.Caption, "Vektor bearbeiten");
    EXPECT_FALSE(w->Action("mnuShowCritPointData")->isEnabled());
    EXPECT_EQ(w->doc.Trajectories.Count, 1);  // kept, unlike the table edit
    EXPECT_EQ(w->grdTable->Row(), 2);
    EXPECT_EQ(w->grdTable->Col(), 3);
    EXPECT_TRUE(w->windowTitle().endsWith(" (verändert)"));

    // cancelled: nothing at all
    w->doc.Undo.Caption.clear();
    user.InDialog("frmEditVector", [](QDialog *d) {
        SetControlText(d, "txtXComp", "9");
        ClickControl(d, "cmdCancel");
    });
    Click(w, 1, 100, 100);
    EXPECT_DOUBLE_EQ(w->doc.U(1, 1), 1);
    EXPECT_EQ(w->doc.Undo.Caption, "");
}

TEST_F(PointerModes, ADistanceDragLabelsThePlotAndChangesNothing) {
    auto *w = OpenPlot();
    PictureBox *pic = w->imgVectorfield;
    Mode(w, "mnuCalcDistance");
    w->imgVectorfield_MouseDown(1, 0, TX(100), TY(100));
    EXPECT_TRUE(w->doc.DistanceActive);
    w->imgVectorfield_MouseMove(1, 0, TX(400), TY(140));
    EXPECT_NE(Pixel(pic, 250, 120), kWhite);  // the rubber band
    w->imgVectorfield_MouseMove(1, 0, TX(400), TY(500));
    EXPECT_EQ(Pixel(pic, 250, 120), kWhite);  // the old band is gone
    w->imgVectorfield_MouseUp(1, 0, TX(400), TY(500));
    EXPECT_FALSE(w->doc.DistanceActive);
    // 3 cells across, 4 cells down: 50 mm; the label box sits right of the midpoint
    int box = 0;
    for (int y = 300; y < 310; ++y)
        for (int x = 251; x < 290; ++x) box += Pixel(pic, x, y) == Rgb(200, 255, 200);
    EXPECT_GT(box, 100);
    EXPECT_EQ(Pixel(pic, 245, 305), kWhite);
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_EQ(w->doc.Undo.Caption, "");

    // a press in another mode ends a measurement without a label
    w->imgVectorfield_MouseDown(1, 0, TX(100), TY(100));
    w->imgVectorfield_MouseDown(2, 0, TX(100), TY(100));
    EXPECT_FALSE(w->doc.DistanceActive);
}

TEST_F(PointerModes, ATestParticleClickStoresStreamlinesInBothDirections) {
    auto *w = OpenPlot();
    user.Type("+-0.01");
    Mode(w, "mnuTestParticle");
    const QString captionBefore = w->windowTitle();
    Click(w, 1, 250, 150);
    EXPECT_EQ(w->doc.Trajectories.Count, 2);
    EXPECT_DOUBLE_EQ(w->doc.Trajectories.X0[0], 25);
    EXPECT_DOUBLE_EQ(w->doc.Trajectories.Y0[0], 15);
    EXPECT_DOUBLE_EQ(w->doc.Trajectories.Step[1], -0.01);
    EXPECT_EQ(w->doc.Undo.Caption, "Letzte Stromlinie");
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), captionBefore);
    EXPECT_EQ(Pixel(w->imgVectorfield, 350, 150), Rgb(0, 150, 0));
}
