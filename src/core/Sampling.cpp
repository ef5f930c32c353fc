#include "Sampling.h"

#include <algorithm>
#include <cmath>

#include "ByteSink.h"
#include "Numbers.h"
#include "Paths.h"

namespace sx {

namespace {

bool Holds(double a, double b, double x) { return std::min(a, b) <= x && x <= std::max(a, b); }

// The interpolation cell along one axis: node i (1-based) and the direction
// di of its neighbour. The nearest node is estimated as on an evenly spaced
// grid; on uneven positions the cell is searched instead. False when x lies
// outside the node range or no cell holds it.
bool PickCell(const FieldArray<double> &pos, double x, int &i, int &di) {
    const int n = static_cast<int>(pos.size());
    const double first = pos[0], last = pos[static_cast<size_t>(n - 1)];
    int dir;
    double lo, hi;
    if (first < last) {
        lo = first, hi = last, dir = 1;
    } else {
        lo = last, hi = first, dir = -1;
    }
    if (x < lo || x > hi) return false;

    double r = RoundHalfEven((x - first) / (pos[1] - first)) + 1;
    if (!(r >= 1)) r = 1;
    if (r > n) r = n;
    i = static_cast<int>(r);
    di = x > pos[static_cast<size_t>(i - 1)] ? dir : -dir;
    if (i + di < 1 || i + di > n) di = -di;  // at the smallest coordinate: the inner neighbour
    if (Holds(pos[static_cast<size_t>(i - 1)], pos[static_cast<size_t>(i + di - 1)], x)) return true;

    // Uneven spacing: the first cell, in order of growing coordinate, whose
    // upper end reaches x (so a point on a node takes the cell below it).
    auto idx = [&](int m) { return dir > 0 ? m : n + 1 - m; };
    auto at = [&](int m) { return pos[static_cast<size_t>(idx(m) - 1)]; };
    int a = 1, b = n - 1;
    while (a < b) {
        const int mid = a + (b - a) / 2;
        if (at(mid + 1) >= x)
            b = mid;
        else
            a = mid + 1;
    }
    i = idx(a);
    di = idx(a + 1) - i;
    return Holds(pos[static_cast<size_t>(i - 1)], pos[static_cast<size_t>(i + di - 1)], x);
}

}  // namespace

Velocity InterpolateVector(const VectorDocument &doc, double x, double y) {
    Velocity out;
    if (!std::isfinite(x) || !std::isfinite(y)) return out;
    if (doc.NX < 2 || doc.NY < 2 || doc.PosXs.size() != static_cast<size_t>(doc.NX) ||
        doc.PosYs.size() != static_cast<size_t>(doc.NY) || doc.Statuses.size() != doc.NodeCount())
        return out;
    if (!(doc.PosX(2) != doc.PosX(1)) || !(doc.PosY(2) != doc.PosY(1))) return out;
    int i, di, j, dj;
    if (!PickCell(doc.PosXs, x, i, di) || !PickCell(doc.PosYs, y, j, dj)) return out;

    const size_t k00 = doc.Index(i, j), k10 = doc.Index(i + di, j);
    const size_t k01 = doc.Index(i, j + dj), k11 = doc.Index(i + di, j + dj);
    const int32_t *st = doc.Statuses.data();
    if (st[k00] <= 0 || st[k10] <= 0 || st[k01] <= 0 || st[k11] <= 0) return out;

    const double xi = doc.PosX(i), xn = doc.PosX(i + di);
    const double yj = doc.PosY(j), yn = doc.PosY(j + dj);
    const double wx0 = std::fabs(x - xi), wx1 = std::fabs(x - xn), sx = std::fabs(xn - xi);
    const double wy0 = std::fabs(y - yj), wy1 = std::fabs(y - yn), sy = std::fabs(yn - yj);
    const double *U = doc.Us.data();
    const double *V = doc.Vs.data();
    const double au = (wx0 * U[k10] + wx1 * U[k00]) / sx;
    const double bu = (wx0 * U[k11] + wx1 * U[k01]) / sx;
    const double av = (wx0 * V[k10] + wx1 * V[k00]) / sx;
    const double bv = (wx0 * V[k11] + wx1 * V[k01]) / sx;
    out.u = (wy0 * bu + wy1 * au) / sy;
    out.v = (wy0 * bv + wy1 * av) / sy;
    return out;
}

bool CanTraceStreamlines(const VectorDocument &doc) { return HasPositionMapping(doc); }

Streamline TraceStreamline(const VectorDocument &doc, const PlotGeometry &g, double tppX, double tppY, double x0,
                           double y0, double F) {
    Streamline line;
    if (!CanTraceStreamlines(doc)) return line;
    auto pixel = [&](double x, double y) -> std::optional<IntPoint> {
        auto px = RoundToInt32(PlotXOf(doc, g, x) / tppX);
        auto py = RoundToInt32((PlotYOffsetOf(doc, g, y) + g.Height) / tppY);
        if (!px || !py) return std::nullopt;
        return IntPoint{*px, *py};
    };
    auto start = pixel(x0, y0);
    if (!start) return line;

    const double dpx = doc.PosX(2) - doc.PosX(1), dpy = doc.PosY(2) - doc.PosY(1);
    const double ds = F * std::sqrt(dpx * dpx + dpy * dpy);
    line.X.reserve(kMaxStreamlineSteps + 1);
    line.Y.reserve(kMaxStreamlineSteps + 1);
    line.Pixels.reserve(kMaxStreamlineSteps + 1);
    line.X.push_back(x0);
    line.Y.push_back(y0);
    line.Pixels.push_back(*start);

    double x = x0, y = y0;
    for (int k = 0; k < kMaxStreamlineSteps; ++k) {
        const Velocity w = InterpolateVector(doc, x, y);
        if (std::fabs(w.u * F) < 0.00001 && std::fabs(w.v * F) < 0.00001) break;
        const double s = std::sqrt(w.u * w.u + w.v * w.v);
        const double nx = x + w.u * ds / s, ny = y + w.v * ds / s;
        if (!std::isfinite(nx) || !std::isfinite(ny)) break;
        auto p = pixel(nx, ny);
        if (!p) break;
        x = nx;
        y = ny;
        line.X.push_back(x);
        line.Y.push_back(y);
        line.Pixels.push_back(*p);
    }
    return line;
}

const char kTrajectoryFilter[] = "Reine Text-Datei (*.txt)|*.txt|DAT-Datei (*.dat)|*.dat";

bool WriteTrajectoryText(const Streamline &line, double exportDistance, char sep, ByteSink &sink) {
    TextPieces out(sink);
    out.Put("X[mm]\tY[mm]\r\n");
    auto write = [&](double x, double y) {
        out.Print(x, sep);
        out.Put('\t');
        out.Print(y, sep);
        out.Put("\r\n");
    };
    if (!line.X.empty()) {
        double xw = line.X[0], yw = line.Y[0];
        write(xw, yw);
        for (size_t k = 1; k < line.X.size(); ++k) {
            const double x = line.X[k], y = line.Y[k];
            if (std::sqrt((x - xw) * (x - xw) + (y - yw) * (y - yw)) >= exportDistance) {
                write(x, y);
                xw = x;
                yw = y;
            }
        }
    }
    return out.Finish();
}

std::string TrajectoryProposedName(const std::string &filePath) { return BaseNameOf(filePath) + " TRA"; }

std::string TrajectoryTargetPath(const std::string &chosenPath, int filterIndex) {
    return WithoutExtension(chosenPath) + (filterIndex == 2 ? ".dat" : ".txt");
}

UserMessage TrajectorySaveErrorMessage() {
    return UserMessage{
        "Die aktuelle Datei kann nicht gespeichert werden, da die auf der Festplatte existierende "
        "Datei schreibgeschützt ist. Ändern Sie das Schreibschutz-Attribut oder speichern Sie unter "
        "einem anderen Namen!",
        MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern"};
}

int AddTrajectory(TrajectoryRing &ring, double x0, double y0, double step) {
    if (ring.Count < 0) ring.Count = 0;
    if (ring.Count < kMaxTrajectories) {
        ring.Count = ring.Count + 1;
        ring.Last = ring.Count;
    } else {
        ring.Count = kMaxTrajectories;
        ring.Last = ring.Last + 1;
        if (ring.Last > kMaxTrajectories) ring.Last = ring.Last - kMaxTrajectories;
        if (ring.Last < 1) ring.Last = 1;  // a ring restored with no slot written
    }
    const size_t k = static_cast<size_t>(ring.Last - 1);
    ring.X0[k] = x0;
    ring.Y0[k] = y0;
    ring.Step[k] = step;
    return ring.Last;
}

void ClearTrajectories(TrajectoryRing &ring) {
    ring.X0.fill(0);
    ring.Y0.fill(0);
    ring.Step.fill(0);
    ring.Count = 0;
    ring.Last = 0;
}

std::string TestParticleDefaultText(const VectorDocument &doc) {
    return doc.BothDirections ? "+-" + StrNumber(std::fabs(doc.StepFactor)) : StrNumber(doc.StepFactor);
}

std::optional<StepAnswer> ReadStepAnswer(const std::string &answer) {
    if (answer.empty()) return std::nullopt;
    StepAnswer a;
    const std::string trimmed = Trim(answer);
    std::string number;
    if (trimmed.rfind("+-", 0) == 0) {
        a.BothDirections = true;
        number = trimmed.substr(2);
    } else {
        a.BothDirections = false;
        number = answer;
    }
    std::replace(number.begin(), number.end(), ',', '.');
    a.Step = ParseNumberSkippingBlanks(number);
    return a;
}

}  // namespace sx
