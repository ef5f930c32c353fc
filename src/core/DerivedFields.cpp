#include "DerivedFields.h"

#include <cmath>
#include <cstddef>

#include "Numbers.h"

namespace sx {

namespace {

bool FieldConsistent(const VectorDocument &doc) {
    const size_t n = doc.NodeCount();
    return doc.NX > 0 && doc.NY > 0 && doc.PosXs.size() == static_cast<size_t>(doc.NX) &&
           doc.PosYs.size() == static_cast<size_t>(doc.NY) && doc.Us.size() == n && doc.Vs.size() == n &&
           doc.Statuses.size() == n;
}

// Visits every node with its four gradients (1/s) and stores value(A, B, C, D)
// or 0. The nodes are independent, so the visit runs along the contiguous
// rows rather than column by column.
template <class Value>
void ForEachGradient(const VectorDocument &doc, FieldArray<double> &out, Value value) {
    out.assign(doc.NodeCount(), 0.0);
    if (!FieldConsistent(doc)) return;
    const int nx = doc.NX, ny = doc.NY;
    const double *px = doc.PosXs.data();
    const double *py = doc.PosYs.data();
    const double *u = doc.Us.data();
    const double *v = doc.Vs.data();
    const int32_t *st = doc.Statuses.data();
    double *res = out.data();
    const ptrdiff_t row = nx;

    for (int j = 0; j < ny; ++j) {
        const ptrdiff_t base = static_cast<ptrdiff_t>(j) * row;
        for (int i = 0; i < nx; ++i) {
            const ptrdiff_t k = base + i;
            // neighbours as offsets; 0 means the node itself
            ptrdiff_t l = (i > 0) ? -1 : 0;
            if (l && st[k + l] <= 0) l = 0;
            ptrdiff_t r = (i < nx - 1) ? 1 : 0;
            if (r && st[k + r] <= 0) r = 0;
            int jp = (j > 0) ? j - 1 : j;
            if (jp != j && st[k - row] <= 0) jp = j;
            int jn = (j < ny - 1) ? j + 1 : j;
            if (jn != j && st[k + row] <= 0) jn = j;

            if (l == r || jp == jn) continue;
            if (st[k] <= 0 && (l == 0 || r == 0 || jp == j || jn == j)) continue;

            const double dx = px[i + r] - px[i + l];
            const double dy = py[jn] - py[jp];
            if (dx == 0 || dy == 0) continue;  // equal positions: no gradient
            const ptrdiff_t kP = k + (jp - j) * row;
            const ptrdiff_t kN = k + (jn - j) * row;
            const double A = 1000 * (u[k + r] - u[k + l]) / dx;
            const double B = 1000 * (u[kN] - u[kP]) / dy;
            const double C = 1000 * (v[k + r] - v[k + l]) / dx;
            const double D = 1000 * (v[kN] - v[kP]) / dy;
            const double w = value(A, B, C, D);
            if (std::isfinite(w)) res[k] = w;
        }
    }
}

struct Vorticity {
    double operator()(double, double B, double C, double) const { return C - B; }
};

struct SwirlSquare {
    double operator()(double A, double B, double C, double D) const {
        const double h = (A + D) / 2;
        const double s = (A * D - B * C) - h * h;
        if (!(s > 0)) return 0;  // also keeps -0 out of the array
        return B < C ? s : -s;
    }
};

int Channel(double b, double nullValue, double endValue, int cNull, int cEnd) {
    double c = cNull + (b - nullValue) * (cEnd - cNull) / (endValue - nullValue);
    if (std::isnan(c)) return cNull;  // only from a scale that is itself not a number
    if (c > 255) c = 255;
    if (c < 0) c = 0;
    return static_cast<int>(RoundHalfEven(c));
}

}  // namespace

void CalcVorticity(const VectorDocument &doc, FieldArray<double> &out) { ForEachGradient(doc, out, Vorticity{}); }
void CalcVorticity(VectorDocument &doc) { CalcVorticity(doc, doc.BackValues); }

void CalcSwirlSquare(const VectorDocument &doc, FieldArray<double> &out) { ForEachGradient(doc, out, SwirlSquare{}); }
void CalcSwirlSquare(VectorDocument &doc) { CalcSwirlSquare(doc, doc.BackValues); }

void RecalcBackground(VectorDocument &doc) {
    if (doc.View.Background == BackSwirlSquare) CalcSwirlSquare(doc);
    if (doc.View.Background == BackVorticity) CalcVorticity(doc);
}

ColorScale ColorScaleFromData(const FieldArray<double> &values) {
    ColorScale s{0, 0, 0};
    for (double b : values) {
        if (b > s.Max) s.Max = b;
        if (b < s.Min) s.Min = b;
    }
    if (s.Max <= 0) s.Max = 1;
    if (s.Min >= 0) s.Min = -1;
    return s;
}

void SetColorScaleFromData(VectorDocument &doc) {
    const ColorScale s = ColorScaleFromData(doc.BackValues);
    doc.BackMinValue = s.Min;
    doc.BackNullValue = s.Null;
    doc.BackMaxValue = s.Max;
}

void ResetColorScale(VectorDocument &doc) {
    doc.BackMinValue = -1;
    doc.BackNullValue = 0;
    doc.BackMaxValue = 1;
}

int32_t BackgroundColor(double b, const ColorScale &s, int32_t colMin, int32_t colNull, int32_t colMax) {
    if (std::isnan(b)) return colNull;
    if (b > s.Null) {
        if (b >= s.Max) return colMax;
        return Rgb(Channel(b, s.Null, s.Max, RedOf(colNull), RedOf(colMax)),
                   Channel(b, s.Null, s.Max, GreenOf(colNull), GreenOf(colMax)),
                   Channel(b, s.Null, s.Max, BlueOf(colNull), BlueOf(colMax)));
    }
    if (b <= s.Min) return colMin;
    return Rgb(Channel(b, s.Null, s.Min, RedOf(colNull), RedOf(colMin)),
               Channel(b, s.Null, s.Min, GreenOf(colNull), GreenOf(colMin)),
               Channel(b, s.Null, s.Min, BlueOf(colNull), BlueOf(colMin)));
}

int32_t BackgroundColor(const VectorDocument &doc, double b) {
    return BackgroundColor(b, ColorScale{doc.BackMinValue, doc.BackNullValue, doc.BackMaxValue},
                           doc.Colors[ColBackMin], doc.Colors[ColBackNull], doc.Colors[ColBackMax]);
}

bool BufferMatches(const VectorFieldBuffer &buffer, const VectorDocument &doc) {
    return buffer.BufferNX == doc.NX && buffer.BufferNY == doc.NY && buffer.BufferNX > 0 && buffer.BufferNY > 0 &&
           buffer.IsConsistent();
}

bool FillBackgroundFromBuffer(VectorDocument &doc, const VectorFieldBuffer &buffer, BufferQuantity quantity) {
    if (!BufferMatches(buffer, doc)) return false;
    const size_t n = doc.NodeCount();
    doc.BackValues.assign(n, 0.0);
    for (size_t k = 0; k < n; ++k) {
        if (buffer.BufferStatuses[k] <= 0) continue;
        const double u = buffer.BufferUs[k], v = buffer.BufferVs[k];
        switch (quantity) {
            case BufferQuantity::XComp: doc.BackValues[k] = u; break;
            case BufferQuantity::YComp: doc.BackValues[k] = v; break;
            case BufferQuantity::Magnitude: doc.BackValues[k] = std::sqrt(u * u + v * v); break;
            case BufferQuantity::XtimesY: doc.BackValues[k] = u * v; break;
        }
    }
    return true;
}

}  // namespace sx
