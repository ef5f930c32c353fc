#include "PrintedPlot.h"

#include <cmath>
#include <cstdlib>

#include "Axes.h"
#include "Numbers.h"
#include "Sampling.h"

namespace sx {

namespace {

std::optional<int32_t> Sum(std::optional<int32_t> a, int64_t b) {
    if (!a) return std::nullopt;
    const int64_t s = *a + b;
    if (s < INT32_MIN || s > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(s);
}

}  // namespace

std::optional<PrintPlacement> PlacePrintedPlot(const VectorDocument &doc, const PrintArea &area, int sizePercent,
                                               double text000W, double text000H) {
    const auto h0 = RoundToInt32(area.Height * sizePercent), w0 = RoundToInt32(area.Width * sizePercent);
    if (!h0 || !w0) return std::nullopt;
    int32_t H = *h0 / 100, W = *w0 / 100;
    const bool axes = doc.View.ShowCoordSystem;
    if (axes) {
        const auto h = RoundToInt32(H - text000H), w = RoundToInt32(W - text000W);
        if (!h || !w) return std::nullopt;
        H = *h;
        W = *w;
    }
    // the printout only loses width or height, never grows
    if (doc.View.AspectRatioCorrection && doc.NX >= 2 && doc.NY >= 2 && W > 0 && H > 0) {
        const double spanX = (doc.NX + 1) * std::fabs(doc.PosX(2) - doc.PosX(1));
        const double spanY = (doc.NY + 1) * std::fabs(doc.PosY(2) - doc.PosY(1));
        const double r = spanY / spanX;
        if (std::isfinite(r) && r > 0) {
            if (static_cast<double>(H) / W < r) {
                const auto w = RoundToInt32(H / r);
                if (!w) return std::nullopt;
                W = *w;
            }
            if (W > 0 && static_cast<double>(H) / W > r) {
                const auto h = RoundToInt32(W * r);
                if (!h) return std::nullopt;
                H = *h;
            }
        }
    }
    const double stripW = axes ? text000W : 0, stripH = axes ? text000H : 0;
    const auto dy = RoundToInt32(area.Height - stripH - H), dx = RoundToInt32(area.Width + stripW - W);
    if (!dy || !dx) return std::nullopt;
    const auto offY = RoundToInt32(area.Top + *dy / 2), offX = RoundToInt32(area.Left + *dx / 2);
    if (!offY || !offX) return std::nullopt;
    return PrintPlacement{*offX, *offY, W, H};
}

PlotGeometry PrintedGeometry(const VectorDocument &doc, const PrintPlacement &p) {
    return MakePlotGeometry(doc, p.W, p.H);
}

std::optional<IntPoint> PrintedNode(const PrintPlacement &p, const PlotGeometry &g, int i, int j) {
    const auto x = Sum(RoundToInt32(i * g.cw), p.OffX), y = Sum(RoundToInt32(j * g.ch), p.OffY);
    if (!x || !y) return std::nullopt;
    return IntPoint{*x, *y};
}

std::optional<IntPoint> PrintedPoint(const VectorDocument &doc, const PrintPlacement &p, const PlotGeometry &g,
                                     double x, double y) {
    const auto px = Sum(RoundToInt32(PlotXOf(doc, g, x)), p.OffX);
    const auto py = Sum(Sum(RoundToInt32(PlotYOffsetOf(doc, g, y)), p.OffY), p.H);
    if (!px || !py) return std::nullopt;
    return IntPoint{*px, *py};
}

PrintedAxes ComputePrintedAxes(const VectorDocument &doc, const PrintPlacement &p, double pageW, double pageH,
                               const TextMetrics &font) {
    PrintedAxes out;
    if (!doc.View.ShowCoordSystem || !HasPositionMapping(doc)) return out;
    const PlotGeometry g = PrintedGeometry(doc, p);
    const int64_t left = p.OffX, right = static_cast<int64_t>(p.OffX) + p.W;
    const int64_t top = p.OffY, bottom = static_cast<int64_t>(p.OffY) + p.H;
    const auto markTop = Sum(RoundToInt32(p.H * 99.0 / 100), p.OffY);
    const auto markRight = Sum(RoundToInt32(p.W / 100.0), p.OffX);
    const double w000 = font.TextWidth("000");
    if (!markTop || !markRight) return out;

    // x axis, from the margin column before the first node
    const double sx = 2 * doc.PosX(1) - doc.PosX(2);
    const double dx = (doc.PosX(2) - doc.PosX(1)) * (doc.NX + 1);
    if (const auto run = MakeTickRun(sx, dx, doc.PosX(2) > doc.PosX(1))) {
        for (int32_t k = 0; run->Dir > 0 ? k <= run->Last : k >= run->Last; k += run->Dir) {
            const double t = run->Value(k);
            const auto X = Sum(RoundToInt32(PlotXOf(doc, g, t)), p.OffX);
            if (!X) continue;
            const bool inside = left <= *X && *X <= right;
            if (inside) out.Lines.push_back(PrintedLine{{*X, *markTop}, {*X, static_cast<int32_t>(bottom)}, false});
            if (!IsLabelledTick(t, run->Step)) continue;
            if (inside) out.Lines.push_back(PrintedLine{{*X, p.OffY}, {*X, static_cast<int32_t>(bottom)}, true});
            const std::string signed_ = TickLabel(t, run->Step);
            PrintedLabel l;
            l.Text = signed_.substr(signed_[0] == ' ' ? 1 : 0);
            const double wL = font.TextWidth(l.Text);
            const auto hw = RoundToInt32(wL);
            if (!hw) continue;
            l.Y = static_cast<double>(bottom) + 1;
            l.X = static_cast<double>(*X) - *hw / 2;
            if (l.X < 0 && *X >= left) l.X = 0;
            if (pageW < l.X + wL && *X <= right) l.X = pageW - font.TextWidth(signed_);
            if (inside) out.Labels.push_back(l);
        }
    }

    // y axis, from the margin row below the last node up to the top edge
    const int ny = doc.NY;
    const double sy = 2 * doc.PosY(ny) - doc.PosY(ny - 1);
    const double dy = (doc.PosY(1) - doc.PosY(2)) * (ny + 1);
    if (const auto run = MakeTickRun(sy, dy, doc.PosY(2) > doc.PosY(1))) {
        for (int32_t k = 0; run->Dir > 0 ? k <= run->Last : k >= run->Last; k += run->Dir) {
            const double t = run->Value(k);
            const auto Y = Sum(Sum(RoundToInt32(PlotYOffsetOf(doc, g, t)), p.OffY), p.H);
            if (!Y) continue;
            const bool inside = top <= *Y && *Y <= bottom;
            if (inside) out.Lines.push_back(PrintedLine{{p.OffX, *Y}, {*markRight, *Y}, false});
            if (!IsLabelledTick(t, run->Step)) continue;
            if (inside) out.Lines.push_back(PrintedLine{{p.OffX, *Y}, {static_cast<int32_t>(right), *Y}, true});
            const std::string signed_ = TickLabel(t, run->Step);
            PrintedLabel l;
            l.Text = signed_.substr(signed_[0] == ' ' ? 1 : 0);
            const double wL = font.TextWidth(l.Text), hL = font.TextHeight(l.Text);
            const auto hh = RoundToInt32(hL), half = RoundToInt32(wL + w000);
            if (!hh || !half) continue;
            l.Y = static_cast<double>(*Y) - *hh / 2;
            l.X = static_cast<double>(p.OffX) - *half / 2;
            if (l.Y < 0 && *Y >= top) l.Y = 0;
            if (pageH < l.Y + hL && *Y <= bottom) l.Y = pageH - font.TextHeight(signed_);
            if (inside) out.Labels.push_back(l);
        }
    }
    return out;
}

std::vector<IntPoint> PrintedStreamline(const VectorDocument &doc, const PrintPlacement &p, double x0, double y0,
                                        double step) {
    std::vector<IntPoint> points;
    if (!HasPositionMapping(doc) || !std::isfinite(step)) return points;
    const PlotGeometry g = PrintedGeometry(doc, p);
    double x = x0, y = y0;
    const auto start = PrintedPoint(doc, p, g, x, y);
    if (!start) return points;
    points.push_back(*start);
    for (int n = 0;;) {
        const Velocity v = InterpolateVector(doc, x, y);
        const double sx = v.u * step, sy = v.v * step;
        const auto next = PrintedPoint(doc, p, g, x + sx, y + sy);
        if (!next) break;
        points.push_back(*next);
        x += sx;
        y += sy;
        ++n;
        if (!((std::fabs(sx) >= 0.00001 || std::fabs(sy) >= 0.00001) && n <= kMaxPrintedSegments)) break;
    }
    return points;
}

}  // namespace sx
