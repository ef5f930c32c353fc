#include <gtest/gtest.h>

#include "GapInterpolation.h"
#include "RandomField.h"
#include "SameField.h"
#include "ValidField.h"

using namespace sx;

namespace {

VectorDocument Field(int nx, int ny) {
    return ValidField(nx, ny, AtZero, AtZero, [](int i, int j, double &u, double &v) {
        u = i;
        v = 2.0 * j;
    });
}

// Pass after pass over the whole grid: count each gap's valid neighbours,
// then fill the gaps with the largest count with the mean of their valid
// neighbours, leaving out those filled in the same pass (127 until the next).
// The window's sums run column by column unless `rowsOuter` asks for the
// other order, which the 4-decimal test uses to show that its data can tell.
void ReferenceInterpolation(VectorDocument &d, bool &impossible, bool rowsOuter = false) {
    impossible = false;
    std::vector<int> support(d.NodeCount());
    while (true) {
        int gaps = 0, maxS = 0;
        for (int j = 1; j <= d.NY; ++j)
            for (int i = 1; i <= d.NX; ++i) {
                support[d.Index(i, j)] = 0;
                if (d.Status(i, j) == 127) d.Status(i, j) = 3;
                if (d.Status(i, j) != 0) continue;
                ++gaps;
                int s = 0;
                for (int a = std::max(1, i - 1); a <= std::min(d.NX, i + 1); ++a)
                    for (int b = std::max(1, j - 1); b <= std::min(d.NY, j + 1); ++b) s += d.Status(a, b) > 0;
                support[d.Index(i, j)] = s;
                maxS = std::max(maxS, s);
            }
        if (gaps == 0) return;
        if (maxS == 0) {
            impossible = true;
            return;
        }
        for (int i = 1; i <= d.NX; ++i)
            for (int j = 1; j <= d.NY; ++j) {
                if (d.Status(i, j) != 0 || support[d.Index(i, j)] != maxS) continue;
                double su = 0, sv = 0;
                int n = 0;
                auto add = [&](int a, int b) {
                    if (d.Status(a, b) > 0 && d.Status(a, b) != 127) {
                        su += d.U(a, b);
                        sv += d.V(a, b);
                        ++n;
                    }
                };
                const int a0 = std::max(1, i - 1), a1 = std::min(d.NX, i + 1);
                const int b0 = std::max(1, j - 1), b1 = std::min(d.NY, j + 1);
                if (rowsOuter) {
                    for (int b = b0; b <= b1; ++b)
                        for (int a = a0; a <= a1; ++a) add(a, b);
                } else {
                    for (int a = a0; a <= a1; ++a)
                        for (int b = b0; b <= b1; ++b) add(a, b);
                }
                d.U(i, j) = su / n;
                d.V(i, j) = sv / n;
                d.Status(i, j) = 127;
                ++d.ValidCount;
            }
    }
}

}  // namespace

TEST(GapInterpolation, SingleGapGetsTheMeanOfItsNeighbours) {
    VectorDocument d = Field(3, 3);
    d.Status(2, 2) = StatusInvalid;
    d.U(2, 2) = 99;
    d.U(1, 1) = 10;  // neighbours: 10 + 1 + 1 + 2 + 2 + 3 + 3 + 3 over 8
    d.ValidCount = 8;
    const InterpolationResult r = InterpolateGaps(d);
    EXPECT_FALSE(r.impossible);
    EXPECT_EQ(r.filled, 1);
    EXPECT_DOUBLE_EQ(d.U(2, 2), 25.0 / 8);
    EXPECT_DOUBLE_EQ(d.V(2, 2), 4.0);
    EXPECT_EQ(d.Status(2, 2), StatusInterpolated);
    EXPECT_EQ(d.ValidCount, 9);
}

TEST(GapInterpolation, GapsWithoutSupportAreReported) {
    VectorDocument d = Field(5, 5);
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 5; ++j) d.Status(i, j) = (i + j) % 2 ? StatusRemoved : StatusInvalid;
    d.ValidCount = 0;
    const VectorDocument before = d;
    EXPECT_TRUE(InterpolateGaps(d).impossible);
    ExpectSameField(d, before);
    EXPECT_EQ(InterpolationImpossibleMessage().title, "Fehler bei Interpolation");
}

TEST(GapInterpolation, FilledGapTurnsInterpolatedBeforeTheUnsupportedOneIsReported) {
    VectorDocument d = Field(6, 3);
    d.Status(1, 2) = StatusInvalid;  // next to valid vectors
    for (int i = 4; i <= 6; ++i)
        for (int j = 1; j <= 3; ++j) d.Status(i, j) = StatusRemoved;
    d.Status(6, 2) = StatusInvalid;  // only removed nodes around it
    d.ValidCount = d.CountValid();
    const InterpolationResult r = InterpolateGaps(d);
    EXPECT_TRUE(r.impossible);
    EXPECT_EQ(r.filled, 1);
    EXPECT_EQ(d.Status(1, 2), StatusInterpolated);
    EXPECT_EQ(d.Status(6, 2), StatusInvalid);
    EXPECT_EQ(d.ValidCount, d.CountValid());
}

// Blocks of gaps fill from the outside in; the incremental bookkeeping must
// give the same values and statuses as rescanning the grid every pass.
TEST(GapInterpolation, AgreesWithPassByPassRescan) {
    for (int seed = 0; seed < 6; ++seed) {
        VectorDocument d = Field(12, 9);
        for (int i = 1; i <= 12; ++i)
            for (int j = 1; j <= 9; ++j) {
                const int r = (i * 31 + j * 17 + seed * 7) % 11;
                d.U(i, j) = 0.3 * r - 1.1 + 0.01 * i;
                if (r < 4 + seed)
                    d.Status(i, j) = StatusInvalid;
                else if (r == 10)
                    d.Status(i, j) = StatusRemoved;
            }
        // a solid block that needs several passes
        for (int i = 3; i <= 8; ++i)
            for (int j = 2; j <= 7; ++j) d.Status(i, j) = StatusInvalid;
        d.ValidCount = d.CountValid();
        VectorDocument expected = d;
        bool impossible = false;
        ReferenceInterpolation(expected, impossible);
        const InterpolationResult r = InterpolateGaps(d);
        EXPECT_EQ(r.impossible, impossible) << seed;
        ExpectSameField(d, expected, "seed " + std::to_string(seed));
    }
}

// Four-decimal data as read from DAT files: many window means end on a half
// in the fifth decimal, where the order of the sum decides the last bit and
// with it the table's rounded text. Filled values equal the column-by-column
// sum bit for bit; the row-by-row order must differ somewhere, or the data
// would not tell the two apart.
TEST(GapInterpolation, WindowSumsRunColumnByColumnBitForBit) {
    int rowOrderDiffers = 0;
    for (uint64_t seed = 1; seed <= 4; ++seed) {
        VectorDocument d = RandomField(60, 40, FieldValues::Decimals, seed);
        for (int i = 20; i <= 31; ++i)
            for (int j = 10; j <= 17; ++j)
                if (d.Status(i, j) != StatusRemoved) d.Status(i, j) = StatusInvalid;
        d.ValidCount = d.CountValid();
        VectorDocument expected = d, rowOrder = d;
        bool impossible = false, rowImpossible = false;
        ReferenceInterpolation(expected, impossible);
        ReferenceInterpolation(rowOrder, rowImpossible, true);
        const InterpolationResult r = InterpolateGaps(d);
        EXPECT_EQ(r.impossible, impossible);
        ExpectSameField(d, expected, "seed " + std::to_string(seed));
        for (size_t k = 0; k < d.NodeCount(); ++k) rowOrderDiffers += rowOrder.Us[k] != expected.Us[k];
    }
    EXPECT_GT(rowOrderDiffers, 0);
}

TEST(GapInterpolationMean, SelectionUsesOnlyValidVectors) {
    VectorDocument d = Field(4, 4);
    d.Status(2, 2) = StatusInvalid;
    d.Status(3, 3) = StatusRemoved;
    CellRect r;
    r.firstCol = 2;
    r.lastCol = 3;
    r.firstRow = 2;
    r.lastRow = 3;
    const MeanVelocity m = MeanOfValidVectors(d, r);
    EXPECT_EQ(m.count, 2);
    EXPECT_DOUBLE_EQ(m.u, 2.5);  // (3,2) and (2,3)
    EXPECT_DOUBLE_EQ(m.v, 5.0);
    EXPECT_EQ(MeanOfValidVectors(d).count, 14);

    VectorDocument none = Field(2, 2);
    for (int32_t &s : none.Statuses) s = StatusInvalid;
    EXPECT_EQ(MeanOfValidVectors(none).count, 0);
}

TEST(GapInterpolationMean, MessageText) {
    MeanVelocity m;
    m.u = 0.5;
    m.v = -0.25;
    m.count = 3;
    const UserMessage msg = MeanVelocityMessage(m);
    const std::string head =
        "Die mittlere Geschwindigkeit beträgt:\r\n\r\n           Vx =  .5 m/s\r\n           Vy = -.25 m/s\r\n\r\nDer "
        "Vektor";
    const std::string tail =
        "die Tabelle eingefügt werden. Außerdem wird ein sich in der Zwischenablage befindlicher "
        "Vektor als Standardvorgabe im Formular 'Vektor eingeben' vorgegeben.";
    EXPECT_EQ(msg.text.substr(0, head.size()), head);
    ASSERT_GE(msg.text.size(), tail.size());
    EXPECT_EQ(msg.text.substr(msg.text.size() - tail.size()), tail);
    EXPECT_EQ(msg.title, "Mittlere Geschwindigkeit");
    EXPECT_EQ(msg.icon, MsgIcon::Information);
}
