// The bundled sample fields open in every format, and a document that does
// not bring its own colours takes them from the settings.
#include <QtTest/QTest>

#include "UiTestSupport.h"

using namespace sx;

namespace {
QString Sample(const char *name) { return QStringLiteral(STRUDELAX_SAMPLES "/") + QLatin1String(name); }
}  // namespace

TEST_F(UiTest, EveryBundledSampleOpens) {
    SaveSetting("StartUp", "ShowInfo", "No");
    for (const char *name : {"Wirbelpaar.sdx", "Wirbelpaar.dat", "Wirbelpaar.vec", "Wirbelpaar_gross.sdx"}) {
        frmVectorTable *w = Open(Sample(name));
        ASSERT_TRUE(w) << name;
        EXPECT_EQ(w->windowTitle(), QLatin1String(name));
        EXPECT_GT(w->doc.NX, 1) << name;
        EXPECT_GT(w->doc.NY, 1) << name;
        EXPECT_FALSE(w->doc.Modified);
        w->mnuClose_Click();
        QApplication::processEvents();
    }
    EXPECT_TRUE(frame->Documents().isEmpty());
}

TEST_F(UiTest, ColoursComeFromTheSettingsWithDefaultsForNonsense) {
    SaveSetting("Colors", "Vector", "255");
    SaveSetting("Colors", "BackMax", "grün");
    SaveSetting("Colors", "BackMin", "1.5");
    SaveSetting("Colors", "Trajectory", "99999999999");
    frmVectorTable *w = Open(Sample("Wirbelpaar.dat"));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->doc.Colors[ColVector], 255);
    EXPECT_EQ(w->doc.Colors[ColBackMax], Rgb(0, 255, 0));
    EXPECT_EQ(w->doc.Colors[ColBackMin], Rgb(255, 0, 0));
    EXPECT_EQ(w->doc.Colors[ColTrajectory], Rgb(0, 150, 0));
    EXPECT_EQ(w->doc.Colors[ColCoordSystem], 0);
}

TEST_F(UiTest, DaVisDocumentsAreSavedThroughSaveAsOnly) {
    frmVectorTable *w = Open(Sample("Wirbelpaar.vec"));
    ASSERT_TRUE(w);
    w->MarkModified();
    user.Answer(MsgAnswer::Ok);
    w->mnuSave_Click();
    EXPECT_EQ(user.MessageTexts().back(), "Wirbelpaar.vec? Was ist das denn für ein Dateiformat?");
    EXPECT_TRUE(w->doc.Modified);

    // Save As with the SDX filter turns a typed ".dat" into ".sdx" and the copy reads back
    user.ChooseFile(TempPath("kopie.dat"), 1);
    w->mnuSaveAs_Click();
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "kopie.sdx");
    ASSERT_TRUE(QFile::exists(TempPath("kopie.sdx")));
    frmVectorTable *copy = Open(TempPath("kopie.sdx"));
    ASSERT_TRUE(copy);
    ExpectSameField(copy->doc, w->doc);
}

TEST_F(UiTest, DatDocumentsSaveWithF3AndReadBack) {
    QFile::copy(QStringLiteral(STRUDELAX_SAMPLES "/Wirbelpaar.dat"), TempPath("feld.dat"));
    frmVectorTable *w = Open(TempPath("feld.dat"));
    ASSERT_TRUE(w);
    const int valid = w->doc.CountValid() - (w->doc.Statuses[0] > 0 ? 1 : 0);
    w->doc.Statuses[0] = StatusRemoved;
    w->MarkModified();
    // F3 where the user types: in the active document window
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QWidget *focus = QApplication::focusWidget();
    ASSERT_TRUE(focus && w->isAncestorOf(focus)) << (focus ? focus->metaObject()->className() : "no focus");
    QTest::keyClick(focus, Qt::Key_F3);
    EXPECT_FALSE(w->doc.Modified);
    frmVectorTable *back = Open(TempPath("feld.dat"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->doc.NX, w->doc.NX);
    EXPECT_EQ(back->doc.CountValid(), valid);
    EXPECT_EQ(back->doc.Status(1, 1), StatusInvalid);  // a removed node comes back invalid
}
