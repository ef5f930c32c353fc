// The bitmap export as the user runs it: the size dialog, the save dialog,
// the written file and the window afterwards.

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QtTest/QTest>

#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "platform/PictureBox.h"

using namespace sx;

namespace {

class BitmapExportUi : public UiTest {
protected:
    frmVectorTable *OpenSample() {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("lauf07.sdx");
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), 2, 2));
        frmVectorTable *w = Open(path);
        if (!w) return nullptr;
        w->resize(500, 400);
        w->Form_Resize();
        return w;
    }
    static void Export(frmVectorTable *w) { w->Action("mnuExportVectorfieldAsBitmap")->trigger(); }
    static int Dark(const QImage &img, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (qGray(img.pixel(x, y)) < 128) ++n;
        return n;
    }
};

TEST_F(BitmapExportUi, WritesABitmapOfTheChosenSizeWithTheLegendAndRestoresTheWindow) {
    frmVectorTable *w = OpenSample();
    ASSERT_TRUE(w);
    ASSERT_EQ(w->mnuExport->actions().first()->objectName(), QStringLiteral("mnuExportVectorfieldAsBitmap"));
    const QRect plotBefore = w->imgVectorfield->geometry();
    const QString sep(QChar::fromLatin1(frmVectorTable::LocaleDecimalSeparator()));

    user.InDialog("frmPicSize", [&](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Göße des Bildes"));
        EXPECT_EQ(ControlText(d, "lblPictureSize"),
                  QStringLiteral("Dateigröße etwa: 4") + sep + QStringLiteral("000 MB"));
        EXPECT_EQ(ControlText(d, "txtRefVecAbs"), QStringLiteral("0"));
        SetControlText(d, "txtxSize", "99");
        ClickControl(d, "cmdOk");  // refused with a message
        EXPECT_TRUE(d->isVisible());
        SetControlText(d, "txtxSize", "240");
        SetControlText(d, "txtySize", "160");
        SetControlChecked(d, "chkRefLeft", true);
        EXPECT_FALSE(ControlChecked(d, "chkRefRight"));
        SetControlChecked(d, "chkRefTop", false);
        EXPECT_TRUE(ControlChecked(d, "chkRefBottom"));
        SetControlChecked(d, "chkRefBottom", false);
        EXPECT_TRUE(ControlChecked(d, "chkRefTop"));
        SetControlText(d, "txtRefVecAbs", "1");
        ClickControl(d, "cmdOk");
    });
    user.Answer(MsgAnswer::Ok);
    user.ChooseFile(TempPath("bild.csv"));
    user.Answer(MsgAnswer::Ok);
    Export(w);

    ASSERT_EQ(user.MessageTexts().size(), 2u);
    EXPECT_EQ(user.MessageTexts()[0], "Falsche Größenangaben! Höhe und Breite sollten wenigstens 100 Pixel groß sein!");
    EXPECT_EQ(user.MessageTexts()[1], "Bitmap gespeichert...");
    const auto &file = user.asked[2].file;
    EXPECT_EQ(file.fileName, QStringLiteral("lauf07"));  // the proposed name
    EXPECT_EQ(file.filter, QStringLiteral("Bitmap (*.bmp)|*.bmp"));

    QImageReader reader(TempPath("bild.bmp"));
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    const QImage img = reader.read();
    ASSERT_EQ(img.size(), QSize(240, 160));
    // the legend in the top-left margin, where no arrow reaches
    EXPECT_GT(Dark(img, 3, 3, 60, 30), 20);
    EXPECT_EQ(Dark(img, 180, 3, 230, 30), 0);
    // the frame along the top and left edge and at the right edge
    EXPECT_EQ(qGray(img.pixel(120, 0)), 0);
    EXPECT_EQ(qGray(img.pixel(239, 80)), 0);

    EXPECT_EQ(w->doc.RefVelocity, 0);
    EXPECT_EQ(w->imgVectorfield->geometry(), plotBefore);
    EXPECT_EQ(w->imgVectorfield->Image().size(), plotBefore.size());
    EXPECT_TRUE(w->imgVectorfield->isVisibleTo(w));
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(BitmapExportUi, CancelledDialogsWriteNothing) {
    frmVectorTable *w = OpenSample();
    ASSERT_TRUE(w);
    user.InDialog("frmPicSize", [](QDialog *d) {
        // typed keys go through the boxes' filters; the whole text is replaced
        auto *ref = d->findChild<QLineEdit *>("txtRefVecAbs");
        ref->selectAll();
        QTest::keyClicks(ref, "-,5-.x");
        EXPECT_EQ(ref->text(), QStringLiteral("-.5"));
        auto *width = d->findChild<QLineEdit *>("txtxSize");
        width->selectAll();
        QTest::keyClicks(width, "8a-.00012");
        EXPECT_EQ(width->text(), QStringLiteral("8000"));
        EXPECT_EQ(ControlText(d, "lblPictureSize").left(19), QStringLiteral("Dateigröße etwa: 31"));
        ClickControl(d, "cmdCancel");
    });
    Export(w);
    user.InDialog("frmPicSize", [](QDialog *d) {
        SetControlText(d, "txtRefVecAbs", "2");
        ClickControl(d, "cmdOk");
    });
    user.CancelFile();
    Export(w);
    EXPECT_TRUE(user.MessageTexts().empty());
    EXPECT_EQ(w->doc.RefVelocity, 0);
    EXPECT_FALSE(QFile::exists(TempPath("lauf07.bmp")));
}

TEST_F(BitmapExportUi, AxisStripsFrameAndWriteFailure) {
    frmVectorTable *w = OpenSample();
    ASSERT_TRUE(w);
    w->mnuShowCoordSystem_Click();
    ASSERT_TRUE(w->doc.View.ShowCoordSystem);
    const QRect stripBefore = w->imgYAxis->geometry();
    auto sized = [](QDialog *d) {
        SetControlText(d, "txtxSize", "300");
        SetControlText(d, "txtySize", "200");
        ClickControl(d, "cmdOk");
    };
    user.InDialog("frmPicSize", sized);
    user.ChooseFile(TempPath("achsen"));
    user.Answer(MsgAnswer::Ok);
    Export(w);
    const QImage img(TempPath("achsen.bmp"), "BMP");
    ASSERT_EQ(img.size(), QSize(300, 200));
    // strips a twentieth of the height (10 pixels); the frame runs along the
    // plot's left edge and where the x strip begins; the corner stays white
    EXPECT_EQ(qGray(img.pixel(10, 100)), 0);
    EXPECT_EQ(qGray(img.pixel(150, 190)), 0);
    EXPECT_EQ(Dark(img, 0, 191, 9, 199), 0);
    EXPECT_EQ(w->imgYAxis->geometry(), stripBefore);

    // a folder that is not there: the save error, no success message
    user.InDialog("frmPicSize", sized);
    user.ChooseFile(TempPath("fehlt/bild.bmp"));
    user.Answer(MsgAnswer::Ok);
    Export(w);
    ASSERT_EQ(user.MessageTexts().size(), 2u);
    EXPECT_EQ(user.asked.back().message.title, "Fehler beim Speichern");
    EXPECT_EQ(w->doc.RefVelocity, 0);
    EXPECT_EQ(w->imgYAxis->geometry(), stripBefore);
}

}  // namespace

TEST_F(BitmapExportUi, HiddenPlotGivesAnEmptyFramedPictureNotAnOlderOne) {
    frmVectorTable *w = OpenSample();
    ASSERT_TRUE(w);
    for (const char *off : {"mnuShowVectorfield", "mnuAutoDrawVectorfield"}) {
        // a window plot full of arrows first
        w->resize(700, 500);
        w->Form_Resize();
        w->DrawVectorfield();
        QAction *item = w->Action(off);
        ASSERT_TRUE(item);
        item->trigger();
        if (std::string(off) == "mnuShowVectorfield") {
            EXPECT_FALSE(w->doc.View.ShowVectorfield);
        }

        user.InDialog("frmPicSize", [](QDialog *d) {
            SetControlText(d, "txtxSize", "240");
            SetControlText(d, "txtySize", "160");
            ClickControl(d, "cmdOk");
        });
        user.ChooseFile(TempPath(QString("leer_%1").arg(off)));
        user.Answer(MsgAnswer::Ok);
        Export(w);
        const QImage img(TempPath(QString("leer_%1.bmp").arg(off)), "BMP");
        ASSERT_EQ(img.size(), QSize(240, 160)) << off;
        // the frame, and nothing inside it
        EXPECT_EQ(qGray(img.pixel(120, 0)), 0) << off;
        EXPECT_EQ(qGray(img.pixel(0, 80)), 0) << off;
        EXPECT_EQ(Dark(img, 2, 2, 236, 156), 0) << off;
        item->trigger();
    }
}
