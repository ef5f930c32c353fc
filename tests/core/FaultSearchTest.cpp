#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "FaultSearch.h"
#include "LocalMedianField.h"
#include "Mathematical.h"
#include "PlotGeometry.h"
#include "ValidField.h"

using namespace sx;

namespace {

// nx x ny field, every vector valid with the given components
VectorDocument Field(int nx, int ny, double u = 1, double v = 0) {
    auto at = [](int k) { return double(k); };
    return ValidField(nx, ny, at, at, [u, v](int, int, double &du, double &dv) {
        du = u;
        dv = v;
    });
}

void Set(VectorDocument &d, int i, int j, double u, double v) {
    d.U(i, j) = u;
    d.V(i, j) = v;
}

}  // namespace

TEST(FaultSearchArcCos, KnownValuesAndNoValueOutside) {
    EXPECT_EQ(ArcCos(1), 0);
    EXPECT_EQ(ArcCos(-1), 3.14159265359);
    EXPECT_DOUBLE_EQ(*ArcCos(0), 2 * std::atan(1.0));
    EXPECT_NEAR(*ArcCos(0.5), std::acos(0.5), 1e-15);
    EXPECT_EQ(ArcCos(1.0000001), std::nullopt);
    EXPECT_EQ(ArcCos(-2), std::nullopt);
}

TEST(FaultSearchComparison, MedianPicksByMagnitudeWithFrontTies) {
    // neighbours of (1, 1) in scan order: (0, 1), (1, 0), (0, 2)
    VectorDocument d = Field(4, 1);
    Set(d, 2, 1, 0, 1);
    Set(d, 3, 1, 1, 0);
    Set(d, 4, 1, 0, 2);
    Comparison c = LocalMedianField(d, 3, 0)[d.Index(1, 1)];
    ASSERT_TRUE(c.Valid);
    EXPECT_EQ(c.cu, 1);
    EXPECT_EQ(c.cv, 0);
    EXPECT_EQ(c.cm, 1);
    // two neighbours: the mean of both and of their magnitudes
    d.Status(4, 1) = StatusInvalid;
    Set(d, 3, 1, 3, 4);
    c = LocalMedianField(d, 3, 0)[d.Index(1, 1)];
    EXPECT_DOUBLE_EQ(c.cu, 1.5);
    EXPECT_DOUBLE_EQ(c.cv, 2.5);
    EXPECT_DOUBLE_EQ(c.cm, 3);
}

TEST(FaultSearchComparison, LocalMeanClipsWindowAndAveragesMagnitudes) {
    VectorDocument d = Field(3, 3);
    Set(d, 2, 1, 3, 4);
    Set(d, 1, 2, -3, -4);
    d.Status(2, 2) = StatusRemoved;
    // corner (1, 1): window columns 1..2, rows 1..2 without itself and the removed node
    const Comparison c = LocalMean(d, 1, 1, 1, 1);
    ASSERT_TRUE(c.Valid);
    EXPECT_DOUBLE_EQ(c.cu, 0);
    EXPECT_DOUBLE_EQ(c.cv, 0);
    EXPECT_DOUBLE_EQ(c.cm, 5);
    EXPECT_FALSE(LocalMean(d, 1, 1, 0, 0).Valid);
    EXPECT_FALSE(LocalMedianField(d, 0, 0)[d.Index(3, 3)].Valid);
}

TEST(FaultSearchCriteria, DeviationCriteriaEdges) {
    FaultCriteria c;
    c.AbsDeviation = true;
    c.DirDeviation = true;
    Comparison zero;
    zero.Valid = true;  // the user vector (0, 0)
    EXPECT_EQ(CriteriaMet(c, zero, 1, 1), 2);
    Comparison cmp{1, 0, 1, true};
    // a zero vector always meets D; A only when p < 100
    c.AbsDeviation = false;
    EXPECT_EQ(CriteriaMet(c, cmp, 0, 0), 1);
    c.AbsDeviation = true;
    c.DirDeviation = false;
    c.AbsDeviationPercent = 100;
    EXPECT_EQ(CriteriaMet(c, cmp, 0, 0), 0);
    c.AbsDeviationPercent = 99;
    EXPECT_EQ(CriteriaMet(c, cmp, 0, 0), 1);
    // 30 % allowed: 1.3 keeps, 1.31 fails
    c.AbsDeviationPercent = 30;
    EXPECT_EQ(CriteriaMet(c, cmp, 1.25, 0), 0);
    EXPECT_EQ(CriteriaMet(c, cmp, 1.31, 0), 1);
    // direction: 45 degrees against 10 allowed
    c.AbsDeviation = false;
    c.DirDeviation = true;
    EXPECT_EQ(CriteriaMet(c, cmp, 1, 1), 1);
    EXPECT_EQ(CriteriaMet(c, cmp, 1, 0.1), 0);
    c.DirDeviationDegrees = 50;
    EXPECT_EQ(CriteriaMet(c, cmp, 1, 1), 0);
}

TEST(FaultSearchCriteria, ParallelVectorsNeverDeviateInDirection) {
    // (a, b) against itself can give a cosine a rounding step above 1
    FaultCriteria c;
    c.DirDeviation = true;
    c.DirDeviationDegrees = 1;
    for (int a = 1; a < 60; ++a)
        for (int b = 1; b < 60; ++b) {
            const double u = a * 0.1, v = b * 0.03;
            const Comparison cmp{u, v, VectorNorm(u, v), true};
            ASSERT_EQ(CriteriaMet(c, cmp, u, v), 0) << u << " " << v;
        }
}

TEST(FaultSearchCriteria, IntervalBoundsMeetNeitherTest) {
    FaultCriteria c;
    c.XComp = true;
    c.XMin = -1;
    c.XMax = 2;
    const Comparison none;
    EXPECT_EQ(CriteriaMet(c, none, 2, 0), 0);
    EXPECT_EQ(CriteriaMet(c, none, -1, 0), 0);
    EXPECT_EQ(CriteriaMet(c, none, 2.5, 0), 1);
    c.XOutside = false;
    EXPECT_EQ(CriteriaMet(c, none, 2, 0), 0);
    EXPECT_EQ(CriteriaMet(c, none, 0, 0), 1);
    c.XComp = false;
    c.AbsInterval = true;
    c.AbsMin = 4;
    c.AbsMax = 6;
    c.AbsOutside = false;
    EXPECT_EQ(CriteriaMet(c, none, 3, 4), 1);  // magnitude 5
    c.AbsMax = 5;
    EXPECT_EQ(CriteriaMet(c, none, 3, 4), 0);
    c.AbsOutside = true;
    EXPECT_EQ(CriteriaMet(c, none, 3, 4), 0);
}

TEST(FaultSearchPass, IsolatedVectorLocalAgainstOverallMean) {
    VectorDocument d = Field(3, 3);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            if (i != 2 || j != 2) d.Status(i, j) = StatusInvalid;
    FaultCriteria c;
    c.AbsDeviation = true;
    c.HalfX = c.HalfY = 1;
    EXPECT_EQ(SearchFaultVectors(d, c), 1);
    EXPECT_EQ(d.Status(2, 2), StatusQuestionable);
    d.Status(2, 2) = StatusValid;
    c.Mode = CompareMode::AllMiddle;
    EXPECT_EQ(SearchFaultVectors(d, c), 0);
}

TEST(FaultSearchPass, AndOrMarksAndSkippedNodes) {
    VectorDocument d = Field(3, 2);
    Set(d, 1, 1, 5, 5);  // both components out
    Set(d, 2, 1, 5, 0);  // x out only
    Set(d, 3, 1, 5, 5);
    d.Status(3, 1) = StatusInvalid;       // never tested
    d.Status(3, 2) = StatusQuestionable;  // earlier mark: stays
    FaultCriteria c;
    c.XComp = c.YComp = true;
    c.XMin = c.YMin = -1;
    c.XMax = c.YMax = 1;
    c.LogicalOr = false;
    std::vector<std::pair<int, int>> order;
    EXPECT_EQ(SearchFaultVectors(d, c, [&](int i, int j) { order.emplace_back(i, j); }), 1);
    EXPECT_EQ(d.Status(2, 1), StatusValid);
    c.LogicalOr = true;
    EXPECT_EQ(SearchFaultVectors(d, c, [&](int i, int j) { order.emplace_back(i, j); }), 2);
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{1, 1}, {1, 1}, {2, 1}}));
    EXPECT_EQ(d.Status(3, 1), StatusInvalid);
    EXPECT_EQ(d.Status(3, 2), StatusQuestionable);
    EXPECT_EQ(CountQuestionable(d), 3);
    EXPECT_EQ(d.ValidCount, 6);  // marking leaves the count alone
    EXPECT_EQ(QuestionableReportText(3),
              "Insgesamt sind 3 Vektoren fragwürdig. Sollen diese jetzt automatisch ungültig gemacht werden?");
}

TEST(FaultSearchDialog, KeyFiltersAndBounds) {
    using K = FaultKeyKind;
    EXPECT_EQ(FilterFaultKey(K::Digits, '7', "", 0), '7');
    EXPECT_EQ(FilterFaultKey(K::Digits, '.', "", 0), 0);
    EXPECT_EQ(FilterFaultKey(K::Digits, 8, "12", 2), 8);
    EXPECT_EQ(FilterFaultKey(K::UnsignedDecimal, ',', "15", 2), '.');
    EXPECT_EQ(FilterFaultKey(K::UnsignedDecimal, '.', "1.5", 0), 0);
    EXPECT_EQ(FilterFaultKey(K::UnsignedDecimal, '-', "", 0), 0);
    EXPECT_EQ(FilterFaultKey(K::SignedDecimal, '-', "-10", 0), 0);
    EXPECT_EQ(FilterFaultKey(K::SignedDecimal, '-', "10", 1), 0);
    EXPECT_EQ(FilterFaultKey(K::SignedDecimal, '-', "10", 0), '-');
    EXPECT_EQ(FilterFaultKey(K::SignedDecimal, '.', "-10", 0), 0);
    EXPECT_EQ(FilterFaultKey(K::SignedDecimal, ',', "-10", 3), '.');
    EXPECT_EQ(FilterFaultKey(K::SignedDecimal, '5', "-10", 0), '5');
    EXPECT_EQ(FilterFaultKey(K::SignedDecimal, 'e', "", 0), 0);
    EXPECT_TRUE(BoundsNeedSwap("5", "2"));
    EXPECT_FALSE(BoundsNeedSwap("2", "2"));
    EXPECT_FALSE(BoundsNeedSwap("", "3"));
    EXPECT_EQ(HalfWindowFromText(""), 0);
    EXPECT_EQ(HalfWindowFromText("1"), 0);
    EXPECT_EQ(HalfWindowFromText("5"), 2);
    EXPECT_EQ(HalfWindowFromText("9"), 4);
}
