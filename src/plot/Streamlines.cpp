// Streamlines: integrated anew from their stored starts at every redraw,
// drawn as one polyline each and, while the export option is on, written
// to a text file.

#include <QAction>
#include <optional>
#include <vector>

#include "AtomicFile.h"
#include "ByteSink.h"
#include "Sampling.h"
#include "document/DocumentFrame.h"
#include "document/frmVectorTable.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"
#include "plot/PlotSupport.h"

namespace sx {

void frmVectorTable::DrawTrajectory(double x0, double y0, double step) {
    if (!imgVectorfield) return;
    PictureBox &pic = *imgVectorfield;

    // the export file is chosen and opened before anything is drawn
    const QAction *exportItem = Action("mnuExportTrajectory");
    const bool exporting = exportItem && exportItem->isChecked();
    AtomicFileWriter file;
    std::optional<WaitCursor> busy;
    if (exporting) {
        if (!frame_) return;
        CommonDialog &cd = frame_->CommonDlg();
        cd.Filter = QString::fromLatin1(kTrajectoryFilter);
        cd.FilterIndex = 1;
        cd.FileName = FileNameFromBytes(TrajectoryProposedName(doc.FilePath));
        cd.Flags = 6;
        cd.DialogTitle = QString();
        {
            // a redraw under the hourglass may get here: the dialog waits without it
            WaitCursorPause ask;
            if (!cd.ShowSave()) return;
        }
        busy.emplace();
        const std::string target = TrajectoryTargetPath(FilePathBytes(cd.FileName), cd.FilterIndex);
        if (!MayWriteTarget(cd, target)) return;
        if (!file.Open(target)) {
            MessageBox(TrajectorySaveErrorMessage());
            return;
        }
    }

    if (!busy) busy.emplace();
    Streamline line;
    {
        const PlotGeometry g = MakePlotGeometry(doc, pic.ScaleWidth(), pic.ScaleHeight());
        line = TraceStreamline(doc, g, PictureBox::TwipsPerPixelX(), PictureBox::TwipsPerPixelY(), x0, y0, step);
        std::vector<QPoint> points;
        points.reserve(line.Pixels.size());
        for (const IntPoint &p : line.Pixels) points.push_back(ToQPoint(p));
        pic.Polyline(points, doc.Colors[ColTrajectory]);
        pic.update();
    }

    if (exporting) {
        // a streamline that cannot be traced still gets its header and start
        if (line.X.empty()) {
            line.X.push_back(x0);
            line.Y.push_back(y0);
        }
        AtomicFileSink sink(file);
        WriteTrajectoryText(line, doc.ExportDistance, LocaleDecimalSeparator(), sink);
        if (file.Commit() != SaveResult::Ok) MessageBox(TrajectorySaveErrorMessage());
    }
}

void frmVectorTable::AddTrajectory(double x0, double y0, double step) {
    const int slot = sx::AddTrajectory(doc.Trajectories, x0, y0, step);
    const size_t k = static_cast<size_t>(slot - 1);
    DrawTrajectory(doc.Trajectories.X0[k], doc.Trajectories.Y0[k], doc.Trajectories.Step[k]);
}

void frmVectorTable::ClearTrajectories() { sx::ClearTrajectories(doc.Trajectories); }

void frmVectorTable::mnuClearTrajectories_Click() {
    WaitCursor busy;
    SaveUndo("Stromlinien löschen");
    ClearTrajectories();
    DrawVectorfield();
    // the caption catches up at the next layout pass
    doc.Modified = true;
}

void frmVectorTable::mnuAutoClearTrajectories_Click() {
    doc.View.AutoClearTrajectories = !doc.View.AutoClearTrajectories;
    SyncViewMenus();
}

void frmVectorTable::mnuTestParticle_Click() {
    const QString answer =
        InputBox(QStringLiteral("Bitte geben Sie die Schrittweite als Bruchteil des Abstands zweier "
                                "diagonal-benachbarten Vektoren ein:"),
                 QStringLiteral("Stromlinie zeichnen"), QString::fromStdString(TestParticleDefaultText(doc)));
    const auto step = ReadStepAnswer(answer.toStdString());
    if (!step) return;
    doc.BothDirections = step->BothDirections;
    if (step->Step == 0) return;
    doc.StepFactor = step->Step;
    for (const char *mode : {"mnuEditClickedVec", "mnuGalileiTrafo", "mnuTheorGalileiTrafo", "mnuCalcDistance"})
        if (QAction *a = Action(mode)) a->setChecked(false);
    if (QAction *a = Action("mnuTestParticle")) a->setChecked(true);
}

}  // namespace sx
