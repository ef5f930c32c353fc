#include "FileBytes.h"
#include "Sampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace sx;

namespace {

VectorDocument Field(const std::vector<double> &xs, const std::vector<double> &ys,
                     std::function<void(double, double, double &, double &)> f) {
    VectorDocument d;
    d.Resize(static_cast<int32_t>(xs.size()), static_cast<int32_t>(ys.size()));
    d.PosXs.assign(xs.begin(), xs.end());
    d.PosYs.assign(ys.begin(), ys.end());
    for (int j = 1; j <= d.NY; ++j)
        for (int i = 1; i <= d.NX; ++i) {
            f(d.PosX(i), d.PosY(j), d.U(i, j), d.V(i, j));
            d.Status(i, j) = StatusValid;
        }
    return d;
}

std::vector<double> Range(double first, double step, int n) {
    std::vector<double> p;
    for (int k = 0; k < n; ++k) p.push_back(first + k * step);
    return p;
}

// u and v linear in x and y: reproduced exactly by the bilinear estimate
void Linear(double x, double y, double &u, double &v) {
    u = 1 + 0.02 * x - 0.01 * y;
    v = -2 + 0.03 * y + 0.005 * x;
}

void ExpectLinear(const VectorDocument &d, double x, double y) {
    double u, v;
    Linear(x, y, u, v);
    Velocity w = InterpolateVector(d, x, y);
    EXPECT_NEAR(w.u, u, 1e-12) << x << "," << y;
    EXPECT_NEAR(w.v, v, 1e-12) << x << "," << y;
}

bool IsZero(Velocity w) { return w.u == 0 && w.v == 0; }

}  // namespace

TEST(InterpolateVector, NodesEdgesAndCells) {
    // rows in both orders, columns in both orders
    for (double sx : {10.0, -10.0})
        for (double sy : {5.0, -5.0}) {
            auto d = Field(Range(sx > 0 ? 0 : 50, sx, 6), Range(sy > 0 ? 0 : 20, sy, 5), Linear);
            ExpectLinear(d, 23, 7.5);                               // inside a cell
            ExpectLinear(d, 30, 10);                                // on an interior node
            ExpectLinear(d, 0, 0);                                  // corner at the smallest coordinates
            ExpectLinear(d, 50, 20);                                // corner at the largest
            ExpectLinear(d, 0, 12.5);                               // edge
            ExpectLinear(d, 50, 3);                                 // edge
            EXPECT_TRUE(IsZero(InterpolateVector(d, -0.001, 10)));  // margin
            EXPECT_TRUE(IsZero(InterpolateVector(d, 50.001, 10)));
            EXPECT_TRUE(IsZero(InterpolateVector(d, 20, 20.5)));
            EXPECT_TRUE(IsZero(InterpolateVector(d, 20, -5)));
        }
}

TEST(InterpolateVector, ValidityOfTheFourNodes) {
    auto d = Field(Range(0, 10, 6), Range(0, 10, 6), Linear);
    d.Status(3, 3) = StatusInvalid;                     // node at (20, 20)
    EXPECT_TRUE(IsZero(InterpolateVector(d, 25, 25)));  // cell (20..30, 20..30)
    EXPECT_TRUE(IsZero(InterpolateVector(d, 15, 15)));  // cell (10..20, 10..20)
    ExpectLinear(d, 35, 25);                            // neighbouring cell
    // on a node the neighbours on the side of the smaller coordinate count
    ExpectLinear(d, 10, 10);
    EXPECT_TRUE(IsZero(InterpolateVector(d, 30, 30)));  // pairs with (20, 20)
    EXPECT_TRUE(IsZero(InterpolateVector(d, 30, 20)));
    // the invalid node's own position is no exception
    EXPECT_TRUE(IsZero(InterpolateVector(d, 20, 20)));

    // at the smallest coordinate the inner neighbour is taken
    auto e = Field(Range(0, 10, 4), Range(0, 10, 4), Linear);
    e.Status(2, 1) = StatusRemoved;
    EXPECT_TRUE(IsZero(InterpolateVector(e, 0, 0)));
    ExpectLinear(e, 30, 30);
    e.Status(4, 4) = StatusInvalid;
    EXPECT_TRUE(IsZero(InterpolateVector(e, 30, 30)));
}

TEST(InterpolateVector, UnevenAndDegenerateGrids) {
    // uneven spacing: the cell holding the point is used, so a linear field stays exact
    auto d = Field({0, 1, 5, 6, 30}, {0, 2, 3, 10}, Linear);
    ExpectLinear(d, 4.5, 9);
    ExpectLinear(d, 25, 0.5);
    ExpectLinear(d, 5, 3);
    ExpectLinear(Field({30, 6, 5, 1, 0}, {10, 3, 2, 0}, Linear), 25, 0.5);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(IsZero(InterpolateVector(d, nan, 1)));
    EXPECT_TRUE(IsZero(InterpolateVector(d, 1, std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(IsZero(InterpolateVector(Field({5}, {0, 1, 2}, Linear), 5, 1)));
    EXPECT_TRUE(IsZero(InterpolateVector(Field({0, 1, 2}, {4}, Linear), 1, 4)));
    EXPECT_TRUE(IsZero(InterpolateVector(Field({0, 0, 2}, {0, 1}, Linear), 1, 0.5)));
    EXPECT_TRUE(IsZero(InterpolateVector(Field({0, nan, 2}, {0, 1}, Linear), 1, 0.5)));
}

namespace {

// 11 x 11 nodes, 0..100 mm; plot 1200 x 1200 twips, 15 twips per pixel.
struct Plot {
    VectorDocument d;
    PlotGeometry g;
    explicit Plot(std::function<void(double, double, double &, double &)> f)
        : d(Field(Range(0, 10, 11), Range(0, 10, 11), f)), g(MakePlotGeometry(d, 1200, 1200)) {}
    Streamline Trace(double x0, double y0, double F) const { return TraceStreamline(d, g, 15, 15, x0, y0, F); }
};

}  // namespace

TEST(Streamline, UniformFlowToTheBorder) {
    Plot p([](double, double, double &u, double &v) { u = 1, v = 0; });
    Streamline s = p.Trace(10, 50, 0.01);
    const double ds = 0.01 * std::sqrt(200.0);
    // the step that first leaves the box (x > 100) is the last one
    EXPECT_EQ(s.Steps(), static_cast<size_t>(std::floor(90 / ds)) + 1);
    EXPECT_GT(s.X.back(), 100);
    EXPECT_NEAR(s.X[1] - s.X[0], ds, 1e-12);
    EXPECT_EQ(s.Y.back(), 50);
    // pixels: node (2, 6) sits at (2 cw, 6 ch) / 15 with row 1 at the top
    EXPECT_EQ(s.Pixels[0], (IntPoint{13, 40}));  // <200/15>, <600/15>
    EXPECT_EQ(s.Pixels.size(), s.X.size());

    Streamline back = p.Trace(50, 50, -0.02);  // against the flow
    EXPECT_LT(back.X.back(), 0);
    EXPECT_NEAR(back.X[0] - back.X[1], 2 * ds, 1e-12);
}

TEST(Streamline, Termination) {
    Plot rot([](double x, double y, double &u, double &v) { u = -(y - 50), v = x - 50; });
    Streamline s = rot.Trace(70, 50, 0.01);  // a closed orbit: only the step limit ends it
    EXPECT_EQ(s.Steps(), 16000u);
    EXPECT_EQ(s.X.size(), 16001u);

    EXPECT_EQ(rot.Trace(70, 50, 0).Steps(), 0u);      // no step at all
    EXPECT_EQ(rot.Trace(50, 50, 0.01).Steps(), 0u);   // at rest in the centre
    EXPECT_EQ(rot.Trace(-5, 50, 0.01).Steps(), 0u);   // start in the margin
    EXPECT_EQ(rot.Trace(-5, 50, 0.01).X.size(), 1u);  // the start point stays

    Plot slow([](double, double, double &u, double &v) { u = 0.0005, v = 0; });
    EXPECT_EQ(slow.Trace(10, 10, 0.01).Steps(), 0u);  // |u F| = 5e-6 counts as no flow
    EXPECT_GT(slow.Trace(10, 10, 0.1).Steps(), 0u);   // 5e-5 does not

    Plot gap([](double, double, double &u, double &v) { u = 1, v = 0; });
    gap.d.Status(6, 5) = StatusInvalid;  // x = 50 mm
    Streamline g = gap.Trace(5, 45, 0.05);
    EXPECT_LE(g.X.back(), 40 + 0.71);  // ends at the first cell touching the invalid node
    EXPECT_GT(g.X.back(), 40);

    Plot broken([](double x, double, double &u, double &v) {
        u = x > 45 ? std::numeric_limits<double>::quiet_NaN() : 1;
        v = 0;
    });
    Streamline b = broken.Trace(5, 45, 0.05);
    EXPECT_LT(b.Steps(), 1000u);
    for (double x : b.X) EXPECT_TRUE(std::isfinite(x));

    Plot huge([](double, double, double &u, double &v) { u = 1, v = 0; });
    EXPECT_EQ(huge.Trace(10, 10, 1e305).Steps(), 0u);  // the first step has no pixel position

    VectorDocument one = Field({3}, Range(0, 1, 5), [](double, double, double &u, double &v) { u = v = 1; });
    EXPECT_FALSE(CanTraceStreamlines(one));
    EXPECT_TRUE(TraceStreamline(one, MakePlotGeometry(one, 100, 100), 15, 15, 3, 2, 0.1).X.empty());
}

TEST(Streamline, ExportText) {
    Plot p([](double, double, double &u, double &v) { u = 0, v = -1; });
    Streamline s = p.Trace(50.5, 60, 0.01);  // steps of 0.1414 mm toward y = 0
    std::string all = TrajectoryFileText(s, 0.1, '.');
    EXPECT_EQ(all.rfind("X[mm]\tY[mm]\r\n 50.5 \t 60 \r\n 50.5 \t 59.8585786437627 \r\n", 0), 0u);
    size_t lines = 0;
    for (char c : all) lines += c == '\n';
    EXPECT_EQ(lines, s.X.size() + 1);  // every point is far enough from the one before

    // 0.25 mm: every second point; the distance counts from the point written last
    std::string half = TrajectoryFileText(s, 0.25, ',');
    lines = 0;
    for (char c : half) lines += c == '\n';
    EXPECT_EQ(lines, 2 + s.Steps() / 2);
    EXPECT_NE(half.find(" 50,5 \t 59,7171572875254 \r\n"), std::string::npos);

    EXPECT_EQ(TrajectoryFileText(s, 1000, '.'), "X[mm]\tY[mm]\r\n 50.5 \t 60 \r\n");

    Plot neg([](double, double, double &u, double &v) { u = 0, v = 0; });
    EXPECT_EQ(TrajectoryFileText(neg.Trace(-0.25, 5, 0.01), 0.1, '.'), "X[mm]\tY[mm]\r\n-.25 \t 5 \r\n");
}

TEST(Streamline, ExportFileNames) {
    EXPECT_EQ(TrajectoryProposedName("C:\\Messung\\run1.vec"), "run1 TRA");
    EXPECT_EQ(TrajectoryTargetPath("/data/run1 TRA.sdx", 2), "/data/run1 TRA.dat");
    // a dot in a folder name is no extension
    EXPECT_EQ(TrajectoryTargetPath("/my.data/track", 1), "/my.data/track.txt");
}

TEST(TrajectoryRing, AddWrapsAfterFifty) {
    TrajectoryRing r;
    r.Spare.fill(7);
    for (int k = 1; k <= 50; ++k) EXPECT_EQ(AddTrajectory(r, k, -k, 0.01), k);
    EXPECT_EQ(r.Count, 50);
    EXPECT_EQ(r.Last, 50);
    EXPECT_EQ(AddTrajectory(r, 51, 0, 0.02), 1);  // the oldest start goes first
    EXPECT_EQ(r.X0[0], 51);
    EXPECT_EQ(AddTrajectory(r, 52, 0, 0.02), 2);
    EXPECT_EQ(r.Count, 50);
    for (int k = 3; k <= 50; ++k) AddTrajectory(r, 0, 0, 0);
    EXPECT_EQ(AddTrajectory(r, 0, 0, 0), 1);
    EXPECT_EQ(r.Spare[0], 7);

    // 49 stored, both directions: forward into 50, backward over 1
    TrajectoryRing q;
    for (int k = 1; k <= 49; ++k) AddTrajectory(q, k, 0, 0.01);
    EXPECT_EQ(AddTrajectory(q, 5, 6, 0.01), 50);
    EXPECT_EQ(AddTrajectory(q, 5, 6, -0.01), 1);
    EXPECT_EQ(q.Step[0], -0.01);

    ClearTrajectories(r);
    EXPECT_EQ(r.Count, 0);
    EXPECT_EQ(r.Last, 0);
    EXPECT_EQ(r.X0[49], 0);
    EXPECT_EQ(r.Spare[10], 7);  // the fourth value stays

    TrajectoryRing restored;  // full but with no slot written: starts at 1
    restored.Count = 50;
    restored.Last = 0;
    EXPECT_EQ(AddTrajectory(restored, 1, 1, 1), 1);
}

TEST(TestParticle, StepAnswer) {
    VectorDocument d;
    SetLoadDefaults(d);
    EXPECT_EQ(TestParticleDefaultText(d), "+-.01");
    d.BothDirections = false;
    d.StepFactor = -0.05;
    EXPECT_EQ(TestParticleDefaultText(d), "-.05");

    EXPECT_FALSE(ReadStepAnswer(""));
    auto a = ReadStepAnswer("+-0,02");
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->BothDirections);
    EXPECT_DOUBLE_EQ(a->Step, 0.02);
    a = ReadStepAnswer("  +-0,02  ");
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->Step, 0.02);
    a = ReadStepAnswer("-0.05");
    ASSERT_TRUE(a);
    EXPECT_FALSE(a->BothDirections);
    EXPECT_DOUBLE_EQ(a->Step, -0.05);
    a = ReadStepAnswer("+-");
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->BothDirections);
    EXPECT_EQ(a->Step, 0);
}
