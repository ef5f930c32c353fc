// The coordinate system: ticks and dashed grid lines on the plot, their
// labels in millimetres in the two axis strips.

#include <optional>

#include "Axes.h"
#include "PlotGeometry.h"
#include "document/frmVectorTable.h"
#include "platform/PictureBox.h"
#include "plot/PlotSupport.h"

namespace sx {

namespace {

StripSize SizeOf(const PictureBox *strip) {
    return strip ? StripSize{strip->ScaleWidth(), strip->ScaleHeight()} : StripSize{};
}

void PrintLabels(PictureBox *strip, const std::vector<AxisLabel> &labels) {
    if (!strip) return;
    strip->BeginPaint();
    for (const AxisLabel &l : labels) {
        strip->CurrentX = l.X;
        strip->CurrentY = l.Y;
        strip->Print(QString::fromStdString(l.Text));
    }
    strip->EndPaint();
}

}  // namespace

void frmVectorTable::DrawCoordSystem() {
    if (!doc.View.ShowCoordSystem || !imgVectorfield) return;
    PictureBox &plot = *imgVectorfield;
    if (imgXAxis) imgXAxis->Cls();
    if (imgYAxis) imgYAxis->Cls();

    // "0000" fills the width of the y strip; the x strip takes the same size
    double size = 8.25;
    if (imgYAxis) {
        imgYAxis->FontSize = 100;
        if (auto s = AxisFontSize(imgYAxis->width() * PictureBox::TwipsPerPixelX(), imgYAxis->FontSize,
                                  imgYAxis->TextWidth(QStringLiteral("0000"))))
            size = *s;
        imgYAxis->FontSize = size;
        imgYAxis->FontBold = true;
    }
    if (imgXAxis) {
        imgXAxis->FontSize = size;
        imgXAxis->FontBold = true;
    }

    const PlotGeometry g = MakePlotGeometry(doc, plot.ScaleWidth(), plot.ScaleHeight());
    NoFont none;
    std::optional<PictureFont> xf, yf;
    if (imgXAxis) xf.emplace(*imgXAxis);
    if (imgYAxis) yf.emplace(*imgYAxis);
    const CoordSystemLayout layout = ComputeCoordSystem(doc, g, SizeOf(imgXAxis), SizeOf(imgYAxis),
                                                        xf ? static_cast<const TextMetrics &>(*xf) : none,
                                                        yf ? static_cast<const TextMetrics &>(*yf) : none);

    const int32_t color = doc.Colors[ColCoordSystem];
    plot.BeginPaint();
    for (const AxisLine &l : layout.Lines) {
        plot.Dashed = l.Dashed;
        plot.Line(l.From.x, l.From.y, l.To.x, l.To.y, color);
    }
    plot.Dashed = false;
    plot.EndPaint();

    PrintLabels(imgXAxis, layout.XLabels);
    PrintLabels(imgYAxis, layout.YLabels);
}

}  // namespace sx
