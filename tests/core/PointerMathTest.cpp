#include <gtest/gtest.h>

#include <cmath>

#include "PointerMath.h"

using namespace sx;

namespace {

VectorDocument Grid(int nx, int ny) {
    VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = 2.0 * i;
    for (int j = 1; j <= ny; ++j) d.PosY(j) = -1.0 * j;
    return d;
}

}  // namespace

TEST(PointerMath, NodeUnderPointerRoundsHalvesToEvenAndClampsToTheGrid) {
    const VectorDocument d = Grid(4, 3);
    const PlotGeometry g = MakePlotGeometry(d, 500, 400);  // cells of 100
    EXPECT_EQ(NodeUnderPointer(d, g, 350, 250).i, 4);      // half way: the even index
    EXPECT_EQ(NodeUnderPointer(d, g, 350, 250).j, 2);
    EXPECT_EQ(NodeUnderPointer(d, g, -50, 1e9).i, 1);
    EXPECT_EQ(NodeUnderPointer(d, g, -50, 1e9).j, 3);
    const PlotGeometry empty = MakePlotGeometry(d, 0, 0);  // a picture of no size
    EXPECT_EQ(NodeUnderPointer(d, empty, 10, 0).i, 4);
    EXPECT_EQ(NodeUnderPointer(d, empty, 10, 0).j, 1);
}

TEST(PointerMath, DistanceFollowsTheNodeSpacingAlsoOnASingleRow) {
    VectorDocument d = Grid(4, 3);
    const PlotGeometry g = MakePlotGeometry(d, 500, 400);
    // 3 cells across (6 mm), 4 down (4 mm)
    EXPECT_DOUBLE_EQ(DragDistance(d, g, 300, 400), std::sqrt(36.0 + 16.0));
    EXPECT_EQ(DistanceLabel(0, '.'), "0.000 mm");
    EXPECT_EQ(DistanceLabel(7.2111, ','), "7,211 mm");

    // a single row: no spacing to scale by, no division by zero
    VectorDocument row = Grid(3, 1);
    const PlotGeometry gr = MakePlotGeometry(row, 400, 200);
    EXPECT_DOUBLE_EQ(PositionUnderPointer(row, gr, 100, 77).y, -1);
    EXPECT_DOUBLE_EQ(DragDistance(row, gr, 100, 100), 2);
}

TEST(PointerMath, AGalileiSubtrahendThatIsNotANumberLeavesTheFieldAlone) {
    VectorDocument d = Grid(2, 1);
    d.Status(1, 1) = StatusValid;
    d.U(1, 1) = 1;
    ApplyGalilei(d, 5, 6, std::nan(""), 1);
    EXPECT_DOUBLE_EQ(d.U(1, 1), 1);
    EXPECT_DOUBLE_EQ(d.V(1, 1), 0);
    EXPECT_DOUBLE_EQ(d.GalileiV, 0);
    EXPECT_DOUBLE_EQ(d.CritPointX, 5);  // still recorded
}
