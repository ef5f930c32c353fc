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

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define SX_VECTOR_CLONES [[gnu::target_clones("avx512f", "avx2", "default")]]
#else
#define SX_VECTOR_CLONES
#endif

// The masked filter below adds, for an invalid or outside neighbour, w times
// +0.0 to sumU and sumV and w times 0.0 to sumW instead of skipping it. A sum
// that starts at +0.0 is never -0.0, and adding a zero of either sign leaves
// any other value unchanged, so each node's sums are bit for bit those of the
// plain loop, in its order. A weight that is not finite would make the zero a
// NaN: such kernels take the plain loop.
bool Maskable(const FilterKernel &k) {
    return !k.w.empty() && std::all_of(k.w.begin(), k.w.end(), [](double x) { return std::isfinite(x); });
}

// One output row: the sums of nx nodes, each over the kernel with the column
// offset outer and the row offset inner. mu[r], mv[r] and mw[r] are the
// masked U, V and validity of row offset drMin + r, shifted so that index
// i + c is column offset dcMin + c of node i. The lanes of the vector code
// are neighbouring nodes, each adding in the order of the plain loop. C and
// R fix the kernel size where they are not 0; Unit leaves out the products
// with weights that are all 1 (exact: 1 * x is x).
template <int C, int R, bool Unit>
SX_VECTOR_CLONES void SumRow(const double *const *mu, const double *const *mv, const double *const *mw, const double *w,
                             int cols, int rowsN, size_t nx, double *__restrict su, double *__restrict sv,
                             double *__restrict sw) {
    const int nc = C ? C : cols, nr = R ? R : rowsN;
    for (size_t i = 0; i < nx; ++i) {
        double a = 0.0, b = 0.0, c = 0.0;
        for (int dc = 0; dc < nc; ++dc)
            for (int dr = 0; dr < nr; ++dr) {
                const size_t at = i + size_t(dc);
                if (Unit) {
                    a += mu[dr][at];
                    b += mv[dr][at];
                    c += mw[dr][at];
                } else {
                    const double wt = w[size_t(dr) * size_t(nc) + size_t(dc)];
                    a += wt * mu[dr][at];
                    b += wt * mv[dr][at];
                    c += wt * mw[dr][at];
                }
            }
        su[i] = a;
        sv[i] = b;
        sw[i] = c;
    }
}

// Any kernel size: the same sums, one kernel element at a time over the row.
SX_VECTOR_CLONES void SumRowAnySize(const double *const *mu, const double *const *mv, const double *const *mw,
                                    const double *w, int cols, int rowsN, size_t nx, double *__restrict su,
                                    double *__restrict sv, double *__restrict sw) {
    std::fill(su, su + nx, 0.0);
    std::fill(sv, sv + nx, 0.0);
    std::fill(sw, sw + nx, 0.0);
    for (int dc = 0; dc < cols; ++dc)
        for (int dr = 0; dr < rowsN; ++dr) {
            const double wt = w[size_t(dr) * size_t(cols) + size_t(dc)];
            const double *u = mu[dr] + dc, *v = mv[dr] + dc, *m = mw[dr] + dc;
            for (size_t i = 0; i < nx; ++i) {
                su[i] += wt * u[i];
                sv[i] += wt * v[i];
                sw[i] += wt * m[i];
            }
        }
}

using RowSummer = void (*)(const double *const *, const double *const *, const double *const *, const double *, int,
                           int, size_t, double *, double *, double *);

RowSummer PickSummer(const FilterKernel &k) {
    const bool unit = std::all_of(k.w.begin(), k.w.end(), [](double x) { return x == 1.0; });
    const int c = k.Columns(), r = k.Rows();
    if (c == 3 && r == 3) return unit ? SumRow<3, 3, true> : SumRow<3, 3, false>;
    if (c == 5 && r == 5) return unit ? SumRow<5, 5, true> : SumRow<5, 5, false>;
    return SumRowAnySize;
}

// Rows are masked (0 where the status is not valid) once, with zeros beside
// them for the columns outside the field, into a ring that keeps the original
// rows the next output rows still need after their own nodes were written.
void ApplyMasked(VectorDocument &doc, const FilterKernel &k) {
    const size_t nx = size_t(doc.NX);
    const int ny = doc.NY;
    const int up = std::min(k.drMin, 0), down = std::max(k.drMax, 0);
    const int ringRows = down - up + 1;
    const size_t left = size_t(std::max(-k.dcMin, 0)), right = size_t(std::max(k.dcMax, 0));
    const size_t width = left + nx + right;
    std::vector<double> ringU(size_t(ringRows) * width, 0.0), ringV(ringU.size(), 0.0), ringW(ringU.size(), 0.0);
    const std::vector<double> zeros(width, 0.0);  // the rows outside the field
    std::vector<double> su(nx), sv(nx), sw(nx);
    const int cols = k.Columns(), rowsN = k.Rows();
    std::vector<const double *> pu(static_cast<size_t>(rowsN)), pv(pu), pw(pu);
    const RowSummer sum = PickSummer(k);
    const size_t shift = size_t(std::ptrdiff_t(left) + k.dcMin);  // left >= -dcMin
    int loaded = 0;  // rows 0 .. loaded - 1 are in the ring

    for (int r = 0; r < ny; ++r) {
        for (const int last = std::min(ny - 1, r + down); loaded <= last; ++loaded) {
            const size_t slot = size_t(loaded % ringRows) * width + left, row = size_t(loaded) * nx;
            const int32_t *st = doc.Statuses.data() + row;
            const double *u = doc.Us.data() + row, *v = doc.Vs.data() + row;
            double *mu = ringU.data() + slot, *mv = ringV.data() + slot, *mw = ringW.data() + slot;
            for (size_t i = 0; i < nx; ++i) {
                const bool valid = st[i] > 0;
                mw[i] = valid ? 1.0 : 0.0;
                mu[i] = valid ? u[i] : 0.0;
                mv[i] = valid ? v[i] : 0.0;
            }
        }
        for (int dr = k.drMin; dr <= k.drMax; ++dr) {
            const size_t n = size_t(dr - k.drMin);
            const int src = r + dr;
            if (src < 0 || src >= ny) {
                pu[n] = pv[n] = pw[n] = zeros.data() + shift;
                continue;
            }
            const size_t slot = size_t(src % ringRows) * width + shift;
            pu[n] = ringU.data() + slot;
            pv[n] = ringV.data() + slot;
            pw[n] = ringW.data() + slot;
        }
        sum(pu.data(), pv.data(), pw.data(), k.w.data(), cols, rowsN, nx, su.data(), sv.data(), sw.data());
        const size_t row = size_t(r) * nx;
        for (size_t i = 0; i < nx; ++i)
            if (doc.Statuses[row + i] >= 0) StoreResult(doc, row + i, su[i], sv[i], sw[i]);
    }
}

}  // namespace

void ApplyFilterKernel(VectorDocument &doc, const FilterKernel &kernel) {
    const int nx = doc.NX, ny = doc.NY;
    if (nx <= 0 || ny <= 0) return;
    if (!IsRowMeanKernel(kernel, nx) && Maskable(kernel)) {
        ApplyMasked(doc, kernel);
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
