#include "KernelFilter.h"

#include <algorithm>

#include "Mathematical.h"
#include "Numbers.h"

namespace sx {

FilterKernel::FilterKernel(int dcLo, int dcHi, int drLo, int drHi, double value)
    : dcMin(dcLo), dcMax(dcHi), drMin(drLo), drMax(drHi),
      w(static_cast<size_t>(dcHi - dcLo + 1) * static_cast<size_t>(drHi - drLo + 1), value) {}

FilterKernel SquareKernel(int half) { return FilterKernel(-half, half, -half, half, 1.0); }

FilterKernel GaussKernel(int half) {
    FilterKernel k(-half, half, -half, half, 0.0);
    for (int dc = -half; dc <= half; ++dc)
        for (int dr = -half; dr <= half; ++dr) k.At(dc, dr) = Binomial(2 * half, dc + half) * Binomial(2 * half, dr + half);
    return k;
}

FilterKernel VelocityProfileKernel(int nx) { return FilterKernel(1 - nx, nx - 1, 0, 0, 1.0); }

bool HasInvalidVectors(const VectorDocument &doc) {
    return std::find(doc.Statuses.begin(), doc.Statuses.end(), int32_t{StatusInvalid}) != doc.Statuses.end();
}

UserMessage InvalidVectorsWarning() {
    return {"Warnung: Das Vektorfeld enthält ungültige Vektoren!\r\nSoll der Filter trotzdem angewandt werden?",
            MsgIcon::Exclamation, MsgButtons::YesNo, "Filter anwenden"};
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

}  // namespace

void ApplyFilterKernel(VectorDocument &doc, const FilterKernel &kernel) {
    const int nx = doc.NX, ny = doc.NY;
    if (nx <= 0 || ny <= 0) return;
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
