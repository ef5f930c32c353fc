#include "PointerMath.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"
#include "Sampling.h"

namespace sx {

namespace {

// Round halves to even and limit to 1..n; NaN falls to the first node.
int NodeOf(double v, int n) {
    if (n < 1) return 1;
    if (std::isnan(v)) return 1;
    v = std::clamp(v, 1.0, static_cast<double>(n));
    return RoundToInt32(v).value_or(1);
}

std::string Trim(const std::string &s) {
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return std::string();
    const size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

}  // namespace

NodeIndex NodeUnderPointer(const VectorDocument &doc, const PlotGeometry &g, double X, double Y) {
    return {NodeOf(X / g.cw, doc.NX), NodeOf(Y / g.ch, doc.NY)};
}

PointMm PositionUnderPointer(const VectorDocument &doc, const PlotGeometry &g, double X, double Y) {
    PointMm p;
    if (doc.NX < 1 || doc.NY < 1) return p;
    p.x = doc.NX >= 2 ? doc.PosX(1) + (X - g.cw) * (doc.PosX(2) - doc.PosX(1)) / g.cw : doc.PosX(1);
    p.y = doc.NY >= 2 ? doc.PosY(doc.NY) + ((g.Height - Y) - g.ch) * (doc.PosY(1) - doc.PosY(2)) / g.ch : doc.PosY(1);
    return p;
}

MarkerBox MarkerBoxOf(const PlotGeometry &g, int i, int j) {
    const double mw = RoundHalfEven(g.cw / 5), mh = RoundHalfEven(g.ch / 5);
    const double x = RoundHalfEven(i * g.cw), y = RoundHalfEven(j * g.ch);
    return {x - mw, y - mh, x + mw, y + mh};
}

std::string F4(double v, char sep) { return FormatFixed(v, 4, sep); }

std::string GalileiTotalText(const VectorDocument &doc, char sep) {
    return "Galilei gesamt: (" + F4(doc.GalileiU, sep) + ", " + F4(doc.GalileiV, sep) + ") m/s.";
}

std::string PointerReadout(const VectorDocument &doc, const PlotGeometry &g, double X, double Y, bool showNode,
                           char sep) {
    const NodeIndex n = NodeUnderPointer(doc, g, X, Y);
    std::string t = GalileiTotalText(doc, sep) + "  ";
    if (showNode) {
        t += "Sie zeigen auf den Vektor (" + F4(doc.U(n.i, n.j), sep) + ", " + F4(doc.V(n.i, n.j), sep) + ") m/s " +
             "mit dem Ursprung in (" + F4(doc.PosX(n.i), sep) + ", " + F4(doc.PosY(n.j), sep) + ") mm.";
    } else {
        const PointMm p = PositionUnderPointer(doc, g, X, Y);
        const Velocity e = InterpolateVector(doc, p.x, p.y);
        t += "Sie zeigen auf (" + F4(p.x, sep) + ", " + F4(p.y, sep) + ") mm. " + "Geschätzter Vektor (" +
             F4(e.u, sep) + ", " + F4(e.v, sep) + ") m/s.";
    }
    if (doc.View.Background == BackSwirlSquare)
        t += "  Swirling Strength: " + F4(doc.BackValue(n.i, n.j), sep) + " 1/s².";
    else if (doc.View.Background == BackVorticity)
        t += "  Vorticity: " + F4(doc.BackValue(n.i, n.j), sep) + " 1/s.";
    return t;
}

void ApplyGalilei(VectorDocument &doc, double px, double py, double uc, double vc) {
    if (!std::isfinite(uc) || !std::isfinite(vc)) uc = vc = 0;
    doc.View.CritPointShown = true;
    doc.CritPointX = px;
    doc.CritPointY = py;
    const size_t n = doc.NodeCount();
    for (size_t k = 0; k < n; ++k) {
        if (doc.Statuses[k] <= 0) continue;
        doc.Us[k] -= uc;
        doc.Vs[k] -= vc;
    }
    doc.GalileiU += uc;
    doc.GalileiV += vc;
}

int32_t ToggleStatus(VectorDocument &doc, int i, int j) {
    int32_t &s = doc.Status(i, j);
    if (s < 1) {
        s = StatusChanged;
        ++doc.ValidCount;
    } else if (s == StatusQuestionable) {
        s = StatusChanged;
    } else {
        s = StatusInvalid;
        --doc.ValidCount;
    }
    return s;
}

double DragDistance(const VectorDocument &doc, const PlotGeometry &g, double px, double py) {
    double dx = 0, dy = 0;
    if (doc.NX >= 2) dx = (doc.PosX(doc.NX) - doc.PosX(1)) * px / (doc.NX - 1) / g.cw;
    if (doc.NY >= 2) dy = (doc.PosY(doc.NY) - doc.PosY(1)) * py / (doc.NY - 1) / g.ch;
    return std::sqrt(dx * dx + dy * dy);
}

std::string DistanceLabel(double d, char sep) { return Trim(FormatFixed(d, 3, sep)) + " mm"; }

std::string CritPointDataText(const VectorDocument &doc, char sep) {
    const std::string crlf = "\r\n";
    return "Koordinaten des kritischen Punktes:" + crlf + "\tx =" + F4(doc.CritPointX, sep) + " mm" + crlf +
           "\ty =" + F4(doc.CritPointY, sep) + " mm" + crlf + "Konvektionsgeschwindigkeit:" + crlf +
           "\tvx=" + F4(doc.GalileiU, sep) + " m/s" + crlf + "\tvy=" + F4(doc.GalileiV, sep) + " m/s" + crlf;
}

}  // namespace sx
