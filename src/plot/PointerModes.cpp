// The mouse on the vector plot: the status-line read-out, the node marker,
// the five left-button modes and the status toggle of the right button.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <cmath>

#include "Numbers.h"
#include "PointerMath.h"
#include "Sampling.h"
#include "TableText.h"
#include "document/DocumentFrame.h"
#include "document/frmVectorTable.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

const char *const kModes[] = {"mnuEditClickedVec", "mnuGalileiTrafo", "mnuTheorGalileiTrafo", "mnuCalcDistance",
                              "mnuTestParticle"};

bool Checked(const frmVectorTable &w, const char *name) {
    const QAction *a = w.Action(name);
    return a && a->isChecked();
}

void CheckMode(frmVectorTable &w, const char *chosen) {
    for (const char *m : kModes)
        if (QAction *a = w.Action(m)) a->setChecked(QByteArray(m) == chosen);
}

void SetCritPointShown(frmVectorTable &w, bool shown) {
    w.doc.View.CritPointShown = shown;
    if (QAction *a = w.Action("mnuShowCritPointData")) a->setEnabled(shown);
}

void ShowStatus(frmVectorTable &w, const std::string &text) {
    if (DocumentFrame *f = w.Frame()) f->SetStatusText(QString::fromStdString(text));
}

// Drawn twice the box disappears again.
void XorMarker(PictureBox &pic, const PlotGeometry &g, int i, int j) {
    const MarkerBox b = MarkerBoxOf(g, i, j);
    pic.XorMode = true;
    pic.Line(b.x1, b.y1, b.x2, b.y2, Rgb(255, 255, 255), BoxStyle::Filled);
    pic.XorMode = false;
    pic.update();
}

// The table cell of a node whose vector or status changed becomes the current one.
void UpdateTableCell(frmVectorTable &w, int i, int j) {
    if (!w.grdTable) return;
    w.grdTable->SetCurrent(j, i);
    w.grdTable->RefreshCell(j, i);
}

}  // namespace

void frmVectorTable::BuildLeftMouseMenu() {
    mnuLeftMouseButtonFunction = menuBar_->addMenu(QStringLiteral("&Linke Maustaste"));
    mnuLeftMouseButtonFunction->setObjectName(QStringLiteral("mnuLeftMouseButtonFunction"));
    QMenu *m = mnuLeftMouseButtonFunction;
    AddCheckItem(m, "mnuEditClickedVec", QStringLiteral("Vektor &bearbeiten"), true,
                 &frmVectorTable::mnuEditClickedVec_Click);
    AddCheckItem(m, "mnuGalileiTrafo", QStringLiteral("Galilei-Trafo zu &kritischem Punkt"), false,
                 &frmVectorTable::mnuGalileiTrafo_Click, QKeySequence(Qt::Key_F5));
    AddCheckItem(m, "mnuTheorGalileiTrafo", QStringLiteral("Theoretische &Galilei-Trafo (zwischen Vektoren)"), false,
                 &frmVectorTable::mnuTheorGalileiTrafo_Click, QKeySequence(Qt::Key_F6));
    AddCheckItem(m, "mnuCalcDistance", QStringLiteral("&Entfernungen ausmessen"), false,
                 &frmVectorTable::mnuCalcDistance_Click, QKeySequence(Qt::Key_F7));
    AddCheckItem(m, "mnuTestParticle", QStringLiteral("&Stromlinie einzeichnen"), false,
                 &frmVectorTable::mnuTestParticle_Click, QKeySequence(Qt::Key_F8));
    // the calculations menu may hold the item already
    if (!Action("mnuShowCritPointData")) {
        m->addSeparator();
        AddItem(m, "mnuShowCritPointData", QStringLiteral("&Daten zum kritischen Punkt anzeigen..."),
                &frmVectorTable::mnuShowCritPointData_Click)
            ->setEnabled(doc.View.CritPointShown);
    }

    if (imgVectorfield) {
        connect(imgVectorfield, &PictureBox::mouseDown, this,
                [this](int b, int s, double x, double y) { imgVectorfield_MouseDown(b, s, x, y); });
        connect(imgVectorfield, &PictureBox::mouseMove, this,
                [this](int b, int s, double x, double y) { imgVectorfield_MouseMove(b, s, x, y); });
        connect(imgVectorfield, &PictureBox::mouseUp, this,
                [this](int b, int s, double x, double y) { imgVectorfield_MouseUp(b, s, x, y); });
    }
}

void frmVectorTable::mnuEditClickedVec_Click() { CheckMode(*this, "mnuEditClickedVec"); }
void frmVectorTable::mnuGalileiTrafo_Click() { CheckMode(*this, "mnuGalileiTrafo"); }
void frmVectorTable::mnuTheorGalileiTrafo_Click() { CheckMode(*this, "mnuTheorGalileiTrafo"); }
void frmVectorTable::mnuCalcDistance_Click() { CheckMode(*this, "mnuCalcDistance"); }

void frmVectorTable::mnuShowCritPointData_Click() {
    MessageBox(CritPointDataText(doc, LocaleDecimalSeparator()), MsgIcon::Information, MsgButtons::Ok,
               "Daten zum kritischen Punkt");
}

void frmVectorTable::imgVectorfield_MouseDown(int Button, int, double X, double Y) {
    doc.IgnoreMouseUp = false;
    if (Button == 1 && Checked(*this, "mnuCalcDistance")) {
        const auto x = RoundToInt32(X), y = RoundToInt32(Y);
        doc.DistanceActive = x && y;
        doc.DistanceStartX = x.value_or(0);
        doc.DistanceStartY = y.value_or(0);
    } else {
        doc.DistanceActive = false;
    }
}

void frmVectorTable::imgVectorfield_MouseMove(int, int, double X, double Y) {
    if (!imgVectorfield || doc.NX < 1 || doc.NY < 1) return;
    PictureBox &pic = *imgVectorfield;
    const PlotGeometry g = MakePlotGeometry(doc, pic.ScaleWidth(), pic.ScaleHeight());
    LastI = std::clamp(LastI, 1, doc.NX);
    LastJ = std::clamp(LastJ, 1, doc.NY);
    const NodeIndex n = NodeUnderPointer(doc, g, X, Y);

    if (doc.MarkerDrawn) XorMarker(pic, g, LastI, LastJ);
    const bool byNode = !Checked(*this, "mnuCalcDistance") && !Checked(*this, "mnuTestParticle") &&
                        !Checked(*this, "mnuTheorGalileiTrafo");
    if (byNode) XorMarker(pic, g, n.i, n.j);
    doc.MarkerDrawn = byNode;
    LastI = n.i;
    LastJ = n.j;

    const bool showNode = Checked(*this, "mnuEditClickedVec") || Checked(*this, "mnuGalileiTrafo");
    ShowStatus(*this, PointerReadout(doc, g, X, Y, showNode, LocaleDecimalSeparator()));

    if (doc.DistanceActive) {
        const int32_t white = Rgb(255, 255, 255);
        pic.XorMode = true;
        pic.Line(doc.DistanceStartX, doc.DistanceStartY, LastX, LastY, white);
        pic.Line(doc.DistanceStartX, doc.DistanceStartY, X, Y, white);
        pic.XorMode = false;
        pic.update();
    }
    LastX = static_cast<float>(X);
    LastY = static_cast<float>(Y);
}

void frmVectorTable::imgVectorfield_MouseUp(int Button, int, double X, double Y) {
    if (doc.IgnoreMouseUp || !imgVectorfield || doc.NX < 1 || doc.NY < 1) return;
    PictureBox &pic = *imgVectorfield;
    const PlotGeometry g = MakePlotGeometry(doc, pic.ScaleWidth(), pic.ScaleHeight());
    const NodeIndex n = NodeUnderPointer(doc, g, X, Y);
    const int i = n.i, j = n.j;
    const char sep = LocaleDecimalSeparator();

    if (Button == 1) {
        if (Checked(*this, "mnuEditClickedVec")) {
            if (EditVectorAt(i, j)) {
                WaitCursor busy;
                SetCritPointShown(*this, false);
                doc.Modified = true;
                UpdateTableCell(*this, i, j);
                ShowHeaderInfo();
                RecalcBackground();
                DrawVectorfield();
                SetCaption();
            }
        } else if (Checked(*this, "mnuGalileiTrafo") || Checked(*this, "mnuTheorGalileiTrafo")) {
            WaitCursor busy;
            PointMm p;
            Velocity c;
            if (Checked(*this, "mnuGalileiTrafo")) {
                p = {doc.PosX(i), doc.PosY(j)};
                c = {doc.U(i, j), doc.V(i, j)};
            } else {
                p = PositionUnderPointer(doc, g, X, Y);
                c = InterpolateVector(doc, p.x, p.y);
            }
            SaveUndo("Galilei-Trafo");
            ApplyGalilei(doc, p.x, p.y, c.u, c.v);
            SetCritPointShown(*this, true);
            if (doc.View.AutoClearTrajectories) ClearTrajectories();
            doc.Modified = true;
            SetCaption();
            FillGrid();
            RecalcBackground();
            DrawVectorfield();
            ShowStatus(*this, GalileiTotalText(doc, sep));
        } else if (Checked(*this, "mnuCalcDistance")) {
            if (doc.DistanceActive) {
                doc.DistanceActive = false;
                const double px = std::fabs(doc.DistanceStartX - X), py = std::fabs(doc.DistanceStartY - Y);
                const QString label = QString::fromStdString(DistanceLabel(DragDistance(doc, g, px, py), sep));
                const double mx = (X - doc.DistanceStartX) * 0.5 + doc.DistanceStartX;
                const double my = (Y - doc.DistanceStartY) * 0.5 + doc.DistanceStartY;
                pic.Line(mx + 5, my, mx + 5 + pic.TextWidth(label), my + pic.TextHeight(label), Rgb(200, 255, 200),
                         BoxStyle::Filled);
                pic.CurrentX = mx + 5;
                pic.CurrentY = my;
                pic.Print(label);
                pic.update();
            }
        } else if (Checked(*this, "mnuTestParticle")) {
            WaitCursor busy;
            SaveUndo("Letzte Stromlinie");
            const PointMm p = PositionUnderPointer(doc, g, X, Y);
            AddTrajectory(p.x, p.y, doc.StepFactor);
            if (doc.BothDirections) AddTrajectory(p.x, p.y, -doc.StepFactor);
            // the caption catches up at the next layout pass
            doc.Modified = true;
        }
    } else if (Button == 2) {
        const int32_t status = ToggleStatus(doc, i, j);
        doc.Modified = true;
        UpdateTableCell(*this, i, j);
        ShowHeaderInfo();
        if (doc.View.AutoDrawVectorfield) {
            WaitCursor busy;
            RecalcBackground();
            DrawVectorfield();
        } else {
            const int32_t c = status == StatusChanged ? doc.Colors[ColVector] : Rgb(255, 255, 255);
            // the marker stands where the last move left it
            if (doc.MarkerDrawn) {
                XorMarker(pic, g, std::clamp(LastI, 1, doc.NX), std::clamp(LastJ, 1, doc.NY));
                doc.MarkerDrawn = false;
            }
            const auto x = RoundToInt32(i * g.cw), y = RoundToInt32(j * g.ch);
            const auto dx = RoundToInt32(doc.U(i, j) * doc.DrawScale), dy = RoundToInt32(doc.V(i, j) * doc.DrawScale);
            if (x && y && dx && dy) DrawVector(*x, *y, *dx * g.sgnX, *dy * g.sgnY, c);
            pic.update();
        }
        SetCaption();
    }
}

}  // namespace sx
