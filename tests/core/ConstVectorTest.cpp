#include "ConstVector.h"
#include "ValidField.h"

#include <gtest/gtest.h>

#include "Numbers.h"

namespace sx {
namespace {

VectorDocument Field(int nx, int ny) {
    auto at = [](int k) { return double(k); };
    return ValidField(nx, ny, at, at, [](int i, int j, double &u, double &v) {
        u = 0.25 * i + j;
        v = -0.5 * j + i;
    });
}

TEST(VelocityProfile, RowMeansOfValidVectorsRemovedFromEveryNode) {
    VectorDocument d = Field(4, 3);
    d.Status(4, 1) = StatusInvalid;
    d.Status(3, 1) = StatusRemoved;
    for (int i = 1; i <= 4; ++i) d.Status(i, 3) = i % 2 ? StatusInvalid : StatusRemoved;
    const VectorDocument before = d;

    const VelocityProfile p = SubtractVelocityProfile(d);
    ASSERT_EQ(p.MeanU.size(), 3u);
    // row 1: nodes 1 and 2 valid
    const double mu1 = (before.U(1, 1) + before.U(2, 1)) / 2, mv1 = (before.V(1, 1) + before.V(2, 1)) / 2;
    EXPECT_DOUBLE_EQ(p.MeanU[0], mu1);
    EXPECT_DOUBLE_EQ(p.MeanV[0], mv1);
    EXPECT_DOUBLE_EQ(d.U(1, 1) + d.U(2, 1), 0);
    EXPECT_DOUBLE_EQ(d.V(1, 1) + d.V(2, 1), 0);
    // invalid and removed nodes are shifted by the same amount
    EXPECT_DOUBLE_EQ(d.U(4, 1), before.U(4, 1) - mu1);
    EXPECT_DOUBLE_EQ(d.V(3, 1), before.V(3, 1) - mv1);
    // row 2: all valid, mean 0 afterwards
    double su = 0, sv = 0;
    for (int i = 1; i <= 4; ++i) su += d.U(i, 2), sv += d.V(i, 2);
    EXPECT_NEAR(su, 0, 1e-12);
    EXPECT_NEAR(sv, 0, 1e-12);
    // row 3: nothing valid, nothing changed
    EXPECT_EQ(p.MeanU[2], 0);
    EXPECT_EQ(p.MeanV[2], 0);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(d.U(i, 3), before.U(i, 3));
    EXPECT_EQ(d.Statuses, before.Statuses);
}

TEST(VelocityProfile, ArrowsScaleAndDirections) {
    // 3 x 2 on a 4000 x 3000 plot: cells 1000 x 1000
    VectorDocument d = Field(3, 2);
    d.PosY(1) = 2;
    d.PosY(2) = 1;  // y falls downwards: drawn y components flip
    for (int i = 1; i <= 3; ++i) {
        d.U(i, 1) = 1 + i;  // mean 3, after: -1 0 1
        d.V(i, 1) = 0;
        d.U(i, 2) = 0;
        d.V(i, 2) = 2 * i;  // mean 4, after: -2 0 2
    }
    const VelocityProfile p = SubtractVelocityProfile(d);
    const auto arrows = ProfileArrows(d, p, 4000, 3000);
    ASSERT_EQ(arrows.size(), 2u);
    // scale = 1000 / maxU(1) = 1000, but maxV 2 needs 500 to fit one cell
    EXPECT_EQ(arrows[0].FromX, 2000);
    EXPECT_EQ(arrows[0].FromY, 1000);
    EXPECT_EQ(arrows[0].StepX, 1500);
    EXPECT_EQ(arrows[0].StepY, 0);
    EXPECT_EQ(arrows[1].FromY, 2000);
    EXPECT_EQ(arrows[1].StepX, 0);
    EXPECT_EQ(arrows[1].StepY, -2000);

    d.VectorScale = 2;
    EXPECT_EQ(ProfileArrows(d, p, 4000, 3000)[0].StepX, 3000);
    // odd width: the middle drops its remainder
    EXPECT_EQ(ProfileArrows(d, p, 4001.4, 3000)[0].FromX, 2000);
}

TEST(VelocityProfile, OneValidVectorPerRowLeavesZerosAndScaleOne) {
    VectorDocument d = Field(3, 3);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            if (i != j) d.Status(i, j) = StatusInvalid;
    d.Status(3, 3) = StatusRemoved;  // row 3: nothing valid
    d.VectorScale = 0.5;
    const VelocityProfile p = SubtractVelocityProfile(d);
    EXPECT_EQ(d.U(1, 1), 0);
    EXPECT_EQ(d.V(2, 2), 0);
    const auto arrows = ProfileArrows(d, p, 4000, 4000);
    ASSERT_EQ(arrows.size(), 3u);
    // scale 1 * 0.5, halves to even
    EXPECT_EQ(arrows[0].StepX, *RoundToInt32(0.5 * p.MeanU[0]));
    EXPECT_EQ(arrows[1].StepY, *RoundToInt32(0.5 * p.MeanV[1]));
    EXPECT_EQ(arrows[2].StepX, 0);
    EXPECT_EQ(arrows[2].StepY, 0);
}

TEST(VelocityProfile, HugeMeanGetsNoArrowInsteadOfOverflow) {
    // 2 x 2 on 3000 x 3000: the remaining components are small, the mean of
    // row 2 is far beyond anything a drawing coordinate can hold
    VectorDocument d = Field(2, 2);
    d.V(1, 2) = 5e20;
    d.V(2, 2) = 5e20;
    const VelocityProfile p = SubtractVelocityProfile(d);
    const auto arrows = ProfileArrows(d, p, 3000, 3000);
    ASSERT_EQ(arrows.size(), 1u);
    EXPECT_EQ(arrows[0].FromY, 1000);
}

}  // namespace
}  // namespace sx
