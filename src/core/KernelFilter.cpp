#include "KernelFilter.h"

#include <algorithm>
#include <cmath>

#include "Mathematical.h"
#include "Numbers.h"

namespace sx {

FilterKernel::FilterKernel(int dcLo, int dcHi, int drLo, int drHi, double value)
    : dcMin(dcLo),
      dcMax(dcHi),
      drMin(drLo),
      drMax(drHi),
      w(static_cast<size_t>(dcHi - dcLo + 1) * static_cast<size_t>(drHi - drLo + 1), value) {}

FilterKernel SquareKernel(int half) { return FilterKernel(-half, half, -half, half, 1.0); }

FilterKernel GaussKernel(int half) {
    FilterKernel k(-half, half, -half, half, 0.0);
    for (int dc = -half; dc <= half; ++dc)
        for (int dr = -half; dr <= half; ++dr)
            // both indices lie inside row 2 half, so the coefficients always exist
            k.At(dc, dr) = Binomial(2 * half, dc + half).value_or(0) * Binomial(2 * half, dr + half).value_or(0);
    return k;
}

FilterKernel VelocityProfileKernel(int nx) { return FilterKernel(1 - nx, nx - 1, 0, 0, 1.0); }

bool HasInvalidVectors(const VectorDocument &doc) {
    return std::find(doc.Statuses.begin(), doc.Statuses.end(), int32_t{StatusInvalid}) != doc.Statuses.end();
}

UserMessage InvalidVectorsWarning() {
    return {"Warnung: Das Vektorfeld enthält ungültige Vektoren!\r\nSoll der Filter trotzdem angewandt werden?",
            MsgIcon::Exclamation, MsgButtons::YesNo, "Filter anwenden", MsgAnswer::No};
}

std::string FilterMatrixText(const FilterKernel &kernel) {
    std::string t = "(" + StrNumber(kernel.Rows()) + " x " + StrNumber(kernel.Columns()) + ") - Matrix :=\r\n";
    for (int dr = kernel.drMin; dr <= kernel.drMax; ++dr) {
        t += "\r\n";
        for (int dc = kernel.dcMin; dc <= kernel.dcMax; ++dc) {
            t += '\t';
            t += StrNumberUntrimmed(kernel.At(dc, dr));
        }
    }
    return t;
}

UserMessage FilterMatrixMessage(const FilterKernel &kernel) {
    return {FilterMatrixText(kernel), MsgIcon::Information, MsgButtons::OkCancel, "Anzuwendende Filtermatrix"};
}

namespace {

// The new status of a node from its weighted sums; U and V only when some
// valid node lay under the kernel.
inline void StoreResult(VectorDocument &doc, size_t at, double sumU, double sumV, double sumW) {
    int32_t &st = doc.Statuses[at];
    if (sumW != 0) {
        doc.Us[at] = sumU / sumW;
        doc.Vs[at] = sumV / sumW;
        if (st == StatusInvalid) ++doc.ValidCount;
        st = StatusChanged;
    } else {
        if (st != StatusInvalid) --doc.ValidCount;
        st = StatusInvalid;
    }
}

bool IsRowMeanKernel(const FilterKernel &k, int nx) {
    if (k.drMin != 0 || k.drMax != 0 || k.dcMin > 1 - nx || k.dcMax < nx - 1) return false;
    return std::all_of(k.w.begin(), k.w.end(), [](double x) { return x == 1.0; });
}

// A kernel whose weights are the products a(dc) * b(dr) of a row and a
// column factor, exactly, all finite and not negative: the box and the
// binomial kernels.
struct Factors {
    std::vector<double> a, b;  // a over dcMin..dcMax, b over drMin..drMax
};

bool Separate(const FilterKernel &k, Factors &f) {
    size_t pivot = k.w.size();
    for (size_t n = 0; n < k.w.size(); ++n) {
        if (!std::isfinite(k.w[n]) || k.w[n] < 0) return false;
        if (pivot == k.w.size() && k.w[n] != 0) pivot = n;
    }
    if (pivot == k.w.size()) return false;
    const int cols = k.Columns();
    const int pc = k.dcMin + int(pivot % size_t(cols)), pr = k.drMin + int(pivot / size_t(cols));
    f.a.clear();
    f.b.clear();
    for (int dc = k.dcMin; dc <= k.dcMax; ++dc) f.a.push_back(k.At(dc, pr));
    for (int dr = k.drMin; dr <= k.drMax; ++dr) f.b.push_back(k.At(pc, dr) / k.At(pc, pr));
    for (int dr = k.drMin; dr <= k.drMax; ++dr)
        for (int dc = k.dcMin; dc <= k.dcMax; ++dc)
            if (f.a[size_t(dc - k.dcMin)] * f.b[size_t(dr - k.drMin)] != k.At(dc, dr)) return false;
    return true;
}

// The separable filter: the sums over the weights, the weighted U and the
// weighted V are taken along the rows' neighbours first (b) and then along
// the columns' (a), in storage order. Rows are masked (0 where the status is
// not valid) once, into a ring that keeps the original rows the next output
// rows still need after their own nodes have been written.
void ApplySeparable(VectorDocument &doc, const FilterKernel &k, const Factors &f) {
    const size_t nx = size_t(doc.NX);
    const int ny = doc.NY;
    const int up = std::min(k.drMin, 0), down = std::max(k.drMax, 0);
    const size_t ringRows = size_t(down - up + 1);
    std::vector<double> ringW(ringRows * nx), ringU(ringRows * nx), ringV(ringRows * nx);
    const size_t left = size_t(std::max(-k.dcMin, 0)), right = size_t(std::max(k.dcMax, 0));
    const size_t width = left + nx + right;
    std::vector<double> tw(width, 0.0), tu(width, 0.0), tv(width, 0.0);
    std::vector<double> sw(nx), su(nx), sv(nx);
    int loaded = 0;  // rows 0 .. loaded - 1 are in the ring

    for (int r = 0; r < ny; ++r) {
        for (const int last = std::min(ny - 1, r + down); loaded <= last; ++loaded) {
            const size_t slot = size_t(loaded % int(ringRows)) * nx, row = size_t(loaded) * nx;
            const int32_t *st = doc.Statuses.data() + row;
            const double *u = doc.Us.data() + row, *v = doc.Vs.data() + row;
            double *w = ringW.data() + slot, *mu = ringU.data() + slot, *mv = ringV.data() + slot;
            for (size_t i = 0; i < nx; ++i) {
                const bool valid = st[i] > 0;
                w[i] = valid ? 1.0 : 0.0;
                mu[i] = valid ? u[i] : 0.0;
                mv[i] = valid ? v[i] : 0.0;
            }
        }
        double *cw = tw.data() + left, *cu = tu.data() + left, *cv = tv.data() + left;
        std::fill(cw, cw + nx, 0.0);
        std::fill(cu, cu + nx, 0.0);
        std::fill(cv, cv + nx, 0.0);
        for (int dr = std::max(k.drMin, -r); dr <= std::min(k.drMax, ny - 1 - r); ++dr) {
            const double b = f.b[size_t(dr - k.drMin)];
            const size_t slot = size_t((r + dr) % int(ringRows)) * nx;
            const double *w = ringW.data() + slot, *mu = ringU.data() + slot, *mv = ringV.data() + slot;
            for (size_t i = 0; i < nx; ++i) {
                cw[i] += b * w[i];
                cu[i] += b * mu[i];
                cv[i] += b * mv[i];
            }
        }
        std::fill(sw.begin(), sw.end(), 0.0);
        std::fill(su.begin(), su.end(), 0.0);
        std::fill(sv.begin(), sv.end(), 0.0);
        // the zeros beside the row stand for the nodes outside the field
        for (int dc = k.dcMin; dc <= k.dcMax; ++dc) {
            const double a = f.a[size_t(dc - k.dcMin)];
            const double *w = cw + dc, *mu = cu + dc, *mv = cv + dc;
            for (size_t i = 0; i < nx; ++i) {
                sw[i] += a * w[i];
                su[i] += a * mu[i];
                sv[i] += a * mv[i];
            }
        }
        const size_t row = size_t(r) * nx;
        for (size_t i = 0; i < nx; ++i)
            if (doc.Statuses[row + i] >= 0) StoreResult(doc, row + i, su[i], sv[i], sw[i]);
    }
}

}  // namespace

void ApplyFilterKernel(VectorDocument &doc, const FilterKernel &kernel) {
    const int nx = doc.NX, ny = doc.NY;
    if (nx <= 0 || ny <= 0) return;
    Factors factors;
    if (!IsRowMeanKernel(kernel, nx) && Separate(kernel, factors)) {
        ApplySeparable(doc, kernel, factors);
        return;
    }
    const FieldArray<double> u0 = doc.Us, v0 = doc.Vs;
    const FieldArray<int32_t> s0 = doc.Statuses;
    const size_t stride = static_cast<size_t>(nx);

    if (IsRowMeanKernel(kernel, nx)) {
        // Every node of a row sees the whole row with weight 1, so the sums are
        // the same for all of them (added in the same ascending order as the
        // general loop would); this keeps the filter linear in the field size.
        for (int j = 1; j <= ny; ++j) {
            const size_t row = static_cast<size_t>(j - 1) * stride;
            double sumU = 0, sumV = 0, sumW = 0;
            for (size_t a = row; a < row + stride; ++a)
                if (s0[a] > 0) {
                    sumU += u0[a];
                    sumV += v0[a];
                    sumW += 1.0;
                }
            for (size_t a = row; a < row + stride; ++a)
                if (s0[a] >= 0) StoreResult(doc, a, sumU, sumV, sumW);
        }
        return;
    }

    const size_t kcols = static_cast<size_t>(kernel.Columns());
    for (int j = 1; j <= ny; ++j) {
        const int drLo = std::max(kernel.drMin, 1 - j), drHi = std::min(kernel.drMax, ny - j);
        for (int i = 1; i <= nx; ++i) {
            const size_t at = static_cast<size_t>(j - 1) * stride + static_cast<size_t>(i - 1);
            if (s0[at] < 0) continue;
            const int dcLo = std::max(kernel.dcMin, 1 - i), dcHi = std::min(kernel.dcMax, nx - i);
            double sumU = 0, sumV = 0, sumW = 0;
            // dc outer, dr inner: the order in which the sums are added up
            for (int dc = dcLo; dc <= dcHi; ++dc) {
                const double *wk = kernel.w.data() + static_cast<size_t>(dc - kernel.dcMin);
                for (int dr = drLo; dr <= drHi; ++dr) {
                    const size_t n = static_cast<size_t>(static_cast<long>(at) + static_cast<long>(dr) * nx + dc);
                    if (s0[n] <= 0) continue;
                    const double wt = wk[static_cast<size_t>(dr - kernel.drMin) * kcols];
                    sumU += wt * u0[n];
                    sumV += wt * v0[n];
                    sumW += wt;
                }
            }
            StoreResult(doc, at, sumU, sumV, sumW);
        }
    }
}

}  // namespace sx
