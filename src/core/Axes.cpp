#include "Axes.h"

#include <cmath>

#include "Numbers.h"

namespace sx {

namespace {

// More ticks than a sane axis has (about 30 to 320); guards against a step
// that under- or overflowed.
constexpr int32_t kMaxTicks = 100000;

}  // namespace

std::optional<TickRun> MakeTickRun(double origin, double span, bool positionsGrow) {
    if (!std::isfinite(origin) || !std::isfinite(span) || span == 0) return std::nullopt;
    const double e = RoundHalfEven(std::log10(std::fabs(span)));
    TickRun r;
    r.Step = std::pow(10.0, e - 2);
    if (!(r.Step > 0) || !std::isfinite(r.Step)) return std::nullopt;
    r.Start = r.Step * RoundHalfEven(positionsGrow ? origin / r.Step + 0.5 : origin / r.Step - 0.5);
    auto last = RoundToInt32(span / r.Step);
    if (!last || *last > kMaxTicks || *last < -kMaxTicks || !std::isfinite(r.Start)) return std::nullopt;
    r.Last = *last;
    r.Dir = span > 0 ? 1 : -1;
    return r;
}

bool IsLabelledTick(double t, double step) { return std::fmod(RoundHalfEven(t / step), 10.0) == 0; }

std::string TickLabel(double t, double step) { return StrNumberUntrimmed(RoundHalfEven(t / step) * step); }

std::optional<double> AxisFontSize(double stripOuterWidth, double fontSizeNow, double width0000) {
    if (!(width0000 > 0)) return std::nullopt;
    auto s = RoundToInt32(stripOuterWidth * fontSizeNow / width0000);
    if (!s || *s <= 0) return std::nullopt;
    return static_cast<double>(*s);
}

CoordSystemLayout ComputeCoordSystem(const VectorDocument &doc, const PlotGeometry &plot, StripSize xStrip,
                                     StripSize yStrip, const TextMetrics &xFont, const TextMetrics &yFont) {
    CoordSystemLayout out;
    if (!HasPositionMapping(doc)) return out;
    const int nx = doc.NX, ny = doc.NY;
    const double W = plot.Width, H = plot.Height;

    auto plotW = RoundToInt32(W), plotH = RoundToInt32(H);
    auto markTop = RoundToInt32(H * 99 / 100), markLen = RoundToInt32(W / 100);
    auto xStripH = RoundToInt32(xStrip.Height), xOffset = RoundToInt32(xStrip.Width - W);
    auto yStripW = RoundToInt32(yStrip.Width), yOffset = RoundToInt32(yStrip.Height - H);
    if (!plotW || !plotH || !markTop || !markLen || !xStripH || !xOffset || !yStripW || !yOffset) return out;

    // x axis: from the margin column 0 to the right edge
    const double x0 = 2 * doc.PosX(1) - doc.PosX(2);
    const double sx = (doc.PosX(2) - doc.PosX(1)) * (nx + 1);
    if (auto run = MakeTickRun(x0, sx, doc.PosX(2) > doc.PosX(1))) {
        out.XAxis = true;
        for (int32_t k = 0; run->Dir > 0 ? k <= run->Last : k >= run->Last; k += run->Dir) {
            const double t = run->Value(k);
            auto px = RoundToInt32(PlotXOf(doc, plot, t));
            if (!px) continue;
            if (IsLabelledTick(t, run->Step)) {
                out.Lines.push_back(AxisLine{{*px, 0}, {*px, *plotH}, true});
                AxisLabel label;
                label.Text = TickLabel(t, run->Step);
                const double wL = xFont.TextWidth(label.Text), hL = xFont.TextHeight(label.Text);
                auto hwL = RoundToInt32(wL), hhL = RoundToInt32(hL);
                if (hwL && hhL) {
                    label.Y = *xStripH / 2 - *hhL / 2;
                    label.X = static_cast<double>(static_cast<int64_t>(*px) + *xOffset / 2 - *hwL / 2);
                    if (label.X < 0 && *px >= 0) label.X = 0;
                    if (label.X + wL > xStrip.Width && *px <= W) label.X = xStrip.Width - wL;
                    if (*px >= 0 && *px <= W) out.XLabels.push_back(label);
                }
            }
            out.Lines.push_back(AxisLine{{*px, *markTop}, {*px, *plotH}, false});
        }
    }

    // y axis: from the margin row NY + 1 at the bottom edge upward
    const double y0 = 2 * doc.PosY(ny) - doc.PosY(ny - 1);
    const double sy = (doc.PosY(1) - doc.PosY(2)) * (ny + 1);
    if (auto run = MakeTickRun(y0, sy, doc.PosY(2) > doc.PosY(1))) {
        out.YAxis = true;
        for (int32_t k = 0; run->Dir > 0 ? k <= run->Last : k >= run->Last; k += run->Dir) {
            const double t = run->Value(k);
            auto off = RoundToInt32(PlotYOffsetOf(doc, plot, t));
            if (!off) continue;
            auto py = RoundToInt32(H + *off);
            if (!py) continue;
            if (IsLabelledTick(t, run->Step)) {
                out.Lines.push_back(AxisLine{{0, *py}, {*plotW, *py}, true});
                AxisLabel label;
                label.Text = TickLabel(t, run->Step);
                const double wL = yFont.TextWidth(label.Text), hL = yFont.TextHeight(label.Text);
                auto hwL = RoundToInt32(wL), hhL = RoundToInt32(hL);
                if (hwL && hhL) {
                    label.X = *yStripW / 2 - *hwL / 2;
                    label.Y = static_cast<double>(static_cast<int64_t>(*py) + *yOffset / 2 - *hhL / 2);
                    if (label.Y < 0 && *py >= 0) label.Y = 0;
                    if (label.Y + hL > yStrip.Height && *py <= H) label.Y = yStrip.Height - hL;
                    if (*py >= 0 && *py <= H) out.YLabels.push_back(label);
                }
            }
            out.Lines.push_back(AxisLine{{0, *py}, {*markLen, *py}, false});
        }
    }
    return out;
}

}  // namespace sx
