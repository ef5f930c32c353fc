#include "DerivedFields.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <vector>

#include "Numbers.h"

namespace sx {

namespace {

bool FieldConsistent(const VectorDocument &doc) {
    const size_t n = doc.NodeCount();
    return doc.NX > 0 && doc.NY > 0 && doc.PosXs.size() == static_cast<size_t>(doc.NX) &&
           doc.PosYs.size() == static_cast<size_t>(doc.NY) && doc.Us.size() == n && doc.Vs.size() == n &&
           doc.Statuses.size() == n;
}

// Non-finite results (overflow of the differences) are stored as 0.
inline double VorticityOf(double B, double C) {
    const double w = C - B;
    return std::fabs(w) <= DBL_MAX ? w : 0.0;
}

// (A D - B C) - ((A + D) / 2)^2 where positive (and finite), signed with the
// sense of rotation; 0 otherwise, never -0.
inline double SwirlOf(double A, double B, double C, double D) {
    const double h = (A + D) / 2;
    const double t = (A * D - B * C) - h * h;
    const double s = B < C ? t : -t;
    return (t > 0 && t <= DBL_MAX) ? s : 0.0;
}

// One row of the field with the rows above and below it; at the field's
// edges these are the row itself and hasUp or hasDown is false.
struct RowView {
    const int32_t *st, *stUp, *stDown;
    const double *u, *uUp, *uDown, *v, *vUp, *vDown;
    bool hasUp, hasDown;
    double pyUp, py, pyDown;
};

// Which fields a pass computes: the background needs one at a time, and
// the one not asked for costs nothing.
enum Want { kVort = 1, kSwirl = 2, kBoth = 3 };

// The values of the node in column i (0-based). An invalid or removed
// neighbour is replaced by the node itself.
template <int W>
inline void NodeValues(const RowView &w, const double *px, int i, int nx, double *vort, double *swirl) {
    const bool left = i > 0 && w.st[i - 1] > 0, right = i < nx - 1 && w.st[i + 1] > 0;
    const bool up = w.hasUp && w.stUp[i] > 0, down = w.hasDown && w.stDown[i] > 0;
    const bool own = w.st[i] > 0;
    const int l = left ? i - 1 : i, r = right ? i + 1 : i;
    const double uL = w.u[l], uR = w.u[r], vL = w.v[l], vR = w.v[r];
    const double uP = up ? w.uUp[i] : w.u[i], uN = down ? w.uDown[i] : w.u[i];
    const double vP = up ? w.vUp[i] : w.v[i], vN = down ? w.vDown[i] : w.v[i];
    const double dx = px[r] - px[l];
    const double dy = (down ? w.pyDown : w.py) - (up ? w.pyUp : w.py);
    const bool some = (left | right) & (up | down);
    const bool all = left & right & up & down;
    const bool use = some & (own | all) & (dx != 0) & (dy != 0);
    const double A = 1000 * (uR - uL) / dx;
    const double B = 1000 * (uN - uP) / dy;
    const double C = 1000 * (vR - vL) / dx;
    const double D = 1000 * (vN - vP) / dy;
    if (W & kVort) vort[i] = use ? VorticityOf(B, C) : 0.0;
    if (W & kSwirl) swirl[i] = use ? SwirlOf(A, B, C, D) : 0.0;
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define SX_VECTOR_CLONES [[gnu::target_clones("avx512f", "avx2", "default")]]
#else
#define SX_VECTOR_CLONES
#endif

// NodeValues for the inner columns of a row, written without branches so
// that the compiler turns the loop into vector code. okUp, ok and okDown hold
// 1 for a valid node of the rows above, this and below (0 beyond the field's
// edges), as doubles so that every lane of the vector code has one width.
// Only what the asked-for fields need is loaded and computed: the vorticity
// needs neither du/dx nor dv/dy.
template <int W>
SX_VECTOR_CLONES void InnerColumns(const RowView &w, const double *__restrict okUp, const double *__restrict ok,
                                   const double *__restrict okDown, const double *__restrict px, int nx,
                                   double *__restrict vort, double *__restrict swirl) {
    const double *__restrict u = w.u, *__restrict uUp = w.uUp, *__restrict uDown = w.uDown;
    const double *__restrict v = w.v, *__restrict vUp = w.vUp, *__restrict vDown = w.vDown;
    const double pyUp = w.pyUp, py = w.py, pyDown = w.pyDown;
    for (int i = 1; i < nx - 1; ++i) {
        const bool left = ok[i - 1] != 0, right = ok[i + 1] != 0;
        const bool up = okUp[i] != 0, down = okDown[i] != 0;
        const bool own = ok[i] != 0;
        // every value loaded, then chosen: no branch in the loop
        const double u0 = u[i], uA = uUp[i], uB = uDown[i];
        const double v0 = v[i], vW = v[i - 1], vE = v[i + 1];
        const double x0 = px[i], xW = px[i - 1], xE = px[i + 1];
        const double uP = up ? uA : u0, uN = down ? uB : u0;
        const double vL = left ? vW : v0, vR = right ? vE : v0;
        const double dx = (right ? xE : x0) - (left ? xW : x0);
        const double dy = (down ? pyDown : py) - (up ? pyUp : py);
        const bool some = (left | right) & (up | down);
        const bool all = left & right & up & down;
        const bool use = some & (own | all) & (dx != 0) & (dy != 0);
        const double B = 1000 * (uN - uP) / dy;
        const double C = 1000 * (vR - vL) / dx;
        if (W & kVort) {
            const double wv = C - B;
            vort[i] = (use & (std::fabs(wv) <= DBL_MAX)) ? wv : 0.0;
        }
        if (W & kSwirl) {
            const double uW = u[i - 1], uE = u[i + 1], vA = vUp[i], vB = vDown[i];
            const double uL = left ? uW : u0, uR = right ? uE : u0;
            const double vP = up ? vA : v0, vN = down ? vB : v0;
            const double A = 1000 * (uR - uL) / dx;
            const double D = 1000 * (vN - vP) / dy;
            const double h = (A + D) / 2;
            const double t = (A * D - B * C) - h * h;
            const double ts = B < C ? t : -t;
            swirl[i] = (use & (t > 0) & (t <= DBL_MAX)) ? ts : 0.0;
        }
    }
}

// 1 for a valid status, 0 otherwise.
SX_VECTOR_CLONES void ValidAsDoubles(const int32_t *__restrict st, size_t n, double *__restrict ok) {
    for (size_t i = 0; i < n; ++i) ok[i] = double(st[i] > 0);
}

// Visits every node once with its gradients (1/s) and stores the vorticity,
// the signed squared swirling strength or both, 0 where the node has no
// value. The nodes are independent, so the visit runs along the contiguous
// rows rather than column by column, and every element is written (nothing
// to clear first).
template <int W>
void DerivedPass(const VectorDocument &doc, FieldArray<double> *vorticity, FieldArray<double> *swirl) {
    const size_t n = doc.NodeCount();
    if (!FieldConsistent(doc)) {
        if (W & kVort) vorticity->assign(n, 0.0);
        if (W & kSwirl) swirl->assign(n, 0.0);
        return;
    }
    if (W & kVort) vorticity->resize(n);
    if (W & kSwirl) swirl->resize(n);
    const int nx = doc.NX, ny = doc.NY;
    const double *px = doc.PosXs.data();
    const double *py = doc.PosYs.data();
    const size_t row = size_t(nx);
    // validity of rows j - 1, j, j + 1 as doubles, rotated as j moves on
    std::vector<double> okRows(3 * row), none(row, 0.0);
    auto okOf = [&](int r) { return okRows.data() + size_t(r % 3) * row; };
    auto fillOk = [&](int r) { ValidAsDoubles(doc.Statuses.data() + size_t(r) * row, row, okOf(r)); };
    fillOk(0);
    if (ny > 1) fillOk(1);

    for (int j = 0; j < ny; ++j) {
        const size_t base = size_t(j) * row;
        const bool hasUp = j > 0, hasDown = j < ny - 1;
        const size_t upBase = hasUp ? base - row : base, downBase = hasDown ? base + row : base;
        const int32_t *st = doc.Statuses.data();
        const double *u = doc.Us.data(), *v = doc.Vs.data();
        const RowView w{st + base,     st + upBase,
                        st + downBase, u + base,
                        u + upBase,    u + downBase,
                        v + base,      v + upBase,
                        v + downBase,  hasUp,
                        hasDown,       py[hasUp ? j - 1 : j],
                        py[j],         py[hasDown ? j + 1 : j]};
        double *wo = (W & kVort) ? vorticity->data() + base : nullptr;
        double *so = (W & kSwirl) ? swirl->data() + base : nullptr;
        if (j + 1 < ny && j >= 1) fillOk(j + 1);
        InnerColumns<W>(w, hasUp ? okOf(j - 1) : none.data(), okOf(j), hasDown ? okOf(j + 1) : none.data(), px, nx, wo,
                        so);
        NodeValues<W>(w, px, 0, nx, wo, so);
        if (nx > 1) NodeValues<W>(w, px, nx - 1, nx, wo, so);
    }
}

int Channel(double b, double nullValue, double endValue, int cNull, int cEnd) {
    double c = cNull + (b - nullValue) * (cEnd - cNull) / (endValue - nullValue);
    if (std::isnan(c)) return cNull;  // only from a scale that is itself not a number
    if (c > 255) c = 255;
    if (c < 0) c = 0;
    return static_cast<int>(RoundHalfEven(c));
}

}  // namespace

void CalcVorticity(const VectorDocument &doc, FieldArray<double> &out) { DerivedPass<kVort>(doc, &out, nullptr); }
void CalcVorticity(VectorDocument &doc) { CalcVorticity(doc, doc.BackValues); }

void CalcSwirlSquare(const VectorDocument &doc, FieldArray<double> &out) { DerivedPass<kSwirl>(doc, nullptr, &out); }
void CalcSwirlSquare(VectorDocument &doc) { CalcSwirlSquare(doc, doc.BackValues); }

void CalcDerivedFields(const VectorDocument &doc, FieldArray<double> *vorticity, FieldArray<double> *swirlSquare) {
    if (vorticity && swirlSquare)
        DerivedPass<kBoth>(doc, vorticity, swirlSquare);
    else if (vorticity)
        DerivedPass<kVort>(doc, vorticity, nullptr);
    else if (swirlSquare)
        DerivedPass<kSwirl>(doc, nullptr, swirlSquare);
}

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
    return BackgroundColor(b, ColorScale{doc.BackMinValue, doc.BackNullValue, doc.BackMaxValue}, doc.Colors[ColBackMin],
                           doc.Colors[ColBackNull], doc.Colors[ColBackMax]);
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
