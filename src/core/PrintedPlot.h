#pragma once
// Geometry of the printed vector plot: where the plot lies on the page, its
// axes with labels beside the frame and the streamlines integrated in equal
// time steps. All in twips on the page; the printer surface draws them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "PlotGeometry.h"
#include "VectorDocument.h"

namespace sx {

// The printable area of the page, twips.
struct PrintArea {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// The printed plot's rectangle on the page.
struct PrintPlacement {
    int32_t OffX = 0, OffY = 0, W = 0, H = 0;
};

// Size, room for the axis labels (text000W/H: "000" in the printer's font),
// aspect ratio and centring. Empty when a size leaves the 32-bit range.
std::optional<PrintPlacement> PlacePrintedPlot(const VectorDocument &doc, const PrintArea &area, int sizePercent,
                                               double text000W, double text000H);

// Cell size and direction signs of the printed plot.
PlotGeometry PrintedGeometry(const VectorDocument &doc, const PrintPlacement &p);

// Node (i, j) on the page.
std::optional<IntPoint> PrintedNode(const PrintPlacement &p, const PlotGeometry &g, int i, int j);

// Page point of a position in mm; needs HasPositionMapping.
std::optional<IntPoint> PrintedPoint(const VectorDocument &doc, const PrintPlacement &p, const PlotGeometry &g,
                                     double x, double y);

struct PrintedLine {
    IntPoint From, To;
    bool Dashed = false;
};
struct PrintedLabel {
    std::string Text;
    double X = 0, Y = 0;  // text position on the page
};
struct PrintedAxes {
    std::vector<PrintedLine> Lines;  // in ColCoordSystem
    std::vector<PrintedLabel> Labels;
};
// Ticks, dashed grid lines at every tenth tick and their labels. pageW/H is
// the printable width and height that the labels keep inside. Empty while the
// coordinate system is not shown or the grid gives no position mapping.
PrintedAxes ComputePrintedAxes(const VectorDocument &doc, const PrintPlacement &p, double pageW, double pageH,
                               const TextMetrics &font);

constexpr int kMaxPrintedSegments = 50000;
// The printed streamline as a polyline: steps of the local velocity times
// the step factor, at least one segment, at most 50001. Empty on a grid
// without a position mapping or when a point leaves the 32-bit range.
std::vector<IntPoint> PrintedStreamline(const VectorDocument &doc, const PrintPlacement &p, double x0, double y0,
                                        double step);

}  // namespace sx
