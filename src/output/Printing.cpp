// The print command and the printed plot: the plot drawn again on the
// printer's page by twins of the screen routines, with a frame round it.
// Without an installed printer the page goes into a PDF file.

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QMenu>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cstdint>

#include "AtomicFile.h"
#include "DerivedFields.h"
#include "Numbers.h"
#include "Paths.h"
#include "PlotGeometry.h"
#include "PrintedPlot.h"
#include "Sampling.h"
#include "document/DocumentFrame.h"
#include "document/frmVectorTable.h"
#include "output/frmPrinter.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/PrinterSurface.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

void PrintVector(PrinterSurface &printer, int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t colour) {
    const auto s = DrawVectorStrokes(x, y, dx, dy);
    if (!s) return;
    if (!s->Head) {
        printer.PSet(x, y, colour);
        return;
    }
    printer.Line(s->Foot.x, s->Foot.y, s->Tip.x, s->Tip.y, colour);
    printer.Line(s->Tip.x, s->Tip.y, s->Barb1.x, s->Barb1.y, colour);
    printer.Line(s->Tip.x, s->Tip.y, s->Barb2.x, s->Barb2.y, colour);
}

void PrintCoordSystem(PrinterSurface &printer, const VectorDocument &doc, const PrintPlacement &p) {
    const PrintedAxes axes = ComputePrintedAxes(doc, p, printer.ScaleWidth(), printer.ScaleHeight(), printer);
    const int32_t colour = doc.Colors[ColCoordSystem];
    for (const PrintedLine &l : axes.Lines) {
        printer.Dashed = l.Dashed;
        printer.Line(l.From.x, l.From.y, l.To.x, l.To.y, colour);
    }
    printer.Dashed = false;
    for (const PrintedLabel &l : axes.Labels) {
        printer.CurrentX = l.X;
        printer.CurrentY = l.Y;
        printer.Print(QString::fromStdString(l.Text));
    }
}

void PrintTrajectory(PrinterSurface &printer, const VectorDocument &doc, const PrintPlacement &p, double x0, double y0,
                     double step) {
    WaitCursor busy;
    const int width = printer.DrawWidth;
    printer.DrawWidth = 3;
    printer.Polyline(PrintedStreamline(doc, p, x0, y0, step), Rgb(0, 150, 0));
    printer.DrawWidth = width;
}

// A PDF of the page at `path`; written beside it first, so a failure leaves
// an existing file as it was.
bool PrintToPdf(frmVectorTable &w, const std::string &path, int16_t size) {
    WaitCursor busy;
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setTitle(ShownText(w.doc.FileName));
        pdf.setPageOrientation(QPageLayout::Landscape);
        PrinterSurface printer(&pdf);
        if (!printer.IsActive()) return false;
        w.PrintVectorfield(printer, size);
        if (!printer.End()) return false;
    }
    const QByteArray &pdf = bytes.data();
    return WriteFileAtomically(path, pdf.constData(), size_t(pdf.size())) == SaveResult::Ok;
}

}  // namespace

void frmVectorTable::BuildPrintItems() {
    if (!mnuFile) return;
    AddItem(mnuFile, "mnuPrint", QStringLiteral("&Drucken"), &frmVectorTable::mnuPrint_Click,
            QKeySequence(Qt::CTRL | Qt::Key_P));
}

void frmVectorTable::mnuPrint_Click() {
    const std::vector<PrinterEntry> printers = PrinterList();
    if (printers.empty()) {
        MessageBox("Auf dem System ist kein Drucker installiert!", MsgIcon::Exclamation, MsgButtons::Ok,
                   "Fehler beim Drucken");
        return;
    }
    int index = -1;
    int32_t copies = 1;
    int16_t size = 75;
    {
        frmPrinter dlg(printers, this);
        User().ShowModal(&dlg);
        if (!dlg.ClickedOk) return;
        index = dlg.SelectedPrinter();
        copies = dlg.Copies();
        size = dlg.SizePercent();
    }
    if (index < 0 || index >= static_cast<int>(printers.size())) return;
    const PrinterEntry &chosen = printers[static_cast<size_t>(index)];

    if (chosen.Pdf) {
        if (!frame_) return;
        CommonDialog &cd = frame_->CommonDlg();
        cd.Filter = QStringLiteral("PDF-Dateien (*.pdf)|*.pdf");
        cd.FilterIndex = 1;
        cd.FileName = FileNameFromBytes(BaseNameOf(doc.FilePath) + ".pdf");
        cd.Flags = 6;
        cd.DialogTitle = QString();
        if (!cd.ShowSave()) return;
        WaitCursor busy;
        std::string path = FilePathBytes(cd.FileName);
        if (FileNameOf(path).find('.') == std::string::npos) path += ".pdf";
        if (!MayWriteTarget(cd, path)) return;
        if (!PrintToPdf(*this, path, size)) MessageBox(TrajectorySaveErrorMessage());
        return;
    }

    WaitCursor busy;
    QPrinter printer(QPrinterInfo::printerInfo(chosen.Name), QPrinter::HighResolution);
    printer.setCopyCount(std::max(1, copies));
    // a plot is wider than high: the page goes landscape
    printer.setPageOrientation(QPageLayout::Landscape);
    PrinterSurface surface(&printer);
    if (!surface.IsActive()) return;  // printer not reachable: nothing printed, the program goes on
    PrintVectorfield(surface, size);
    surface.End();
}

void frmVectorTable::PrintVectorfield(PrinterSurface &printer, int16_t SizePercent) {
    WaitCursor busy;
    printer.FillSolid = true;
    const PrintArea area{0, 0, printer.ScaleWidth(), printer.ScaleHeight()};
    const auto placed = PlacePrintedPlot(doc, area, SizePercent, printer.TextWidth("000"), printer.TextHeight("000"));
    if (!placed) return;
    const PrintPlacement p = *placed;
    const PlotGeometry g = PrintedGeometry(doc, p);

    const AutoScale auto_ = AutomaticScale(doc, g.cw, g.ch);
    if (!auto_.Possible) MessageBox(ScaleImpossibleMessage());
    const double s = auto_.Scale * doc.VectorScale;  // DrawScale of the screen stays

    if (doc.View.Background != BackNone) {
        for (const CellBox &c : BackgroundCells(doc, g))
            printer.Line(static_cast<double>(c.from.x) + p.OffX, static_cast<double>(c.from.y) + p.OffY,
                         static_cast<double>(c.to.x) + p.OffX, static_cast<double>(c.to.y) + p.OffY, c.color,
                         BoxStyle::Filled);
    }

    if (const auto mark = CritPointMarkOf(doc, g, s)) {
        const int64_t cx = static_cast<int64_t>(mark->Center.x) + p.OffX;
        const int64_t cy = static_cast<int64_t>(mark->Center.y) + p.OffY;
        if (cx >= INT32_MIN && cx <= INT32_MAX && cy >= INT32_MIN && cy <= INT32_MAX) {
            const bool fillSolid = printer.FillSolid;
            const int32_t fillColor = printer.FillColor;
            printer.FillSolid = true;
            printer.FillColor = Rgb(0, 0, 0);
            printer.Circle(cx, cy, mark->Radius, Rgb(0, 0, 0));
            printer.FillSolid = fillSolid;
            printer.FillColor = fillColor;
            PrintVector(printer, static_cast<int32_t>(cx), static_cast<int32_t>(cy), mark->Step.x, mark->Step.y,
                        doc.Colors[ColVectorCrit]);
        }
    }

    // column by column, unlike the screen
    const size_t n = doc.NodeCount();
    if (doc.Statuses.size() == n && doc.Us.size() == n && doc.Vs.size() == n) {
        for (int i = 1; i <= doc.NX; ++i) {
            for (int j = 1; j <= doc.NY; ++j) {
                const int32_t st = doc.Status(i, j);
                if (st <= 0) continue;
                const auto node = PrintedNode(p, g, i, j);
                const auto du = RoundToInt32(s * doc.U(i, j)), dv = RoundToInt32(s * doc.V(i, j));
                if (!node || !du || !dv || *du == INT32_MIN || *dv == INT32_MIN) continue;
                PrintVector(printer, node->x, node->y, *du * g.sgnX, *dv * g.sgnY,
                            doc.Colors[st == StatusQuestionable ? ColVectorQuest : ColVector]);
            }
        }
    }

    PrintCoordSystem(printer, doc, p);

    const int count = std::clamp<int>(doc.Trajectories.Count, 0, kMaxTrajectories);
    for (int k = 0; k < count; ++k) {
        const size_t slot = static_cast<size_t>(k);
        PrintTrajectory(printer, doc, p, doc.Trajectories.X0[slot], doc.Trajectories.Y0[slot],
                        doc.Trajectories.Step[slot]);
    }

    printer.FillSolid = false;
    printer.Line(p.OffX, p.OffY, static_cast<double>(p.OffX) + p.W, static_cast<double>(p.OffY) + p.H, Rgb(0, 0, 0),
                 BoxStyle::Outline);
    printer.FillSolid = true;
}

}  // namespace sx
