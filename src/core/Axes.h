#pragma once
// Axes of the vector plot in millimetres: decade-based ticks, dashed grid
// lines at every tenth tick and their labels in the two axis strips.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "PlotGeometry.h"
#include "VectorDocument.h"

namespace sx {

// The ticks of one axis: t(k) = Start + k * Step for k = 0, Dir, 2*Dir .. Last.
// Step is one hundredth of the span's decade.
struct TickRun {
    double Start = 0;
    double Step = 0;
    int32_t Last = 0;
    int Dir = 1;
    double Value(int32_t k) const { return Start + k * Step; }
};
// origin: the axis' start in mm, span: its signed length, positionsGrow:
// Pos(2) > Pos(1) on that axis. Empty for a span that is 0 or not a number.
std::optional<TickRun> MakeTickRun(double origin, double span, bool positionsGrow);
// Every tenth tick (a whole multiple of ten steps) gets a grid line and a label.
bool IsLabelledTick(double t, double step);
// The label of a tick: its value snapped to the step, with a blank in front
// of a value that is not negative (" 10", " .5", "-5").
std::string TickLabel(double t, double step);

struct AxisLine {
    IntPoint From, To;
    bool Dashed = false;
};
struct AxisLabel {
    std::string Text;
    double X = 0, Y = 0;  // text position in its strip
};
struct StripSize {
    double Width = 0, Height = 0;  // inner size of an axis strip
};
struct CoordSystemLayout {
    bool XAxis = false, YAxis = false;  // false: that axis is skipped (no spacing or span)
    std::vector<AxisLine> Lines;        // on the plot in ColCoordSystem, in drawing order
    std::vector<AxisLabel> XLabels;     // in the strip below the plot
    std::vector<AxisLabel> YLabels;     // in the strip left of the plot
};

// Font size at which "0000" fills the y strip: <outerWidth * sizeNow / width of "0000">.
std::optional<double> AxisFontSize(double stripOuterWidth, double fontSizeNow, double width0000);

// Everything DrawCoordSystem draws. The metrics measure in each strip's font.
CoordSystemLayout ComputeCoordSystem(const VectorDocument &doc, const PlotGeometry &plot, StripSize xStrip,
                                     StripSize yStrip, const TextMetrics &xFont, const TextMetrics &yFont);

}  // namespace sx
