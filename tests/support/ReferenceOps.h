#pragma once
// Straightforward versions of the field operations, written the plain way
// (one node at a time, every neighbour visited, the median by the selection
// sort). The tests hold the fast versions against them; the benchmarks time
// them beside the fast ones.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "DerivedFields.h"
#include "FaultSearch.h"
#include "KernelFilter.h"
#include "PlotGeometry.h"
#include "VectorDocument.h"

namespace ref {

// Median by magnitude of the valid neighbours, the list sorted by descending
// magnitude with the selection sort that keeps the first of equal entries.
inline sx::Comparison LocalMedian(const sx::VectorDocument &doc, int i, int j, int32_t hx, int32_t hy) {
    struct Entry {
        double u, v, m;
    };
    std::vector<Entry> L;
    const int64_t i0 = std::max<int64_t>(1, int64_t(i) - hx), i1 = std::min<int64_t>(doc.NX, int64_t(i) + hx);
    const int64_t j0 = std::max<int64_t>(1, int64_t(j) - hy), j1 = std::min<int64_t>(doc.NY, int64_t(j) + hy);
    for (int64_t a = i0; a <= i1; ++a)
        for (int64_t b = j0; b <= j1; ++b) {
            if (a == i && b == j) continue;
            if (doc.Status(int(a), int(b)) <= 0) continue;
            const double u = doc.U(int(a), int(b)), v = doc.V(int(a), int(b));
            L.push_back({u, v, sx::VectorNorm(u, v)});
        }
    sx::Comparison c;
    const size_t k = L.size();
    if (k == 0) return c;
    for (size_t a = 0; a + 1 < k; ++a) {
        bool found = false;
        size_t best = 0;
        double bestM = 0;
        for (size_t b = a; b < k; ++b)
            if (L[b].m > bestM) {
                best = b;
                bestM = L[b].m;
                found = true;
            }
        if (found) std::swap(L[a], L[best]);
    }
    if (k % 2 == 1) {
        const Entry &p = L[k / 2];
        c.cu = p.u;
        c.cv = p.v;
        c.cm = p.m;
    } else {
        const Entry &p = L[k / 2 - 1], &q = L[k / 2];
        c.cu = (p.u + q.u) / 2;
        c.cv = (p.v + q.v) / 2;
        c.cm = (p.m + q.m) / 2;
    }
    c.Valid = true;
    return c;
}

// The marking pass, node by node in column order; `order` receives the
// flagged nodes as (i, j).
inline int32_t SearchFaultVectors(sx::VectorDocument &doc, const sx::FaultCriteria &c,
                                  std::vector<std::pair<int, int>> *order = nullptr) {
    const int ticked = c.TickedCount();
    if (ticked == 0) return 0;
    const bool needed = c.NeedsComparison();
    sx::Comparison cmp;
    if (needed && c.Mode == sx::CompareMode::AllMiddle) cmp = sx::OverallMean(doc);
    if (needed && c.Mode == sx::CompareMode::UserVector) {
        cmp.cu = c.UserU;
        cmp.cv = c.UserV;
        cmp.cm = sx::VectorNorm(c.UserU, c.UserV);
        cmp.Valid = true;
    }
    int32_t count = 0;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j) {
            if (doc.Status(i, j) < 1) continue;
            if (needed && c.Mode == sx::CompareMode::LocalMiddle) cmp = sx::LocalMean(doc, i, j, c.HalfX, c.HalfY);
            if (needed && c.Mode == sx::CompareMode::Median) cmp = ref::LocalMedian(doc, i, j, c.HalfX, c.HalfY);
            const int met = sx::CriteriaMet(c, cmp, doc.U(i, j), doc.V(i, j));
            if (c.LogicalOr ? met >= 1 : met == ticked) {
                doc.Status(i, j) = sx::StatusQuestionable;
                ++count;
                if (order) order->emplace_back(i, j);
            }
        }
    return count;
}

// Every node from copies, the kernel visited column offset outer, row offset inner.
inline void ApplyFilterKernel(sx::VectorDocument &doc, const sx::FilterKernel &k) {
    const sx::VectorDocument copy = doc;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j) {
            if (copy.Status(i, j) < 0) continue;
            double su = 0, sv = 0, sw = 0;
            for (int dc = k.dcMin; dc <= k.dcMax; ++dc)
                for (int dr = k.drMin; dr <= k.drMax; ++dr) {
                    const int a = i + dc, b = j + dr;
                    if (a < 1 || a > doc.NX || b < 1 || b > doc.NY || copy.Status(a, b) <= 0) continue;
                    const double w = k.At(dc, dr);
                    su += w * copy.U(a, b);
                    sv += w * copy.V(a, b);
                    sw += w;
                }
            if (sw != 0) {
                doc.U(i, j) = su / sw;
                doc.V(i, j) = sv / sw;
                if (doc.Status(i, j) == sx::StatusInvalid) ++doc.ValidCount;
                doc.Status(i, j) = sx::StatusChanged;
            } else {
                if (doc.Status(i, j) != sx::StatusInvalid) --doc.ValidCount;
                doc.Status(i, j) = sx::StatusInvalid;
            }
        }
}

// The four gradients of node (i, j); false where the node's value is 0
// (one-sided at both ends, an invalid node beside a gap, equal positions).
inline bool Gradients(const sx::VectorDocument &d, int i, int j, double &A, double &B, double &C, double &D) {
    int iL = std::max(1, i - 1), iR = std::min(d.NX, i + 1);
    if (iL < i && d.Status(iL, j) <= 0) iL = i;
    if (iR > i && d.Status(iR, j) <= 0) iR = i;
    int jP = std::max(1, j - 1), jN = std::min(d.NY, j + 1);
    if (jP < j && d.Status(i, jP) <= 0) jP = j;
    if (jN > j && d.Status(i, jN) <= 0) jN = j;
    if (iL == iR || jP == jN) return false;
    if (d.Status(i, j) <= 0 && (iL == i || iR == i || jP == j || jN == j)) return false;
    const double dx = d.PosX(iR) - d.PosX(iL), dy = d.PosY(jN) - d.PosY(jP);
    if (dx == 0 || dy == 0) return false;
    A = 1000 * (d.U(iR, j) - d.U(iL, j)) / dx;
    B = 1000 * (d.U(i, jN) - d.U(i, jP)) / dy;
    C = 1000 * (d.V(iR, j) - d.V(iL, j)) / dx;
    D = 1000 * (d.V(i, jN) - d.V(i, jP)) / dy;
    return true;
}

inline void Vorticity(const sx::VectorDocument &d, sx::FieldArray<double> &out) {
    out.assign(d.NodeCount(), 0.0);
    for (int i = 1; i <= d.NX; ++i)
        for (int j = 1; j <= d.NY; ++j) {
            double A, B, C, D;
            if (!Gradients(d, i, j, A, B, C, D)) continue;
            const double w = C - B;
            out[d.Index(i, j)] = std::isfinite(w) ? w : 0;
        }
}

inline void SwirlSquare(const sx::VectorDocument &d, sx::FieldArray<double> &out) {
    out.assign(d.NodeCount(), 0.0);
    for (int i = 1; i <= d.NX; ++i)
        for (int j = 1; j <= d.NY; ++j) {
            double A, B, C, D;
            if (!Gradients(d, i, j, A, B, C, D)) continue;
            const double s = (A * D - B * C) - ((A + D) / 2) * ((A + D) / 2);
            double w = 0;
            if (s > 0) w = B < C ? s : -s;
            out[d.Index(i, j)] = std::isfinite(w) ? w : 0;
        }
}

}  // namespace ref
