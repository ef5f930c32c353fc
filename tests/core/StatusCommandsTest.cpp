#include "StatusCommands.h"

#include <gtest/gtest.h>

namespace sx {
namespace {

// 3 x 3, statuses by row:  -1 0 1 / 5 2 0 / 3 -1 5
VectorDocument Field() {
    VectorDocument d;
    d.Resize(3, 3);
    const int32_t st[3][3] = {{-1, 0, 1}, {5, 2, 0}, {3, -1, 5}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            d.U(i, j) = 10 * i + j;
            d.V(i, j) = -(10 * i + j);
            d.Status(i, j) = st[j - 1][i - 1];
        }
    d.ValidCount = d.CountValid();
    return d;
}

void ExpectComponentsKept(const VectorDocument &d) {
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            EXPECT_EQ(d.U(i, j), 10 * i + j);
            EXPECT_EQ(d.V(i, j), -(10 * i + j));
        }
}

TEST(StatusCommands, EachSelectionCommandOnTheWholeField) {
    const CellRect all{1, 3, 1, 3};
    {
        VectorDocument d = Field();
        const auto r = ApplySelectionStatus(d, SelectionStatusCommand::InvalidToValid, all);
        EXPECT_EQ(r.changed, 2);
        // last changed node in column-major order: (3, 2)
        EXPECT_EQ(r.lastCol, 3);
        EXPECT_EQ(r.lastRow, 2);
        EXPECT_EQ(d.Status(2, 1), StatusChanged);
        EXPECT_EQ(d.Status(1, 1), StatusRemoved);
        EXPECT_EQ(d.Status(1, 2), StatusQuestionable);
        EXPECT_EQ(d.ValidCount, d.CountValid());
        ExpectComponentsKept(d);
    }
    {
        VectorDocument d = Field();
        const auto r = ApplySelectionStatus(d, SelectionStatusCommand::AllToValid, all);
        EXPECT_EQ(r.changed, 9);
        EXPECT_EQ(d.ValidCount, 9);  // the removed ones count too
        for (int32_t s : d.Statuses) EXPECT_EQ(s, StatusChanged);
        ExpectComponentsKept(d);
    }
    {
        VectorDocument d = Field();
        ApplySelectionStatus(d, SelectionStatusCommand::AllToInvalid, all);
        EXPECT_EQ(d.ValidCount, 0);
        for (int32_t s : d.Statuses) EXPECT_EQ(s, StatusInvalid);
        ExpectComponentsKept(d);
    }
    {
        VectorDocument d = Field();
        const auto r = ApplySelectionStatus(d, SelectionStatusCommand::Remove, all);
        EXPECT_EQ(r.lastCol, 3);
        EXPECT_EQ(r.lastRow, 3);
        EXPECT_EQ(d.ValidCount, 0);
        for (int32_t s : d.Statuses) EXPECT_EQ(s, StatusRemoved);
    }
}

TEST(StatusCommands, QuestionableVectors) {
    VectorDocument d = Field();
    EXPECT_EQ(SetQuestionableStatus(d, StatusInvalid), 2);
    EXPECT_EQ(d.Status(1, 2), StatusInvalid);
    EXPECT_EQ(d.Status(3, 3), StatusInvalid);
    EXPECT_EQ(d.ValidCount, d.CountValid());

    VectorDocument v = Field();
    const int32_t before = v.ValidCount;
    EXPECT_EQ(SetQuestionableStatus(v, StatusChanged), 2);
    EXPECT_EQ(v.Status(1, 2), StatusChanged);
    EXPECT_EQ(v.ValidCount, before);

    // none left: nothing changes
    EXPECT_EQ(SetQuestionableStatus(v, StatusInvalid), 0);
    EXPECT_EQ(v.ValidCount, before);
    ExpectComponentsKept(v);
}

}  // namespace
}  // namespace sx
