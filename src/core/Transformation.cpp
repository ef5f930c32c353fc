#include "Transformation.h"

#include <cmath>
#include <utility>

#include "Numbers.h"

namespace sx {

double TrafoBoxValue(const std::string &text) {
    const double x = ParseNumber(text);
    return std::isfinite(x) ? x : 0.0;
}

std::optional<std::string> CheckTrafoFactors(const XYTrafo &t) {
    if (t.FakX == 0) return std::string("Bitte geben sie als Faktor bei der x-Koordinate keine Null an!");
    if (t.FakY == 0) return std::string("Bitte geben sie als Faktor bei der y-Koordinate keine Null an!");
    if (t.FakVecX == 0 || t.FakVecY == 0)
        return std::string("Bitte geben sie als Faktor bei der Vektorskalierung keine Null an!");
    return std::nullopt;
}

std::optional<char32_t> FilterTrafoKey(char32_t c, const std::string &text, int caret) {
    if (c < 27) return c;
    if (c >= U'0' && c <= U'9') return c;
    const bool hasPoint = text.find('.') != std::string::npos;
    if (c == U'-') return caret == 0 ? std::optional<char32_t>(c) : std::nullopt;
    if (c == U'.' || c == U',') return hasPoint ? std::nullopt : std::optional<char32_t>(U'.');
    return std::nullopt;
}

void ApplyXYTrafo(VectorDocument &doc, const XYTrafo &t) {
    if (t.CoordinateChange()) {
        for (int i = 1; i <= doc.NX; ++i) doc.PosX(i) = t.FakX * doc.PosX(i) + t.DeltaX;
        for (int j = 1; j <= doc.NY; ++j) doc.PosY(j) = t.FakY * doc.PosY(j) + t.DeltaY;
        doc.CritPointX = t.FakX * doc.CritPointX + t.DeltaX;
        doc.CritPointY = t.FakY * doc.CritPointY + t.DeltaY;
        TrajectoryRing &ring = doc.Trajectories;
        const int count = ring.Count < 0 ? 0 : (ring.Count > kMaxTrajectories ? kMaxTrajectories : ring.Count);
        for (int k = 0; k < count; ++k) {
            ring.X0[static_cast<size_t>(k)] = t.FakX * ring.X0[static_cast<size_t>(k)] + t.DeltaX;
            ring.Y0[static_cast<size_t>(k)] = t.FakY * ring.Y0[static_cast<size_t>(k)] + t.DeltaY;
        }
        doc.TrafoShiftX += t.DeltaX;
        doc.TrafoShiftY += t.DeltaY;
    }
    if (t.VectorChange()) {
        for (double &u : doc.Us) u *= t.FakVecX;
        for (double &v : doc.Vs) v *= t.FakVecY;
    }
}

void MirrorField(VectorDocument &doc, bool mirrorX, bool mirrorY) {
    auto swapNodes = [&doc](int i1, int j1, int i2, int j2) {
        std::swap(doc.U(i1, j1), doc.U(i2, j2));
        std::swap(doc.V(i1, j1), doc.V(i2, j2));
        std::swap(doc.Status(i1, j1), doc.Status(i2, j2));
    };
    if (mirrorX) {
        for (int j = 1; j <= doc.NY; ++j)
            for (int i = 1; i <= doc.NX / 2; ++i) swapNodes(i, j, doc.NX + 1 - i, j);
        for (int i = 1; i <= doc.NX / 2; ++i) std::swap(doc.PosX(i), doc.PosX(doc.NX + 1 - i));
    }
    if (mirrorY) {
        for (int i = 1; i <= doc.NX; ++i)
            for (int j = 1; j <= doc.NY / 2; ++j) swapNodes(i, j, i, doc.NY + 1 - j);
        for (int j = 1; j <= doc.NY / 2; ++j) std::swap(doc.PosY(j), doc.PosY(doc.NY + 1 - j));
    }
}

}  // namespace sx
