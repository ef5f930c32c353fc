// Streamlines on the plot: drawing, the ring of stored starts, the step
// command and the export file with its name rules.

#include <QAction>
#include <QFile>
#include <QMenuBar>

#include "PlotTestSupport.h"

using namespace sx;
using namespace plottest;

namespace {

const int32_t kTrajectory = Rgb(0, 150, 0);

class Streamlines : public PlotUi {
protected:
    // A uniform flow to the right over 4 x 3 nodes, on a plot of 100-pixel cells.
    frmVectorTable *Open() {
        frmVectorTable *w = OpenField(4, 3);
        PlaceCells(w);
        w->DrawVectorfield();
        return w;
    }
    static QAction *ExportOption(frmVectorTable *w) {
        auto *a = new QAction(w->MenuBar());
        a->setObjectName(QStringLiteral("mnuExportTrajectory"));
        a->setCheckable(true);
        a->setChecked(true);
        return a;
    }
    static QByteArray Read(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

}  // namespace

TEST_F(Streamlines, AStreamlineFollowsTheFlowAndIsDrawnAgainWithThePlot) {
    auto *w = Open();
    PictureBox *pic = w->imgVectorfield;
    w->AddTrajectory(15, 15, 0.01);  // between the first two rows and columns
    EXPECT_EQ(w->doc.Trajectories.Count, 1);
    EXPECT_EQ(w->doc.Trajectories.Last, 1);
    EXPECT_EQ(Pixel(pic, 150, 150), kTrajectory);
    EXPECT_EQ(Pixel(pic, 390, 150), kTrajectory);  // up to the last column
    EXPECT_EQ(Pixel(pic, 420, 150), kWhite);
    EXPECT_EQ(Pixel(pic, 140, 150), kWhite);

    w->DrawVectorfield();
    EXPECT_EQ(Pixel(pic, 300, 150), kTrajectory);
    // a start outside the grid or beside an invalid node leaves nothing
    w->doc.Status(2, 3) = StatusInvalid;
    w->AddTrajectory(15, 25, 0.01);
    w->AddTrajectory(5, 5, 0.01);
    EXPECT_EQ(Pixel(pic, 170, 250), kWhite);
    // against the flow
    w->doc.Status(2, 3) = StatusValid;
    w->AddTrajectory(35, 25, -0.01);
    EXPECT_EQ(Pixel(pic, 160, 250), kTrajectory);
    EXPECT_EQ(Pixel(pic, 370, 250), kWhite);
    EXPECT_EQ(w->doc.Trajectories.Count, 4);
}

TEST_F(Streamlines, ClearingEmptiesTheRingButKeepsTheFourthValue) {
    auto *w = Open();
    TrajectoryRing &ring = w->doc.Trajectories;
    ring.Spare[0] = 7;
    w->AddTrajectory(15, 12, 0.01);
    w->AddTrajectory(33, 22, 0.01);
    EXPECT_EQ(Pixel(w->imgVectorfield, 300, 120), kTrajectory);

    w->mnuClearTrajectories_Click();
    EXPECT_EQ(ring.Count, 0);
    EXPECT_EQ(ring.Last, 0);
    EXPECT_EQ(ring.X0[0], 0);
    EXPECT_EQ(ring.Spare[0], 7);
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(Pixel(w->imgVectorfield, 300, 120), kWhite);
    EXPECT_EQ(Pixel(w->imgVectorfield, 350, 220), kWhite);

    QAction *autoClear = w->Action("mnuAutoClearTrajectories");
    ASSERT_TRUE(autoClear);
    EXPECT_TRUE(autoClear->isChecked());
    autoClear->trigger();
    EXPECT_FALSE(w->doc.View.AutoClearTrajectories);
    EXPECT_FALSE(autoClear->isChecked());
}

TEST_F(Streamlines, StepCommandReadsBothDirectionsAndTheStep) {
    auto *w = Open();
    user.Type("+-0,02");
    w->mnuTestParticle_Click();
    EXPECT_EQ(user.asked.back().title, "Stromlinie zeichnen");
    EXPECT_EQ(user.asked.back().text, "+-.01");
    EXPECT_EQ(user.asked.back().prompt,
              "Bitte geben Sie die Schrittweite als Bruchteil des Abstands zweier diagonal-benachbarten Vektoren ein:");
    EXPECT_TRUE(w->doc.BothDirections);
    EXPECT_DOUBLE_EQ(w->doc.StepFactor, 0.02);
    // a step of 0 keeps the step but not the direction choice
    user.Type("0");
    w->mnuTestParticle_Click();
    EXPECT_FALSE(w->doc.BothDirections);
    EXPECT_DOUBLE_EQ(w->doc.StepFactor, 0.02);
    w->doc.BothDirections = false;
    w->doc.StepFactor = -0.25;
    user.CancelInput();
    w->mnuTestParticle_Click();
    EXPECT_EQ(user.asked.back().text, "-.25");
    EXPECT_FALSE(w->doc.BothDirections);
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(Streamlines, ExportAsksForAFileForEveryStreamlineDrawn) {
    auto *w = Open();
    w->doc.FilePath = TempPath("run1.vec").toStdString();
    ExportOption(w);
    user.ChooseFile(TempPath("bahn.dat"), 1);
    w->AddTrajectory(15, 15, 0.01);
    const FileDialogRequest &asked = user.asked.back().file;
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.fileName, "run1 TRA");
    EXPECT_EQ(asked.filter, "Reine Text-Datei (*.txt)|*.txt|DAT-Datei (*.dat)|*.dat");
    EXPECT_EQ(asked.filterIndex, 1);
    const QByteArray text = Read(TempPath("bahn.txt"));
    // numbers carry the decimal separator of the user's locale
    const QByteArray expected =
        QByteArray("X[mm]\tY[mm]\r\n 15 \t 15 \r\n 15") + frmVectorTable::LocaleDecimalSeparator() + "1";
    EXPECT_TRUE(text.startsWith(expected)) << text.left(40).toStdString();
    EXPECT_TRUE(text.endsWith(" \r\n"));
    EXPECT_GT(text.count("\r\n"), 150);  // a point every 0.14 mm over 25 mm
    EXPECT_FALSE(QFile::exists(TempPath("bahn.dat")));
    EXPECT_EQ(Pixel(w->imgVectorfield, 300, 150), kTrajectory);

    // the DAT filter, and points closer than the export distance left out
    w->doc.ExportDistance = 1000;
    user.ChooseFile(TempPath("weg.v2.txt"), 2);
    w->AddTrajectory(15, 25, 0.01);
    EXPECT_EQ(Read(TempPath("weg.v2.dat")), "X[mm]\tY[mm]\r\n 15 \t 25 \r\n");

    // every redraw asks again, once per stored streamline
    user.ChooseFile(TempPath("a"), 1).CancelFile();
    w->DrawVectorfield();
    EXPECT_TRUE(QFile::exists(TempPath("a.txt")));
    EXPECT_EQ(Pixel(w->imgVectorfield, 300, 150), kTrajectory);
    EXPECT_EQ(Pixel(w->imgVectorfield, 300, 250), kWhite);  // cancelled: not drawn
}

TEST_F(Streamlines, ExportThatCannotBeWrittenDrawsNothing) {
    auto *w = Open();
    ExportOption(w);
    user.ChooseFile(TempPath("fehlt/bahn.txt"), 1).Answer(MsgAnswer::Ok);
    w->AddTrajectory(15, 15, 0.01);
    EXPECT_EQ(user.asked.back().message.title, "Fehler beim Speichern");
    EXPECT_EQ(user.asked.back().message.icon, MsgIcon::Exclamation);
    EXPECT_EQ(Pixel(w->imgVectorfield, 300, 150), kWhite);
    EXPECT_EQ(w->doc.Trajectories.Count, 1);  // the start is kept
}
