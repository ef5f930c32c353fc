#include <gtest/gtest.h>

#include <cstring>

#include "DatFile.h"
#include "FileBytes.h"
#include "KernelFilter.h"
#include "Mathematical.h"
#include "SampleField.h"
#include "TableText.h"
#include "ValidField.h"

using namespace sx;

namespace {

VectorDocument Field(int nx, int ny) {
    return ValidField(nx, ny, AtZero, AtZero, [](int i, int j, double &u, double &v) {
        u = 10.0 * i + j;
        v = -(i * j);
    });
}

}  // namespace

TEST(KernelFilterMath, PascalRowAndBinomial) {
    EXPECT_EQ(PascalRow(0), std::vector<double>({1}));
    EXPECT_EQ(PascalRow(1), std::vector<double>({1, 1}));
    EXPECT_EQ(PascalRow(4), std::vector<double>({1, 4, 6, 4, 1}));
    EXPECT_EQ(Binomial(4, 2), 6.0);
    EXPECT_EQ(Binomial(2, 0), 1.0);
    // outside the row there is no coefficient, and no exception either
    EXPECT_EQ(Binomial(2, 3), std::nullopt);
    EXPECT_EQ(Binomial(2, -1), std::nullopt);
    EXPECT_EQ(Binomial(-1, 0), std::nullopt);
}

TEST(KernelFilterKernels, GaussWeightsAndMatrixText) {
    const FilterKernel g5 = GaussKernel(2);
    EXPECT_EQ(g5.At(-2, -2), 1.0);
    EXPECT_EQ(g5.At(0, 0), 36.0);
    EXPECT_EQ(g5.At(-1, 2), 4.0);
    EXPECT_EQ(FilterMatrixText(GaussKernel(1)),
              "(3 x 3) - Matrix :=\r\n\r\n\t 1\t 2\t 1\r\n\t 2\t 4\t 2\r\n\t 1\t 2\t 1");
    const FilterKernel p = VelocityProfileKernel(3);
    EXPECT_EQ(FilterMatrixText(p), "(1 x 5) - Matrix :=\r\n\r\n\t 1\t 1\t 1\t 1\t 1");
    const UserMessage m = FilterMatrixMessage(p);
    EXPECT_EQ(m.title, "Anzuwendende Filtermatrix");
    EXPECT_EQ(m.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m.icon, MsgIcon::Information);
}

TEST(KernelFilterKernels, OnlyStatusZeroCountsAsInvalid) {
    VectorDocument d = Field(3, 3);
    d.Status(2, 2) = StatusRemoved;
    EXPECT_FALSE(HasInvalidVectors(d));
    d.Status(3, 1) = StatusInvalid;
    EXPECT_TRUE(HasInvalidVectors(d));
    EXPECT_EQ(InvalidVectorsWarning().text,
              "Warnung: Das Vektorfeld enthält ungültige Vektoren!\r\nSoll der Filter trotzdem angewandt werden?");
}

TEST(KernelFilterApply, CornerUsesOnlyTheKernelPartInsideTheGrid) {
    VectorDocument d = Field(4, 4);
    const double c = d.U(1, 1), e1 = d.U(2, 1), e2 = d.U(1, 2), diag = d.U(2, 2);
    d.Status(1, 1) = StatusQuestionable;
    ApplyFilterKernel(d, GaussKernel(1));
    EXPECT_DOUBLE_EQ(d.U(1, 1), (4 * c + 2 * e1 + 2 * e2 + diag) / 9);
    EXPECT_EQ(d.Status(1, 1), StatusChanged);
    EXPECT_EQ(d.ValidCount, 16);
}

TEST(KernelFilterApply, InvalidAndRemovedNodes) {
    VectorDocument d = Field(5, 5);
    // (1,1) invalid with only invalid/removed neighbours; (4,4) invalid among valid ones
    d.Status(1, 1) = StatusInvalid;
    d.Status(2, 1) = StatusInvalid;
    d.Status(1, 2) = StatusRemoved;
    d.Status(2, 2) = StatusRemoved;
    d.Status(4, 4) = StatusInvalid;
    d.ValidCount = d.CountValid();
    const double u11 = d.U(1, 1), u22 = d.U(2, 2);
    ApplyFilterKernel(d, SquareKernel(1));
    EXPECT_EQ(d.Status(1, 1), StatusInvalid);
    EXPECT_EQ(d.U(1, 1), u11);
    EXPECT_EQ(d.Status(2, 2), StatusRemoved);
    EXPECT_EQ(d.U(2, 2), u22);
    EXPECT_EQ(d.Status(4, 4), StatusChanged);
    // (2,1) sees the valid (3,1), (3,2) and is filled too
    EXPECT_EQ(d.Status(2, 1), StatusChanged);
    EXPECT_EQ(d.ValidCount, d.CountValid());
    EXPECT_EQ(d.ValidCount, 22);
}

TEST(KernelFilterApply, RowMeanFilter) {
    VectorDocument d = Field(4, 3);
    for (int i = 1; i <= 4; ++i) d.Status(i, 2) = StatusInvalid;  // a row without valid vectors
    d.Status(3, 2) = StatusRemoved;
    d.Status(2, 3) = StatusInvalid;
    d.Status(4, 3) = StatusRemoved;
    d.ValidCount = d.CountValid();
    const double u12 = d.U(1, 2), mean3 = (d.U(1, 3) + d.U(3, 3)) / 2;
    ApplyFilterKernel(d, VelocityProfileKernel(4));
    EXPECT_EQ(d.Status(1, 2), StatusInvalid);
    EXPECT_EQ(d.U(1, 2), u12);
    EXPECT_EQ(d.Status(3, 2), StatusRemoved);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_DOUBLE_EQ(d.U(i, 3), mean3);
        EXPECT_EQ(d.Status(i, 3), StatusChanged);
    }
    EXPECT_EQ(d.Status(4, 3), StatusRemoved);
    EXPECT_EQ(d.ValidCount, d.CountValid());
}

TEST(KernelFilterApply, SumsInTheKernelsOrderDecideTheFourDecimalText) {
    // A 2 x 2 DAT file: ((0.7502 + 0.9172) + 0.3356) - 0.1740 is 1.8290000000000002,
    // a quarter of it lies just above the tie at 0.45725 and shows as 0.4573.
    SampleFieldOptions o;
    o.nx = o.ny = 2;
    o.invalidShare = o.removedShare = o.outlierShare = 0;
    VectorDocument written = MakeSampleField(o);
    written.U(1, 1) = 0.7502;
    written.U(2, 1) = 0.3356;
    written.U(1, 2) = 0.9172;
    written.U(2, 2) = -0.1740;
    for (int k = 0; k < 4; ++k) written.Vs[size_t(k)] = 0;
    VectorDocument d;
    ASSERT_TRUE(ReadDatBytes(*DatBytes(written), d).ok);
    ASSERT_EQ(d.U(2, 2), -0.1740);
    for (const FilterKernel &k : {SquareKernel(1), SquareKernel(2)}) {
        VectorDocument f = d;
        ApplyFilterKernel(f, k);
        for (int i = 1; i <= 2; ++i)
            for (int j = 1; j <= 2; ++j) {
                const double want = 0.45725000000000005;
                EXPECT_EQ(std::memcmp(&f.U(i, j), &want, sizeof want), 0) << f.U(i, j);
                EXPECT_EQ(TableCellText(f, i, j, ','), "(0,4573; 0,0000)");
            }
    }
}
