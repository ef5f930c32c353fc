#include <gtest/gtest.h>

#include "BufferOperations.h"
#include "ValidField.h"

using namespace sx;

namespace {

VectorDocument Field(int nx, int ny) {
    VectorDocument d = ValidField(nx, ny, AtZero, AtZero, [](int i, int j, double &u, double &v) {
        u = i;
        v = -j;
    });
    d.FileName = "feld.sdx";
    return d;
}

}  // namespace

TEST(BufferOperations, CopyAndAddDoublesValidVectorsOrSubtractZeroesThem) {
    VectorDocument d = Field(3, 2);
    d.Status(2, 1) = StatusQuestionable;
    VectorFieldBuffer b;
    CopyToBuffer(b, d);
    EXPECT_EQ(b.BufferName, "feld.sdx");
    EXPECT_EQ(b.BufferNX, 3);
    EXPECT_EQ(b.BufferNY, 2);
    ASSERT_TRUE(BufferFitsDocument(b, d));

    VectorDocument sum = d;
    ASSERT_TRUE(ApplyBuffer(sum, b, BufferCommand::Add));
    VectorDocument diff = d;
    ASSERT_TRUE(ApplyBuffer(diff, b, BufferCommand::Subtract));
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 2; ++j) {
            EXPECT_DOUBLE_EQ(sum.U(i, j), 2.0 * i);
            EXPECT_DOUBLE_EQ(sum.V(i, j), -2.0 * j);
            EXPECT_EQ(sum.Status(i, j), StatusChanged);
            EXPECT_DOUBLE_EQ(diff.U(i, j), 0);
            EXPECT_EQ(diff.Status(i, j), StatusChanged);
        }
    EXPECT_EQ(sum.ValidCount, 6);
}

TEST(BufferOperations, NodeRulesForInvalidAndRemovedNodes) {
    VectorDocument d = Field(4, 1);
    VectorFieldBuffer b;
    CopyToBuffer(b, d);
    b.BufferStatuses[0] = StatusInvalid;  // valid here, invalid there: invalid
    b.BufferStatuses[1] = StatusRemoved;  // removed there: removed
    d.Status(3, 1) = StatusRemoved;       // removed here stays removed
    d.Status(4, 1) = StatusInvalid;       // invalid here, valid there: invalid
    d.ValidCount = 2;
    ApplyBuffer(d, b, BufferCommand::Subtract);
    EXPECT_EQ(d.Status(1, 1), StatusInvalid);
    EXPECT_EQ(d.Status(2, 1), StatusRemoved);
    EXPECT_EQ(d.Status(3, 1), StatusRemoved);
    EXPECT_EQ(d.Status(4, 1), StatusInvalid);
    EXPECT_EQ(d.ValidCount, 0);
    // components of nodes left out keep their values
    EXPECT_DOUBLE_EQ(d.U(1, 1), 1);
    EXPECT_DOUBLE_EQ(d.U(4, 1), 4);
}

TEST(BufferOperations, MaskRemovesExactlyTheRemovedBufferNodes) {
    VectorDocument d = Field(3, 1);
    VectorFieldBuffer b;
    CopyToBuffer(b, d);
    b.BufferStatuses = {StatusRemoved, StatusInvalid, StatusRemoved};
    d.Status(3, 1) = StatusInvalid;
    d.ValidCount = 2;
    ApplyBuffer(d, b, BufferCommand::Mask);
    EXPECT_EQ(d.Status(1, 1), StatusRemoved);
    EXPECT_EQ(d.Status(2, 1), StatusValid);
    EXPECT_EQ(d.Status(3, 1), StatusRemoved);
    EXPECT_EQ(d.ValidCount, 1);
    EXPECT_DOUBLE_EQ(d.U(1, 1), 1);
}

TEST(BufferOperations, EmptyOrOtherSizeBufferFitsNoDocumentAndChangesNothing) {
    VectorDocument d = Field(2, 2);
    InitBuffer();
    EXPECT_FALSE(BufferFitsDocument(ProgramBuffer(), d));
    VectorFieldBuffer b;
    CopyToBuffer(b, Field(2, 3));
    EXPECT_FALSE(BufferFitsDocument(b, d));
    const VectorDocument before = d;
    EXPECT_FALSE(ApplyBuffer(d, b, BufferCommand::Add));
    EXPECT_TRUE(d.Us == before.Us && d.Statuses == before.Statuses);
    // sizes that claim more than the arrays hold are not trusted
    CopyToBuffer(b, d);
    b.BufferUs.pop_back();
    EXPECT_FALSE(BufferFitsDocument(b, d));
}
