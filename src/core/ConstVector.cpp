#include "ConstVector.h"

#include <cmath>

#include "Numbers.h"
#include "PlotGeometry.h"

namespace sx {

namespace {

bool Consistent(const VectorDocument &doc) {
    const size_t n = doc.NodeCount();
    return doc.Us.size() == n && doc.Vs.size() == n && doc.Statuses.size() == n;
}

void ShiftValid(VectorDocument &doc, double du, double dv) {
    if (!Consistent(doc)) return;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j)
            if (doc.Status(i, j) > 0) {
                doc.U(i, j) += du;
                doc.V(i, j) += dv;
            }
}

}  // namespace

void AddConstVector(VectorDocument &doc, double x, double y) {
    ShiftValid(doc, x, y);
    doc.GalileiU -= x;
    doc.GalileiV -= y;
}

void SubConstVector(VectorDocument &doc, double x, double y) {
    // u + (-x) is exactly u - x
    ShiftValid(doc, -x, -y);
    doc.GalileiU += x;
    doc.GalileiV += y;
}

VelocityProfile SubtractVelocityProfile(VectorDocument &doc) {
    VelocityProfile p;
    const size_t ny = doc.NY > 0 ? static_cast<size_t>(doc.NY) : 0;
    p.MeanU.assign(ny, 0.0);
    p.MeanV.assign(ny, 0.0);
    if (!Consistent(doc)) return p;
    for (int j = 1; j <= doc.NY; ++j) {
        double su = 0, sv = 0;
        long n = 0;
        for (int i = 1; i <= doc.NX; ++i)
            if (doc.Status(i, j) > 0) {
                su += doc.U(i, j);
                sv += doc.V(i, j);
                ++n;
            }
        if (n == 0) continue;
        const double mu = su / static_cast<double>(n), mv = sv / static_cast<double>(n);
        p.MeanU[static_cast<size_t>(j - 1)] = mu;
        p.MeanV[static_cast<size_t>(j - 1)] = mv;
        for (int i = 1; i <= doc.NX; ++i) {
            doc.U(i, j) -= mu;
            doc.V(i, j) -= mv;
        }
    }
    return p;
}

std::string ConstVectorStatusText(const VectorDocument &doc, char decimalSeparator) {
    return "Galilei gesamt: (" + FormatFixed(doc.GalileiU, 4, decimalSeparator) + ", " +
           FormatFixed(doc.GalileiV, 4, decimalSeparator) + ").";
}

std::vector<ProfileArrow> ProfileArrows(const VectorDocument &doc, const VelocityProfile &profile, double scaleWidth,
                                        double scaleHeight) {
    std::vector<ProfileArrow> arrows;
    if (doc.NX < 1 || doc.NY < 1 || !Consistent(doc)) return arrows;
    // the plot's own cells and directions, so the profile lines up with the arrows
    const PlotGeometry g = MakePlotGeometry(doc, scaleWidth, scaleHeight);
    double maxU = 0, maxV = 0;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j)
            if (doc.Status(i, j) > 0) {
                maxU = std::fmax(maxU, std::fabs(doc.U(i, j)));
                maxV = std::fmax(maxV, std::fabs(doc.V(i, j)));
            }
    double scale = 1;
    if (maxU != 0 && maxV != 0) {
        scale = g.cw / maxU;
        if (scale * maxV > g.ch) scale = g.ch / maxV;
    }
    scale *= doc.VectorScale;

    const auto width = RoundToInt32(scaleWidth);
    if (!width) return arrows;
    const int32_t fromX = IntDiv(*width, 2);
    for (int j = 1; j <= doc.NY; ++j) {
        const size_t k = static_cast<size_t>(j - 1);
        const double mu = k < profile.MeanU.size() ? profile.MeanU[k] : 0.0;
        const double mv = k < profile.MeanV.size() ? profile.MeanV[k] : 0.0;
        const auto fromY = RoundToInt32(j * g.ch);
        // halves to even round symmetrically, so the sign may go in before rounding
        const auto stepX = RoundToInt32(scale * mu * g.sgnX), stepY = RoundToInt32(scale * mv * g.sgnY);
        if (!fromY || !stepX || !stepY) continue;
        arrows.push_back({fromX, *fromY, *stepX, *stepY});
    }
    return arrows;
}

}  // namespace sx
