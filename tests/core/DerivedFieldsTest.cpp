#include "DerivedFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace sx;

namespace {

// nx x ny nodes at x0 + (i-1)*dx, y0 + (j-1)*dy mm; (u, v) in m/s from the position in mm.
VectorDocument Field(int nx, int ny, double dx, double dy, std::function<void(double, double, double &, double &)> f,
                     double x0 = 0, double y0 = 0) {
    VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = x0 + (i - 1) * dx;
    for (int j = 1; j <= ny; ++j) d.PosY(j) = y0 + (j - 1) * dy;
    for (int j = 1; j <= ny; ++j)
        for (int i = 1; i <= nx; ++i) {
            f(d.PosX(i), d.PosY(j), d.U(i, j), d.V(i, j));
            d.Status(i, j) = StatusValid;
        }
    return d;
}

// Solid-body rotation with angular velocity omega (1/s) about (50, 50) mm.
VectorDocument Rotation(double omega, int n = 11, double dy = 10) {
    return Field(n, n, 10, dy, [omega](double x, double y, double &u, double &v) {
        u = -omega * (y - 50) / 1000;
        v = omega * (x - 50) / 1000;
    });
}

FieldArray<double> Vort(const VectorDocument &d) {
    FieldArray<double> out;
    CalcVorticity(d, out);
    return out;
}
FieldArray<double> Swirl(const VectorDocument &d) {
    FieldArray<double> out;
    CalcSwirlSquare(d, out);
    return out;
}

}  // namespace

TEST(DerivedFields, UniformFlowIsZeroEverywhere) {
    auto d = Field(6, 5, 2, 3, [](double, double, double &u, double &v) { u = 1.5, v = -0.7; });
    for (double w : Vort(d)) EXPECT_EQ(w, 0);
    for (double s : Swirl(d)) EXPECT_EQ(s, 0);
    ColorScale s = ColorScaleFromData(Swirl(d));
    EXPECT_EQ(s.Min, -1);
    EXPECT_EQ(s.Max, 1);
}

TEST(DerivedFields, SolidBodyRotation) {
    for (double omega : {3.0, -3.0}) {
        for (double dy : {10.0, -10.0}) {  // rows in either order
            auto d = Rotation(omega, 11, dy);
            auto w = Vort(d), s = Swirl(d);
            for (int j = 1; j <= d.NY; ++j)
                for (int i = 1; i <= d.NX; ++i) {
                    // the field is linear, so the one-sided border differences are exact too
                    EXPECT_NEAR(w[d.Index(i, j)], 2 * omega, 1e-9) << i << "," << j;
                    EXPECT_NEAR(s[d.Index(i, j)], omega > 0 ? omega * omega : -omega * omega, 1e-9);
                }
        }
    }
}

TEST(DerivedFields, PureShearAndPureStrain) {
    const double gamma = 4;  // du/dy in 1/s
    auto shear = Field(7, 6, 5, 5, [&](double, double y, double &u, double &v) { u = gamma * y / 1000, v = 0; });
    for (double w : Vort(shear)) EXPECT_NEAR(w, -gamma, 1e-9);
    for (double s : Swirl(shear)) EXPECT_EQ(s, 0);

    // a saddle has real eigenvalues: no swirl, no vorticity
    auto strain = Field(7, 6, 5, 5, [](double x, double y, double &u, double &v) { u = x / 1000, v = -y / 1000; });
    for (double s : Swirl(strain)) EXPECT_EQ(s, 0);
    for (double w : Vort(strain)) EXPECT_NEAR(w, 0, 1e-12);
}

TEST(DerivedFields, CentralAndOneSidedDifferences) {
    // v = x^2/1000: central difference 2x, one-sided (x_i - h .. x_i) 2x - h
    auto d = Field(7, 3, 2, 1, [](double x, double, double &u, double &v) { u = 0, v = x * x / 1000; });
    auto w = Vort(d);
    EXPECT_NEAR(w[d.Index(3, 2)], 2 * 4.0, 1e-9);       // x = 4, central
    EXPECT_NEAR(w[d.Index(1, 2)], 0 + 2, 1e-9);         // first column: forward (0..2)
    EXPECT_NEAR(w[d.Index(7, 2)], 2 * 12.0 - 2, 1e-9);  // last column: backward (10..12)

    d.Status(4, 2) = StatusInvalid;  // right neighbour of (3, 2)
    w = Vort(d);
    EXPECT_NEAR(w[d.Index(3, 2)], 2 * 4.0 - 2, 1e-9);  // backward difference with itself
    EXPECT_NEAR(w[d.Index(5, 2)], 2 * 8.0 + 2, 1e-9);  // forward difference with itself
    d.Status(4, 2) = StatusRemoved;
    EXPECT_EQ(Vort(d), w);
}

TEST(DerivedFields, InvalidNodes) {
    auto d = Rotation(2);
    // an invalid node with four valid, distinct neighbours is estimated from them
    d.Status(5, 5) = StatusInvalid;
    d.U(5, 5) = 1e6;
    d.V(5, 5) = -1e6;
    EXPECT_NEAR(Vort(d)[d.Index(5, 5)], 4, 1e-9);
    EXPECT_NEAR(Swirl(d)[d.Index(5, 5)], 4, 1e-9);
    // ... but not when one of them is missing too
    d.Status(5, 6) = StatusRemoved;
    EXPECT_EQ(Vort(d)[d.Index(5, 5)], 0);
    EXPECT_EQ(Swirl(d)[d.Index(5, 5)], 0);
    // an invalid border node has itself as a neighbour
    d.Status(1, 3) = StatusInvalid;
    EXPECT_EQ(Vort(d)[d.Index(1, 3)], 0);
    // a valid node between two invalid ones has no difference along x
    d.Status(4, 8) = StatusInvalid;
    d.Status(6, 8) = StatusInvalid;
    EXPECT_EQ(Vort(d)[d.Index(5, 8)], 0);
}

TEST(DerivedFields, DegenerateGridsGiveZero) {
    auto rot = [](double x, double y, double &u, double &v) { u = -y / 1000, v = x / 1000; };
    for (auto d : {Field(1, 5, 1, 1, rot), Field(5, 1, 1, 1, rot), Field(1, 1, 1, 1, rot), Field(4, 4, 0, 1, rot),
                   Field(4, 4, 1, 0, rot)}) {
        for (double w : Vort(d)) EXPECT_EQ(w, 0);
        for (double s : Swirl(d)) EXPECT_EQ(s, 0);
    }
    auto d = Rotation(1);
    d.PosX(6) = d.PosX(4);  // central difference at column 5 has no width
    EXPECT_EQ(Vort(d)[d.Index(5, 5)], 0);
    d = Rotation(1);
    d.U(5, 5) = std::numeric_limits<double>::quiet_NaN();
    d.V(7, 7) = std::numeric_limits<double>::infinity();
    for (double w : Vort(d)) EXPECT_TRUE(std::isfinite(w));
    for (double s : Swirl(d)) EXPECT_TRUE(std::isfinite(s));
    EXPECT_EQ(Vort(d)[d.Index(5, 4)], 0);          // uses the NaN node
    EXPECT_NEAR(Vort(d)[d.Index(2, 2)], 2, 1e-9);  // far from it
}

TEST(DerivedFields, BackgroundModeAndScale) {
    auto d = Rotation(-2);
    d.BackValues.assign(d.NodeCount(), 7.0);
    d.View.Background = BackFromBuffer;
    RecalcBackground(d);
    EXPECT_EQ(d.BackValues[0], 7.0);  // a buffer background survives field changes
    d.View.Background = BackSwirlSquare;
    RecalcBackground(d);
    EXPECT_NEAR(d.BackValues[0], -4, 1e-9);
    // all values <= 0: the maximum becomes 1, the minimum the most negative value
    SetColorScaleFromData(d);
    EXPECT_NEAR(d.BackMinValue, -4, 1e-9);
    EXPECT_EQ(d.BackMaxValue, 1);
    ColorScale s = ColorScaleFromData({2, 0.5, std::numeric_limits<double>::quiet_NaN()});
    EXPECT_EQ(s.Min, -1);
    EXPECT_EQ(s.Max, 2);
}

TEST(DerivedFields, BackgroundColour) {
    VectorDocument d;  // default colours: min red, null white, max green; scale -1 0 1
    EXPECT_EQ(BackgroundColor(d, 1), Rgb(0, 255, 0));
    EXPECT_EQ(BackgroundColor(d, 0), Rgb(255, 255, 255));
    EXPECT_EQ(BackgroundColor(d, -1), Rgb(255, 0, 0));
    EXPECT_EQ(BackgroundColor(d, -1e300), Rgb(255, 0, 0));
    // 127.5 and 178.5 round to the even neighbour
    EXPECT_EQ(BackgroundColor(d, 0.5), Rgb(128, 255, 128));
    EXPECT_EQ(BackgroundColor(d, 0.3), Rgb(178, 255, 178));
    EXPECT_EQ(BackgroundColor(d, -0.5), Rgb(255, 128, 128));
    EXPECT_EQ(BackgroundColor(d, std::numeric_limits<double>::quiet_NaN()), Rgb(255, 255, 255));

    // per channel between arbitrary colours
    const ColorScale s{-2, 1, 3};
    EXPECT_EQ(BackgroundColor(2, s, Rgb(0, 0, 0), Rgb(10, 20, 30), Rgb(110, 20, 0)), Rgb(60, 20, 15));
    // a scale without room between its values uses the end colours, never divides by zero
    const ColorScale flat{0, 0, 0};
    EXPECT_EQ(BackgroundColor(0, flat, 1, 2, 3), 1);
    EXPECT_EQ(BackgroundColor(1e-300, flat, 1, 2, 3), 3);
}

TEST(DerivedFields, BackgroundFromBuffer) {
    auto d = Rotation(1, 3);
    VectorFieldBuffer b;
    EXPECT_FALSE(BufferMatches(b, d));  // empty
    b.BufferNX = 3;
    b.BufferNY = 3;
    b.BufferUs.assign(9, 3.0);
    b.BufferVs.assign(9, -4.0);
    b.BufferStatuses.assign(9, 1);
    b.BufferStatuses[b.Index(2, 3)] = 0;
    b.BufferStatuses[b.Index(1, 1)] = -1;
    ASSERT_TRUE(BufferMatches(b, d));
    ASSERT_TRUE(FillBackgroundFromBuffer(d, b, BufferQuantity::Magnitude));
    EXPECT_EQ(d.BackValue(3, 3), 5);
    EXPECT_EQ(d.BackValue(2, 3), 0);
    EXPECT_EQ(d.BackValue(1, 1), 0);
    FillBackgroundFromBuffer(d, b, BufferQuantity::XtimesY);
    EXPECT_EQ(d.BackValue(2, 1), -12);

    b.BufferNX = 9;
    b.BufferNY = 1;
    d.BackValues.assign(9, 1.0);
    EXPECT_FALSE(FillBackgroundFromBuffer(d, b, BufferQuantity::XComp));
    EXPECT_EQ(d.BackValue(1, 1), 1.0);
}
