#include <gtest/gtest.h>

#include "Transformation.h"
#include "ValidField.h"

using namespace sx;

namespace {

VectorDocument Field(int nx, int ny) {
    return ValidField(
        nx, ny, [](int i) { return 10.0 * i; }, [](int j) { return -1.0 * j; },
        [](int i, int j, double &u, double &v) {
            u = i + 0.1 * j;
            v = -j - 0.1 * i;
        });
}

}  // namespace

TEST(Transformation, ScalesAndShiftsPositionsCritPointAndStoredStreamlineStarts) {
    VectorDocument d = Field(3, 2);
    d.CritPointX = 1;
    d.CritPointY = 2;
    d.Trajectories.Count = 2;
    d.Trajectories.X0 = {{1, 2, 99}};
    d.Trajectories.Y0 = {{3, 4, 99}};
    d.Trajectories.Step = {{0.01, -0.02, 0}};
    d.TrafoShiftX = 1;
    XYTrafo t;
    t.FakX = 2;
    t.DeltaX = 5;
    t.FakY = -1;
    t.DeltaY = 0.5;
    t.FakVecX = 1;
    t.FakVecY = 1;
    const VectorDocument before = d;
    ApplyXYTrafo(d, t);
    EXPECT_DOUBLE_EQ(d.PosX(3), 65);
    EXPECT_DOUBLE_EQ(d.PosY(2), 2.5);
    EXPECT_DOUBLE_EQ(d.CritPointX, 7);
    EXPECT_DOUBLE_EQ(d.CritPointY, -1.5);
    EXPECT_DOUBLE_EQ(d.Trajectories.X0[1], 9);
    EXPECT_DOUBLE_EQ(d.Trajectories.Y0[1], -3.5);
    EXPECT_DOUBLE_EQ(d.Trajectories.X0[2], 99);  // beyond the count: untouched
    EXPECT_DOUBLE_EQ(d.Trajectories.Step[1], -0.02);
    // the shifts are summed as entered, not scaled
    EXPECT_DOUBLE_EQ(d.TrafoShiftX, 6);
    EXPECT_DOUBLE_EQ(d.TrafoShiftY, 0.5);
    EXPECT_TRUE(d.Us == before.Us);
    EXPECT_TRUE(d.Vs == before.Vs);
}

TEST(Transformation, VectorFactorReachesEveryNodeAndLeavesPositions) {
    VectorDocument d = Field(2, 2);
    d.Status(1, 1) = StatusInvalid;
    d.Status(2, 2) = StatusRemoved;
    const VectorDocument before = d;
    XYTrafo t;
    t.FakVecX = -1;
    ASSERT_FALSE(t.CoordinateChange());
    ASSERT_TRUE(t.VectorChange());
    ApplyXYTrafo(d, t);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) {
            EXPECT_DOUBLE_EQ(d.U(i, j), -before.U(i, j));
            EXPECT_DOUBLE_EQ(d.V(i, j), before.V(i, j));
        }
    EXPECT_TRUE(d.PosXs == before.PosXs);
    EXPECT_DOUBLE_EQ(d.TrafoShiftX, 0);
}

TEST(Transformation, FactorCheckRefusesZerosInOrder) {
    XYTrafo t;
    EXPECT_FALSE(CheckTrafoFactors(t));
    t.FakVecY = 0;
    EXPECT_EQ(*CheckTrafoFactors(t), "Bitte geben sie als Faktor bei der Vektorskalierung keine Null an!");
    t.FakY = 0;
    EXPECT_EQ(*CheckTrafoFactors(t), "Bitte geben sie als Faktor bei der y-Koordinate keine Null an!");
    t.FakX = 0;
    EXPECT_EQ(*CheckTrafoFactors(t), "Bitte geben sie als Faktor bei der x-Koordinate keine Null an!");
    // empty boxes read 0; a number too large for a double is refused like it
    EXPECT_EQ(TrafoBoxValue(""), 0);
    EXPECT_EQ(TrafoBoxValue("2.5abc"), 2.5);
    EXPECT_EQ(TrafoBoxValue("-.5"), -0.5);
    EXPECT_EQ(TrafoBoxValue("1e999"), 0);
}

TEST(Transformation, MirrorReversesColumnsAndRowsAndTwiceRestores) {
    VectorDocument d = Field(3, 4);
    d.Status(1, 1) = StatusRemoved;
    const VectorDocument before = d;
    MirrorField(d, true, false);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j) {
            EXPECT_DOUBLE_EQ(d.U(i, j), before.U(4 - i, j));
            EXPECT_DOUBLE_EQ(d.V(i, j), before.V(4 - i, j));
            EXPECT_EQ(d.Status(i, j), before.Status(4 - i, j));
        }
    EXPECT_DOUBLE_EQ(d.PosX(1), 30);
    EXPECT_DOUBLE_EQ(d.PosX(2), 20);  // the middle of an odd count stays
    EXPECT_TRUE(d.PosYs == before.PosYs);
    MirrorField(d, true, false);
    EXPECT_TRUE(d.Us == before.Us && d.Vs == before.Vs && d.Statuses == before.Statuses && d.PosXs == before.PosXs);

    MirrorField(d, false, true);
    EXPECT_DOUBLE_EQ(d.U(2, 1), before.U(2, 4));
    EXPECT_DOUBLE_EQ(d.V(3, 2), before.V(3, 3));
    EXPECT_DOUBLE_EQ(d.PosY(1), -4);
    EXPECT_EQ(d.ValidCount, before.ValidCount);

    const VectorDocument same = d;
    MirrorField(d, false, false);
    EXPECT_TRUE(d.Us == same.Us && d.Statuses == same.Statuses);
}
