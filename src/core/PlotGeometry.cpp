#include "PlotGeometry.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "DerivedFields.h"
#include "Numbers.h"

namespace sx {

namespace {

// Collects integer conversions of one drawn item; a single failure spoils it.
struct IntGuard {
    bool ok = true;
    int32_t R(double x) {
        auto r = RoundToInt32(x);
        if (!r) {
            ok = false;
            return 0;
        }
        return *r;
    }
    int32_t S(int64_t x) {
        if (x < std::numeric_limits<int32_t>::min() || x > std::numeric_limits<int32_t>::max()) {
            ok = false;
            return 0;
        }
        return static_cast<int32_t>(x);
    }
    IntPoint P(int64_t x, int64_t y) { return IntPoint{S(x), S(y)}; }
};

}  // namespace

double VectorNorm(double x, double y) { return std::sqrt(x * x + y * y); }

int AxisSign(double first, double last) { return (last - first < 0) ? -1 : 1; }

PlotGeometry MakePlotGeometry(const VectorDocument &doc, double innerWidth, double innerHeight) {
    PlotGeometry g;
    g.Width = innerWidth;
    g.Height = innerHeight;
    g.cw = innerWidth / (doc.NX + 1);
    g.ch = innerHeight / (doc.NY + 1);
    if (doc.NX > 0 && doc.PosXs.size() == static_cast<size_t>(doc.NX)) g.sgnX = AxisSign(doc.PosX(1), doc.PosX(doc.NX));
    if (doc.NY > 0 && doc.PosYs.size() == static_cast<size_t>(doc.NY)) g.sgnY = AxisSign(doc.PosY(1), doc.PosY(doc.NY));
    return g;
}

bool HasPositionMapping(const VectorDocument &doc) {
    if (doc.NX < 2 || doc.NY < 2) return false;
    if (doc.PosXs.size() != static_cast<size_t>(doc.NX) || doc.PosYs.size() != static_cast<size_t>(doc.NY))
        return false;
    const double dx = doc.PosX(2) - doc.PosX(1), dy = doc.PosY(2) - doc.PosY(1);
    return std::isfinite(dx) && std::isfinite(dy) && dx != 0 && dy != 0 && std::isfinite(doc.PosY(doc.NY));
}

double PlotXOf(const VectorDocument &doc, const PlotGeometry &g, double x) {
    return (x - doc.PosX(1)) * g.cw / (doc.PosX(2) - doc.PosX(1)) + g.cw;
}

double PlotYOffsetOf(const VectorDocument &doc, const PlotGeometry &g, double y) {
    return (y - doc.PosY(doc.NY)) * g.ch / (doc.PosY(2) - doc.PosY(1)) - g.ch;
}

AutoScale AutomaticScale(const VectorDocument &doc, double cw, double ch) {
    double maxU = 0, maxV = 0;
    const size_t n = doc.NodeCount();
    for (size_t k = 0; k < n; ++k) {
        if (doc.Statuses[k] <= 0) continue;
        const double au = std::fabs(doc.Us[k]), av = std::fabs(doc.Vs[k]);
        if (au > maxU) maxU = au;
        if (av > maxV) maxV = av;
    }
    AutoScale a;
    if (maxU == 0 && maxV == 0) {
        a.Possible = false;
        a.Scale = 1;
        return a;
    }
    if (maxU != 0) a.Scale = cw / maxU;
    if (maxU == 0 || maxV * a.Scale > ch) a.Scale = ch / maxV;
    return a;
}

UserMessage ScaleImpossibleMessage() {
    return UserMessage{"Darstellung nicht möglich!", MsgIcon::None, MsgButtons::Ok, "Strudelax"};
}

std::vector<CellBox> BackgroundCells(const VectorDocument &doc, const PlotGeometry &g) {
    std::vector<CellBox> cells;
    IntGuard half;
    const int32_t hw = half.R(g.cw) / 2;
    const int32_t hh = half.R(g.ch) / 2;
    if (!half.ok || doc.BackValues.size() != doc.NodeCount()) return cells;
    cells.reserve(doc.NodeCount());
    for (int j = 1; j <= doc.NY; ++j) {
        for (int i = 1; i <= doc.NX; ++i) {
            IntGuard c;
            CellBox box;
            box.from = IntPoint{c.R(i * g.cw - hw - 1), c.R(j * g.ch - hh - 1)};
            box.to = IntPoint{c.R(i * g.cw + hw + 1), c.R(j * g.ch + hh + 1)};
            if (!c.ok) continue;
            box.color = BackgroundColor(doc, doc.BackValue(i, j));
            cells.push_back(box);
        }
    }
    return cells;
}

std::optional<CritPointMark> CritPointMarkOf(const VectorDocument &doc, const PlotGeometry &g, double drawScale) {
    if (!doc.View.CritPointShown || !HasPositionMapping(doc)) return std::nullopt;
    IntGuard c;
    CritPointMark m;
    m.Center.x = c.R(PlotXOf(doc, g, doc.CritPointX));
    m.Center.y = c.R(g.Height + c.R(PlotYOffsetOf(doc, g, doc.CritPointY)));
    m.Step.x = c.S(static_cast<int64_t>(c.R(doc.GalileiU * drawScale)) * g.sgnX);
    m.Step.y = c.S(static_cast<int64_t>(c.R(doc.GalileiV * drawScale)) * g.sgnY);
    if (!c.ok) return std::nullopt;
    return m;
}

std::optional<std::array<IntPoint, 5>> ArrowPoints(int i, int j, double u, double v, double cwPixels, double chPixels,
                                                   double scalePixels, int sgnX, int sgnY) {
    IntGuard c;
    const int64_t x0 = c.R(i * cwPixels), y0 = c.R(j * chPixels);
    u *= scalePixels;
    v *= scalePixels;
    const int64_t tipX = c.R(u), tipY = c.R(v);
    const int64_t b1X = c.R(2 * u / 3 - v / 10), b1Y = c.R(2 * v / 3 + u / 10);
    const int64_t b2X = c.R(2 * u / 3 + v / 10), b2Y = c.R(2 * v / 3 - u / 10);
    std::array<IntPoint, 5> p;
    p[0] = c.P(x0, y0);
    p[1] = c.P(x0 + tipX * sgnX, y0 + tipY * sgnY);
    p[2] = c.P(x0 + b1X * sgnX, y0 + b1Y * sgnY);
    p[3] = p[1];
    p[4] = c.P(x0 + b2X * sgnX, y0 + b2Y * sgnY);
    if (!c.ok) return std::nullopt;
    return p;
}

std::optional<VectorStrokes> DrawVectorStrokes(int32_t fromX, int32_t fromY, int32_t stepX, int32_t stepY) {
    IntGuard c;
    VectorStrokes s;
    const int64_t x = fromX, y = fromY, dx = stepX, dy = stepY;
    s.Foot = IntPoint{fromX, fromY};
    s.Tip = c.P(x + dx, y + dy);
    if (dx != 0 || dy != 0) {
        s.Head = true;
        const int64_t ox = c.R(-static_cast<double>(dy) / 10);
        const int64_t oy = c.R(static_cast<double>(dx) / 10);
        const int64_t tx = x + dx, ty = y + dy;
        s.Barb1 = c.P(tx - (dx / 3 + ox), ty - (dy / 3 + oy));
        s.Barb2 = c.P(tx + (ox - dx / 3), ty + (oy - dy / 3));
    }
    if (!c.ok) return std::nullopt;
    return s;
}

std::string GeneralNumber(double x, char decimalSeparator) {
    if (!std::isfinite(x)) return StrNumber(x);
    // StrNumber without the zero it drops before the point
    std::string s = StrNumber(x);
    if (s[0] == '.')
        s.insert(0, 1, '0');
    else if (s[0] == '-' && s[1] == '.')
        s.insert(1, 1, '0');
    for (char &ch : s)
        if (ch == '.') ch = decimalSeparator;
    return s;
}

std::optional<LegendLayout> ComputeLegend(const VectorDocument &doc, const PlotGeometry &g, FontSurface &font,
                                          char decimalSeparator) {
    const double ref = doc.RefVelocity;
    if (ref == 0 || !std::isfinite(ref)) return std::nullopt;
    IntGuard c;
    const double a = std::fabs(ref) * doc.DrawScale;
    const int64_t A = c.R(a);
    if (!c.ok) return std::nullopt;

    LegendLayout L;
    L.Title = "Referenzvektor:";
    L.Label = GeneralNumber(ref, decimalSeparator) + " m/s";

    // the title takes one fifteenth of the plot width, at least 8 points
    font.SetFontSize(100);
    const double w100 = font.TextWidth(L.Title);
    double size = 8;
    if (w100 > 0) {
        auto s = RoundToInt32((g.Width / 15) * font.FontSize() / w100);
        if (s) size = *s;
    }
    font.SetFontSize(size);
    if (font.FontSize() < 8) font.SetFontSize(8);

    const double wT = font.TextWidth(L.Title), hT = font.TextHeight(L.Title);
    const double wM = font.TextWidth(L.Label), w0 = font.TextWidth("0");
    double w = static_cast<double>(A);
    if (wT > w) w = c.R(wT);
    if (wM > w) w = wM;  // the box follows the label as printed
    const int64_t W = c.R(w + 2 * w0);
    const int64_t Hb = c.R(3 * hT + 2 * c.R(a / 15));
    const int64_t x0 = doc.RefLeft ? 0 : c.R(g.Width - static_cast<double>(W));
    const int64_t y0 = doc.RefTop ? 0 : c.R(g.Height - static_cast<double>(Hb));
    L.X0 = c.S(x0);
    L.Y0 = c.S(y0);
    L.W = c.S(W);
    L.H = c.S(Hb);
    L.TitlePos = c.P(x0 + c.R(static_cast<double>(W) - wT) / 2, y0 + c.R(hT) / 2);
    L.LabelPos = c.P(x0 + c.R(static_cast<double>(W) - wM) / 2, y0 + Hb - c.R(3 * hT) / 2);

    const int64_t xs = x0 + (W - A) / 2, ym = y0 + Hb / 2;
    L.ShaftFrom = c.P(xs, ym);
    L.ShaftTo = c.P(xs + A, ym);
    const int64_t hl = c.R(a / 5), hw = c.R(a / 15);
    if (ref < 0 && g.sgnX > 0) {
        L.HeadFrom = L.ShaftFrom;
        L.Barb1 = c.P(xs + hl, ym + hw);
        L.Barb2 = c.P(xs + hl, ym - hw);
    } else {
        L.HeadFrom = L.ShaftTo;
        L.Barb1 = c.P(xs + A - hl, ym + hw);
        L.Barb2 = c.P(xs + A - hl, ym - hw);
    }
    if (!c.ok) return std::nullopt;
    return L;
}

std::string VectorScaleDefaultText(double vectorScale) { return StrNumber(vectorScale); }

std::optional<VectorScaleChoice> ReadVectorScaleAnswer(const std::string &answer) {
    if (answer.empty()) return std::nullopt;
    const double n = ParseNumber(answer);
    VectorScaleChoice ch;
    if (n < 0.2) {
        ch.Value = 0.2;
        ch.Message = UserMessage{"Ist das nicht etwas klein? Verwendet wird 0.2!", MsgIcon::Information, MsgButtons::Ok,
                                 "Skalierungsfaktor"};
    } else if (n > 10) {
        ch.Value = 10;
        ch.Message = UserMessage{"Ist das nicht etwas groß? Verwendet wird 10!", MsgIcon::Information, MsgButtons::Ok,
                                 "Skalierungsfaktor"};
    } else {
        ch.Value = n;
    }
    return ch;
}

}  // namespace sx
