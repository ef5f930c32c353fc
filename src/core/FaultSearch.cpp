#include "FaultSearch.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "Numbers.h"
#include "PlotGeometry.h"

namespace sx {

double ArcCos(double x) {
    if (std::fabs(x) > 1) throw ArcCosError();
    if (x == 1) return 0;
    if (x == -1) return 3.14159265359;
    return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
}

int FaultCriteria::TickedCount() const {
    return int(AbsDeviation) + int(DirDeviation) + int(AbsInterval) + int(XComp) + int(YComp);
}

Comparison OverallMean(const VectorDocument &doc) {
    Comparison c;
    double su = 0, sv = 0;
    int64_t k = 0;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j)
            if (doc.Status(i, j) > 0) {
                su += doc.U(i, j);
                sv += doc.V(i, j);
                ++k;
            }
    if (k > 0) {
        c.cu = su / double(k);
        c.cv = sv / double(k);
        c.cm = VectorNorm(c.cu, c.cv);
        c.Valid = true;
    }
    return c;
}

namespace {

struct Vec2 {
    double u, v, m;
};

// The valid nodes of the clipped window around (i, j), without (i, j), in
// scan order (column outer, row inner).
std::vector<Vec2> Neighbours(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy) {
    std::vector<Vec2> out;
    // 64-bit so that a huge half window cannot overflow
    const int i0 = int(std::max<int64_t>(1, int64_t(i) - hx)), i1 = int(std::min<int64_t>(doc.NX, int64_t(i) + hx));
    const int j0 = int(std::max<int64_t>(1, int64_t(j) - hy)), j1 = int(std::min<int64_t>(doc.NY, int64_t(j) + hy));
    for (int a = i0; a <= i1; ++a)
        for (int b = j0; b <= j1; ++b) {
            if (a == i && b == j) continue;
            if (doc.Status(a, b) <= 0) continue;
            const double u = doc.U(a, b), v = doc.V(a, b);
            out.push_back({u, v, VectorNorm(u, v)});
        }
    return out;
}

}  // namespace

Comparison LocalMean(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy) {
    Comparison c;
    const std::vector<Vec2> n = Neighbours(doc, i, j, hx, hy);
    if (n.empty()) return c;
    double su = 0, sv = 0, sm = 0;
    for (const Vec2 &p : n) {
        su += p.u;
        sv += p.v;
        sm += p.m;
    }
    const double k = double(n.size());
    c.cu = su / k;
    c.cv = sv / k;
    c.cm = sm / k;
    c.Valid = true;
    return c;
}

Comparison LocalMedian(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy) {
    Comparison c;
    std::vector<Vec2> L = Neighbours(doc, i, j, hx, hy);
    const size_t k = L.size();
    if (k == 0) return c;
    // A selection sort by descending magnitude: step a swaps the first entry
    // of largest magnitude (> 0) among L(a..k) to the front of that range,
    // so among equal magnitudes the entry nearest the front of the current
    // list wins. The same steps run here on an ordered set of (magnitude,
    // current position), which keeps large windows from taking quadratic time
    // per node. Entries up to the median are final once their step is done.
    std::set<std::pair<double, size_t>> byMagnitude;  // (-magnitude, position)
    for (size_t b = 0; b < k; ++b)
        if (L[b].m > 0) byMagnitude.emplace(-L[b].m, b);
    const size_t last = std::min(k - 1, k / 2 + 1);
    for (size_t a = 0; a < last && !byMagnitude.empty(); ++a) {
        const size_t best = byMagnitude.begin()->second;
        byMagnitude.erase(byMagnitude.begin());
        if (best == a) continue;
        if (L[a].m > 0) {
            byMagnitude.erase({-L[a].m, a});
            byMagnitude.emplace(-L[a].m, best);
        }
        std::swap(L[a], L[best]);
    }
    if (k % 2 == 1) {
        const Vec2 &p = L[k / 2];  // L(k \ 2 + 1), 1-based
        c.cu = p.u;
        c.cv = p.v;
        c.cm = p.m;
    } else {
        const Vec2 &p = L[k / 2 - 1], &q = L[k / 2];
        c.cu = (p.u + q.u) / 2;
        c.cv = (p.v + q.v) / 2;
        c.cm = (p.m + q.m) / 2;
    }
    c.Valid = true;
    return c;
}

namespace {

bool IntervalMet(double x, double lo, double hi, bool outside) {
    return outside ? (x < lo || x > hi) : (lo < x && x < hi);
}

}  // namespace

int CriteriaMet(const FaultCriteria &c, const Comparison &cmp, double u, double v) {
    int met = 0;
    const double m = VectorNorm(u, v);
    if (c.AbsDeviation) {
        if (!cmp.Valid || cmp.cm <= 0 || std::fabs(cmp.cm - m) * 100 > c.AbsDeviationPercent * cmp.cm) ++met;
    }
    if (c.DirDeviation) {
        const double cn = VectorNorm(cmp.cu, cmp.cv);
        if (!cmp.Valid || cn <= 0 || m <= 0) {
            ++met;
        } else {
            // Parallel vectors can give a cosine a rounding step beyond 1;
            // that is no deviation, so it is clamped instead of flagged.
            const double cosTheta = std::clamp((cmp.cu * u + cmp.cv * v) / m / cn, -1.0, 1.0);
            if (ArcCos(cosTheta) / 3.141592654 * 180 > c.DirDeviationDegrees) ++met;
        }
    }
    if (c.AbsInterval && IntervalMet(m, c.AbsMin, c.AbsMax, c.AbsOutside)) ++met;
    if (c.XComp && IntervalMet(u, c.XMin, c.XMax, c.XOutside)) ++met;
    if (c.YComp && IntervalMet(v, c.YMin, c.YMax, c.YOutside)) ++met;
    return met;
}

int32_t SearchFaultVectors(VectorDocument &doc, const FaultCriteria &c,
                           const std::function<void(int i, int j)> &flagged) {
    const int ticked = c.TickedCount();
    if (ticked == 0) return 0;
    const bool needed = c.NeedsComparison();
    const bool local = c.Mode == CompareMode::LocalMiddle || c.Mode == CompareMode::Median;
    Comparison cmp;
    if (needed && c.Mode == CompareMode::AllMiddle) cmp = OverallMean(doc);
    if (needed && c.Mode == CompareMode::UserVector) {
        cmp.cu = c.UserU;
        cmp.cv = c.UserV;
        cmp.cm = VectorNorm(cmp.cu, cmp.cv);
        cmp.Valid = true;
    }
    int32_t count = 0;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j) {
            if (doc.Status(i, j) < 1) continue;
            if (needed && local)
                cmp = c.Mode == CompareMode::LocalMiddle ? LocalMean(doc, i, j, c.HalfX, c.HalfY)
                                                         : LocalMedian(doc, i, j, c.HalfX, c.HalfY);
            const int met = CriteriaMet(c, cmp, doc.U(i, j), doc.V(i, j));
            if (c.LogicalOr ? met >= 1 : met == ticked) {
                doc.Status(i, j) = StatusQuestionable;
                ++count;
                if (flagged) flagged(i, j);
            }
        }
    return count;
}

int32_t CountQuestionable(const VectorDocument &doc) {
    int32_t n = 0;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j)
            if (doc.Status(i, j) == StatusQuestionable) ++n;
    return n;
}

std::string QuestionableReportText(int32_t n) {
    return "Insgesamt sind " + std::to_string(n) +
           " Vektoren fragwürdig. Sollen diese jetzt automatisch ungültig gemacht werden?";
}

int32_t HalfWindowFromText(const std::string &text) {
    const auto r = RoundToInt32(ParseNumber(text) - 1);
    if (!r) return 0;
    return IntDiv(*r, 2);
}

int FilterFaultKey(FaultKeyKind kind, int key, const std::string &text, int caret) {
    if (key <= 27) return key;
    const bool hasPoint = text.find('.') != std::string::npos;
    const bool leadingMinus = !text.empty() && text[0] == '-';
    switch (kind) {
        case FaultKeyKind::Digits:
            return key < '0' || key > '9' ? 0 : key;
        case FaultKeyKind::UnsignedDecimal:
            if (key == ',') key = '.';
            if (key == '.') return hasPoint ? 0 : key;
            return key < '0' || key > '9' ? 0 : key;
        case FaultKeyKind::SignedDecimal:
            if (key == '-') return caret != 0 || leadingMinus ? 0 : key;
            if (key == ',') key = '.';
            if (key == '.') {
                if (caret == 0 && leadingMinus) return 0;
                return hasPoint ? 0 : key;
            }
            return key < '0' || key > '9' ? 0 : key;
    }
    return 0;
}

bool BoundsNeedSwap(const std::string &minText, const std::string &maxText) {
    return ParseNumber(minText) > ParseNumber(maxText);
}

}  // namespace sx
