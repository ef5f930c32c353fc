#include "FaultSearch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Mathematical.h"
#include "Numbers.h"
#include "PlotGeometry.h"

namespace sx {

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

struct Window {
    int i0, i1, j0, j1;
};

// The window around (i, j), clipped at the field's edges; 64-bit so that a
// huge half window cannot overflow.
Window ClippedWindow(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy) {
    return {int(std::max<int64_t>(1, int64_t(i) - hx)), int(std::min<int64_t>(doc.NX, int64_t(i) + hx)),
            int(std::max<int64_t>(1, int64_t(j) - hy)), int(std::min<int64_t>(doc.NY, int64_t(j) + hy))};
}

// The valid nodes of the window, without (i, j), in scan order (column outer,
// row inner).
void Neighbours(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy, std::vector<Vec2> &out) {
    out.clear();
    const Window w = ClippedWindow(doc, i, j, hx, hy);
    for (int a = w.i0; a <= w.i1; ++a)
        for (int b = w.j0; b <= w.j1; ++b) {
            if (a == i && b == j) continue;
            if (doc.Status(a, b) <= 0) continue;
            const double u = doc.U(a, b), v = doc.V(a, b);
            out.push_back({u, v, VectorNorm(u, v)});
        }
}

Comparison MedianOfSorted(const std::vector<Vec2> &L) {
    Comparison c;
    const size_t k = L.size();
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

// The selection sort by descending magnitude: step a swaps the first entry
// of largest magnitude (> 0) among L(a..k) to the front of that range, so
// among equal magnitudes the entry nearest the front of the current list
// wins. Entries up to the median are final once their step is done, so the
// sort stops there.
Comparison SelectionSortMedian(std::vector<Vec2> &L) {
    const size_t k = L.size();
    for (size_t a = 0; a + 1 < k && a <= k / 2; ++a) {
        size_t best = a;
        double bestM = 0;
        bool found = false;
        for (size_t b = a; b < k; ++b)
            if (L[b].m > bestM) {
                best = b;
                bestM = L[b].m;
                found = true;
            }
        if (!found) break;  // only magnitudes of 0 are left: nothing moves any more
        if (best != a) std::swap(L[a], L[best]);
    }
    return MedianOfSorted(L);
}

Comparison LocalMedianInto(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy, std::vector<Vec2> &L) {
    Neighbours(doc, i, j, hx, hy, L);
    if (L.empty()) return Comparison{};
    return SelectionSortMedian(L);
}

Comparison LocalMeanOf(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy) {
    Comparison c;
    const Window w = ClippedWindow(doc, i, j, hx, hy);
    double su = 0, sv = 0, sm = 0;
    int64_t k = 0;
    for (int a = w.i0; a <= w.i1; ++a)
        for (int b = w.j0; b <= w.j1; ++b) {
            if (a == i && b == j) continue;
            const size_t at = doc.Index(a, b);
            if (doc.Statuses[at] <= 0) continue;
            const double u = doc.Us[at], v = doc.Vs[at];
            su += u;
            sv += v;
            sm += VectorNorm(u, v);
            ++k;
        }
    if (k == 0) return c;
    c.cu = su / double(k);
    c.cv = sv / double(k);
    c.cm = sm / double(k);
    c.Valid = true;
    return c;
}

// How many of m[0..n) (n even) are larger than x, and how many equal to it.
inline void CountAround(const double *m, size_t n, double x, size_t &larger, size_t &equal) {
#if defined(__SSE2__)
    const __m128d vx = _mm_set1_pd(x);
    __m128i gt = _mm_setzero_si128(), eq = _mm_setzero_si128();
    for (size_t q = 0; q < n; q += 2) {
        const __m128d vm = _mm_loadu_pd(m + q);
        // a true lane is all ones, that is -1: subtracting it counts
        gt = _mm_sub_epi64(gt, _mm_castpd_si128(_mm_cmpgt_pd(vm, vx)));
        eq = _mm_sub_epi64(eq, _mm_castpd_si128(_mm_cmpeq_pd(vm, vx)));
    }
    alignas(16) int64_t g[2], e[2];
    _mm_store_si128(reinterpret_cast<__m128i *>(g), gt);
    _mm_store_si128(reinterpret_cast<__m128i *>(e), eq);
    larger = size_t(g[0] + g[1]);
    equal = size_t(e[0] + e[1]);
#else
    larger = equal = 0;
    for (size_t q = 0; q < n; ++q) {
        larger += size_t(m[q] > x);
        equal += size_t(m[q] == x);
    }
#endif
}

// Positions in m[0..p) of the entries of rank hi and, for `even`, hi + 1 by
// descending magnitude; false when either magnitude is not unique.
//
// The entry of rank hi is the one with exactly hi larger magnitudes.
// Counting them is branch-free and quick for the small windows of the
// dialog, unlike a partition, whose branches cannot be predicted.
constexpr size_t kCountingLimit = 64;
bool RanksByCounting(double *m, size_t p, size_t hi, bool even, size_t &firstAt, size_t &secondAt) {
    const size_t lo = even ? hi + 1 : hi;
    const size_t padded = (p + 1) & ~size_t(1);
    if (padded > p) m[p] = -HUGE_VAL;  // counts as neither larger nor equal
    for (size_t e = 0; e < p; ++e) {
        size_t larger, equal;
        CountAround(m, padded, m[e], larger, equal);
        if (larger == hi || larger == lo) {
            if (equal != 1) return false;
            (larger == hi ? firstAt : secondAt) = e;
            if (firstAt != SIZE_MAX && (!even || secondAt != SIZE_MAX)) return true;
        }
    }
    return false;
}

// The same for large windows, in linear time.
bool RanksBySelection(const double *m, size_t p, size_t hi, bool even, size_t &firstAt, size_t &secondAt) {
    std::vector<double> sel(m, m + p);
    std::nth_element(sel.begin(), sel.begin() + std::ptrdiff_t(hi), sel.end(), std::greater<double>());
    const double x1 = sel[hi];
    const double x2 = even ? *std::max_element(sel.begin() + std::ptrdiff_t(hi) + 1, sel.end()) : x1;
    if (even && !(x2 < x1)) return false;
    size_t n1 = 0, n2 = 0;
    for (size_t q = 0; q < p; ++q) {
        if (m[q] == x1) {
            ++n1;
            firstAt = q;
        }
        if (even && m[q] == x2) {
            ++n2;
            secondAt = q;
        }
    }
    return n1 == 1 && (!even || n2 == 1);
}

// The local median of every node of a pass. Each valid node's magnitude is
// computed once. Where the magnitudes that reach the median position are
// unique in the window, the sort puts the entry of that magnitude there
// whatever the order of the list, so the window is read in storage order and
// the entry found by its rank; ties fall back to the selection sort in scan
// order, which decides between them.
class MedianPass {
public:
    MedianPass(const VectorDocument &doc, int32_t hx, int32_t hy) : doc_(doc), hx_(hx), hy_(hy) {
        const size_t n = doc.NodeCount();
        key_.resize(n);
        for (size_t k = 0; k < n; ++k) {
            const double m = VectorNorm(doc.Us[k], doc.Vs[k]);
            // the sort never picks a magnitude of 0 (or one that is not a number)
            key_[k] = doc.Statuses[k] > 0 ? (m > 0 ? m : 0.0) : -1.0;
        }
        auto span = [](int32_t h, int32_t n) { return size_t(std::clamp<int64_t>(2 * int64_t(h) + 1, 0, n)); };
        const size_t w = span(hx, doc.NX) * span(hy, doc.NY);
        mag_.resize(w + 1);
        at_.resize(w);
    }

    Comparison At(int i, int j) {
        const Window w = ClippedWindow(doc_, i, j, hx_, hy_);
        if (w.i0 > w.i1 || w.j0 > w.j1) return Comparison{};  // a negative half window holds nothing
        const size_t nx = size_t(doc_.NX);
        const size_t self = doc_.Index(i, j);
        size_t k = 0, p = 0;  // neighbours, and those with a magnitude above 0
        double *m = mag_.data();
        size_t *where = at_.data();
        for (int b = w.j0; b <= w.j1; ++b) {
            const size_t row = size_t(b - 1) * nx;
            for (size_t at = row + size_t(w.i0 - 1), end = row + size_t(w.i1); at < end; ++at) {
                const double key = key_[at];
                if (key < 0 || at == self) continue;
                ++k;
                if (key > 0) {
                    m[p] = key;
                    where[p++] = at;
                }
            }
        }
        if (k == 0) return Comparison{};
        const bool even = k % 2 == 0;
        const size_t hi = even ? k / 2 - 1 : k / 2;  // 0-based position(s) hi and, for even k, hi + 1
        if (hi + (even ? 1 : 0) >= p) return Slow(i, j);
        size_t firstAt = SIZE_MAX, secondAt = SIZE_MAX;
        if (p <= kCountingLimit ? !RanksByCounting(m, p, hi, even, firstAt, secondAt)
                                : !RanksBySelection(m, p, hi, even, firstAt, secondAt))
            return Slow(i, j);
        Comparison r;
        const size_t a = where[firstAt];
        if (!even) {
            r.cu = doc_.Us[a];
            r.cv = doc_.Vs[a];
            r.cm = m[firstAt];
        } else {
            const size_t b = where[secondAt];
            r.cu = (doc_.Us[a] + doc_.Us[b]) / 2;
            r.cv = (doc_.Vs[a] + doc_.Vs[b]) / 2;
            r.cm = (m[firstAt] + m[secondAt]) / 2;
        }
        r.Valid = true;
        return r;
    }

private:
    Comparison Slow(int i, int j) { return LocalMedianInto(doc_, i, j, hx_, hy_, list_); }

    const VectorDocument &doc_;
    int32_t hx_, hy_;
    FieldArray<double> key_;
    std::vector<double> mag_;
    std::vector<size_t> at_;
    std::vector<Vec2> list_;
};

}  // namespace

Comparison LocalMean(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy) {
    return LocalMeanOf(doc, i, j, hx, hy);
}

struct LocalMedianPass::Impl {
    Impl(const VectorDocument &doc, int32_t hx, int32_t hy) : pass(doc, hx, hy) {}
    MedianPass pass;
};

LocalMedianPass::LocalMedianPass(const VectorDocument &doc, int32_t hx, int32_t hy)
    : impl_(std::make_unique<Impl>(doc, hx, hy)) {}
LocalMedianPass::~LocalMedianPass() = default;
Comparison LocalMedianPass::At(int i, int j) { return impl_->pass.At(i, j); }

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
            const std::optional<double> theta = ArcCos(cosTheta);
            if (!theta || *theta / 3.141592654 * 180 > c.DirDeviationDegrees) ++met;
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
    if (ticked == 0 || doc.NX <= 0 || doc.NY <= 0) return 0;
    const bool needed = c.NeedsComparison();
    Comparison cmp;
    if (needed && c.Mode == CompareMode::AllMiddle) cmp = OverallMean(doc);
    if (needed && c.Mode == CompareMode::UserVector) {
        cmp.cu = c.UserU;
        cmp.cv = c.UserV;
        cmp.cm = VectorNorm(cmp.cu, cmp.cv);
        cmp.Valid = true;
    }
    std::optional<LocalMedianPass> median;
    if (needed && c.Mode == CompareMode::Median) median.emplace(doc, c.HalfX, c.HalfY);
    const bool mean = needed && c.Mode == CompareMode::LocalMiddle;

    // A mark changes no comparison (status 5 is valid, the components stay),
    // so the nodes are tested in storage order, row by row, and marked
    // afterwards column by column (column outer, row inner): `flagged` hears
    // of them in that order, so the table's current cell ends on the last
    // node of the last column that holds a hit.
    std::vector<size_t> hits;
    const size_t nx = size_t(doc.NX), ny = size_t(doc.NY);
    for (int j = 1; j <= doc.NY; ++j)
        for (int i = 1; i <= doc.NX; ++i) {
            const size_t at = size_t(j - 1) * nx + size_t(i - 1);
            if (doc.Statuses[at] < 1) continue;
            if (median) cmp = median->At(i, j);
            if (mean) cmp = LocalMeanOf(doc, i, j, c.HalfX, c.HalfY);
            const int met = CriteriaMet(c, cmp, doc.Us[at], doc.Vs[at]);
            if (c.LogicalOr ? met >= 1 : met == ticked) hits.push_back(at);
        }
    auto columnOrder = [nx, ny](size_t at) { return (at % nx) * ny + at / nx; };
    std::sort(hits.begin(), hits.end(), [&](size_t a, size_t b) { return columnOrder(a) < columnOrder(b); });
    for (size_t at : hits) {
        doc.Statuses[at] = StatusQuestionable;
        if (flagged) flagged(int(at % nx) + 1, int(at / nx) + 1);
    }
    return int32_t(hits.size());
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
        case FaultKeyKind::Digits: return key < '0' || key > '9' ? 0 : key;
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
