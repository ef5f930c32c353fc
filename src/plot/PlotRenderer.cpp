// The vector plot: background cells, the marked critical point, the arrows,
// axes, streamlines and the reference-vector legend, redrawn as a whole at
// every change; plus the view commands that belong to the plot.

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <utility>
#include <vector>

#include "DerivedFields.h"
#include "Numbers.h"
#include "PlotGeometry.h"
#include "PlotRender.h"
#include "document/frmVectorTable.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"
#include "plot/PlotSupport.h"

namespace sx {

namespace {

// Background cells go straight into the image: a filled box per node, both
// corners included, clipped to the picture. The edges are converted once per
// column and row.
void FillBackgroundCells(PictureBox &pic, const VectorDocument &doc, const PlotGeometry &g) {
    const CellGrid grid = BackgroundCellGrid(doc, g);
    if (grid.Columns.empty()) return;
    QImage &img = pic.Image();
    const int w = img.width(), h = img.height();
    auto pixels = [](const CellSpan &s, int limit, int (*toPixels)(double)) {
        const int a = toPixels(s.From), b = toPixels(s.To);
        return s.ok ? std::make_pair(std::max(0, std::min(a, b)), std::min(limit - 1, std::max(a, b)))
                    : std::make_pair(1, 0);
    };
    std::vector<std::pair<int, int>> columns;
    columns.reserve(grid.Columns.size());
    for (const CellSpan &c : grid.Columns) columns.push_back(pixels(c, w, &PictureBox::ToPixelsX));

    uchar *bits = img.bits();
    const qsizetype bpl = img.bytesPerLine();
    const ColorScale scale{doc.BackMinValue, doc.BackNullValue, doc.BackMaxValue};
    const int32_t colMin = doc.Colors[ColBackMin], colNull = doc.Colors[ColBackNull], colMax = doc.Colors[ColBackMax];
    for (int j = 1; j <= doc.NY; ++j) {
        const auto [y1, y2] = pixels(grid.Rows[static_cast<size_t>(j - 1)], h, &PictureBox::ToPixelsY);
        if (y1 > y2) continue;
        const double *values = doc.BackValues.data() + doc.Index(1, j);
        for (int i = 1; i <= doc.NX; ++i) {
            const auto [x1, x2] = columns[static_cast<size_t>(i - 1)];
            if (x1 > x2) continue;
            const int32_t c = BackgroundColor(values[i - 1], scale, colMin, colNull, colMax);
            const QRgb rgb = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
            for (int y = y1; y <= y2; ++y) {
                auto *line = reinterpret_cast<QRgb *>(bits + y * bpl);
                std::fill(line + x1, line + x2 + 1, rgb);
            }
        }
    }
    pic.update();
}

// Arrows in node order, handed to PolyPolyline in runs of one colour: a
// colour change ends the run, so that a later arrow still lies over an
// earlier one, and a huge field needs no huge buffers.
class ArrowBatch {
public:
    explicit ArrowBatch(PictureBox &pic) : pic_(pic) {
        points_.reserve(kArrows * 5);
        counts_.reserve(kArrows * 2);
    }
    void Add(const std::array<IntPoint, 5> &p, int32_t color) {
        if (color != color_) {
            Flush();
            color_ = color;
        }
        for (const IntPoint &q : p) points_.emplace_back(q.x, q.y);
        counts_.push_back(kArrowCounts[0]);
        counts_.push_back(kArrowCounts[1]);
        if (counts_.size() >= kArrows * 2) Flush();
    }
    void Flush() {
        if (!counts_.empty()) pic_.PolyPolyline(points_.data(), counts_.data(), counts_.size(), color_);
        points_.clear();
        counts_.clear();
    }

private:
    static constexpr size_t kArrows = 16384;
    PictureBox &pic_;
    int32_t color_ = 0;
    std::vector<QPoint> points_;
    std::vector<int> counts_;
};

void DrawLegend(PictureBox &pic, const VectorDocument &doc, const PlotGeometry &g, char decimalSeparator) {
    PictureFont font(pic);
    const auto L = ComputeLegend(doc, g, font, decimalSeparator);
    if (!L) return;
    pic.FillSolid = true;
    pic.FillColor = Rgb(255, 255, 255);
    pic.Line(L->X0, L->Y0, static_cast<double>(L->X0) + L->W, static_cast<double>(L->Y0) + L->H, Rgb(0, 0, 0),
             BoxStyle::Outline);
    pic.FillSolid = false;
    pic.FillColor = Rgb(0, 0, 0);
    pic.CurrentX = L->TitlePos.x;
    pic.CurrentY = L->TitlePos.y;
    pic.Print(QString::fromStdString(L->Title));
    pic.CurrentX = L->LabelPos.x;
    pic.CurrentY = L->LabelPos.y;
    pic.Print(QString::fromStdString(L->Label));
    pic.Line(L->ShaftFrom.x, L->ShaftFrom.y, L->ShaftTo.x, L->ShaftTo.y, Rgb(0, 0, 0));
    pic.Line(L->HeadFrom.x, L->HeadFrom.y, L->Barb1.x, L->Barb1.y, Rgb(0, 0, 0));
    pic.Line(L->HeadFrom.x, L->HeadFrom.y, L->Barb2.x, L->Barb2.y, Rgb(0, 0, 0));
}

}  // namespace

void frmVectorTable::DrawVectorfield() {
    if (!doc.View.ShowVectorfield || !imgVectorfield) return;
    PictureBox &pic = *imgVectorfield;
    pic.BackColor = doc.Colors[ColBackground];
    pic.Cls();
    doc.MarkerDrawn = false;
    if (!doc.View.AutoDrawVectorfield) return;

    // from the scale's pass over the field on; its message waits without it
    WaitCursor busy;
    const PlotGeometry g = MakePlotGeometry(doc, pic.ScaleWidth(), pic.ScaleHeight());
    const AutoScale scale = AutomaticScale(doc, g.cw, g.ch);
    if (!scale.Possible) MessageBox(ScaleImpossibleMessage());
    doc.DrawScale = DrawScaleOf(scale, doc);

    if (doc.View.Background != BackNone) FillBackgroundCells(pic, doc, g);

    if (const auto mark = CritPointMarkOf(doc, g, doc.DrawScale)) {
        const bool fillSolid = pic.FillSolid;
        const int32_t fillColor = pic.FillColor;
        pic.FillSolid = true;
        pic.FillColor = Rgb(0, 0, 0);
        pic.Circle(mark->Center.x, mark->Center.y, mark->Radius, Rgb(0, 0, 0));
        pic.FillSolid = fillSolid;
        pic.FillColor = fillColor;
        DrawVector(mark->Center.x, mark->Center.y, mark->Step.x, mark->Step.y, doc.Colors[ColVectorCrit]);
    }

    // arrows in device pixels
    {
        const double tppX = PictureBox::TwipsPerPixelX(), tppY = PictureBox::TwipsPerPixelY();
        const double cwPix = g.cw / tppX, chPix = g.ch / tppY;
        const double s = doc.DrawScale / tppX;
        const int32_t colVector = doc.Colors[ColVector], colQuest = doc.Colors[ColVectorQuest];
        pic.BeginPaint();
        ArrowBatch arrows(pic);
        const size_t n = doc.NodeCount();
        if (doc.Statuses.size() == n && doc.Us.size() == n && doc.Vs.size() == n) {
            for (int j = 1; j <= doc.NY; ++j) {
                for (int i = 1; i <= doc.NX; ++i) {
                    const size_t k = doc.Index(i, j);
                    const int32_t st = doc.Statuses[k];
                    if (st <= 0) continue;
                    const int32_t color = st == StatusQuestionable ? colQuest : colVector;
                    // the legend prints in the colour the last arrow left behind
                    pic.ForeColor = color;
                    const auto p = ArrowPoints(i, j, doc.Us[k], doc.Vs[k], cwPix, chPix, s, g.sgnX, g.sgnY);
                    if (!p) continue;
                    arrows.Add(*p, color);
                }
            }
        }
        arrows.Flush();
        pic.EndPaint();
        doc.DrawScale = s * tppX;
    }

    DrawCoordSystem();

    const int count = std::clamp<int>(doc.Trajectories.Count, 0, kMaxTrajectories);
    for (int k = 0; k < count; ++k)
        DrawTrajectory(doc.Trajectories.X0[static_cast<size_t>(k)], doc.Trajectories.Y0[static_cast<size_t>(k)],
                       doc.Trajectories.Step[static_cast<size_t>(k)]);

    if (doc.RefVelocity != 0) DrawLegend(pic, doc, g, LocaleDecimalSeparator());

    doc.MarkerDrawn = false;
}

void frmVectorTable::DrawVector(int32_t FromX, int32_t FromY, int32_t StepX, int32_t StepY, int32_t DrawColor) {
    if (!imgVectorfield) return;
    const auto s = DrawVectorStrokes(FromX, FromY, StepX, StepY);
    if (!s) return;
    PictureBox &pic = *imgVectorfield;
    pic.BeginPaint();
    pic.Line(s->Foot.x, s->Foot.y, s->Tip.x, s->Tip.y, DrawColor);
    pic.PSet(s->Foot.x, s->Foot.y, DrawColor);
    if (s->Head) {
        pic.Line(s->Tip.x, s->Tip.y, s->Barb1.x, s->Barb1.y, DrawColor);
        pic.Line(s->Tip.x, s->Tip.y, s->Barb2.x, s->Barb2.y, DrawColor);
    }
    pic.EndPaint();
}

void frmVectorTable::mnuAutoDrawVectorfield_Click() {
    doc.View.AutoDrawVectorfield = !doc.View.AutoDrawVectorfield;
    SyncViewMenus();
    if (!doc.View.AutoDrawVectorfield) return;
    WaitCursor busy;
    RecalcBackground();
    DrawVectorfield();
}

void frmVectorTable::mnuAspectRatioCorrection_Click() {
    doc.View.AspectRatioCorrection = !doc.View.AspectRatioCorrection;
    SyncViewMenus();
    Form_Resize();
}

void frmVectorTable::mnuVectorScale_Click() {
    const QString answer = InputBox(
        QStringLiteral("Die Vektoren werden automatisch so skaliert, daß sich der längste Vektor gerade nicht mit "
                       "einem anderen überlappen kann. Geben Sie einen Faktor ein, womit die Länge der Vektoren "
                       "ausgehend von dieser Standard-Skalierung multipliziert werden soll:"),
        QStringLiteral("Skalierung der Vektoren"), QString::fromStdString(VectorScaleDefaultText(doc.VectorScale)));
    const auto choice = ReadVectorScaleAnswer(answer.toStdString());
    if (!choice) return;
    if (choice->Message) MessageBox(*choice->Message);
    doc.VectorScale = choice->Value;
    DrawVectorfield();
}

void frmVectorTable::BuildPlotViewItems() {
    if (!mnuView) return;
    // the aspect item stands with the layout's view items when they bring it
    if (!Action("mnuAspectRatioCorrection"))
        AddCheckItem(mnuView, "mnuAspectRatioCorrection", QStringLiteral("&Seitenverhältnis 1:1"),
                     doc.View.AspectRatioCorrection, &frmVectorTable::mnuAspectRatioCorrection_Click,
                     QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuView->addSeparator();

    QMenu *back = mnuView->addMenu(QStringLiteral("Vektorfeld-Hinter&grund"));
    back->setObjectName(QStringLiteral("mnuVecFieldBackground"));
    AddCheckItem(back, "mnuNoVecBackground", QStringLiteral("&Kein Hintergrund"), true,
                 &frmVectorTable::mnuNoVecBackground_Click, QKeySequence(Qt::Key_F9));
    AddCheckItem(back, "mnuVecBackgroundFromBuffer", QStringLiteral("aus &Buffer kopieren..."), false,
                 &frmVectorTable::mnuVecBackgroundFromBuffer_Click);
    back->addSeparator();
    AddCheckItem(back, "mnuVecBackgroundSwirlSquare", QStringLiteral("(&Swirling Strength) ²     (dynamisch)"), false,
                 &frmVectorTable::mnuVecBackgroundSwirlSquare_Click, QKeySequence(Qt::Key_F11));
    AddCheckItem(back, "mnuVecBackgroundVorticity", QStringLiteral("&Vorticity                       (dynamisch)"),
                 false, &frmVectorTable::mnuVecBackgroundVorticity_Click, QKeySequence(Qt::Key_F12));

    AddCheckItem(mnuView, "mnuAutoDrawVectorfield", QStringLiteral("Vektorfeld &automatisch zeichnen"), true,
                 &frmVectorTable::mnuAutoDrawVectorfield_Click, QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddItem(mnuView, "mnuVectorScale", QStringLiteral("Vektoren s&kalieren..."), &frmVectorTable::mnuVectorScale_Click,
            QKeySequence(Qt::CTRL | Qt::Key_S));
    AddItem(mnuView, "mnuEditColors", QStringLiteral("&Farbeinstellungen..."), &frmVectorTable::mnuEditColors_Click);
    mnuView->addSeparator();
    AddItem(mnuView, "mnuClearTrajectories", QStringLiteral("Stromlinien &löschen"),
            &frmVectorTable::mnuClearTrajectories_Click, QKeySequence(Qt::CTRL | Qt::Key_X));
    AddCheckItem(mnuView, "mnuAutoClearTrajectories", QStringLiteral("Stromlinien bei Trafos &autom. löschen"), true,
                 &frmVectorTable::mnuAutoClearTrajectories_Click);

    connect(mnuView, &QMenu::aboutToShow, this, [this] { mnuView_Click(); });
}

}  // namespace sx
