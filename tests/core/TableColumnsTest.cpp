#include <gtest/gtest.h>

#include <limits>

#include "Numbers.h"
#include "TableColumns.h"
#include "TableText.h"
#include "ValidField.h"

using namespace sx;

namespace {

VectorDocument Field(int nx, int ny) {
    auto at = [](int k) { return double(k); };
    return ValidField(nx, ny, at, at, [](int, int, double &, double &) {});
}

}  // namespace

TEST(TableColumns, LongestComponentsOfEitherSignMakeTheWidestCell) {
    VectorDocument d = Field(3, 2);
    d.U(1, 1) = -13.1618;
    d.U(2, 1) = 99.5;  // "99.5000" is shorter than "-13.1618"
    d.V(3, 2) = 123.4567;
    d.V(1, 2) = -5;
    d.Status(1, 2) = StatusInvalid;  // invalid vectors are shown too
    const TableWidestTexts t = WidestTableTexts(d, ',');
    EXPECT_EQ(t.Cell, "(-13,1618; 123,4567)");
    EXPECT_EQ(t.Header, "3,0000");
}

TEST(TableColumns, RemovedNodesNotANumberAndPositions) {
    VectorDocument d = Field(2, 2);
    d.U(1, 1) = 1e12;
    d.Status(1, 1) = StatusRemoved;
    d.PosY(2) = -1234.5;
    TableWidestTexts t = WidestTableTexts(d, '.');
    EXPECT_EQ(t.Cell, "(0.0000; 0.0000)");
    EXPECT_EQ(t.Header, "-1234.5000");

    d.V(2, 2) = std::numeric_limits<double>::quiet_NaN();
    t = WidestTableTexts(d, '.');
    std::string nan;
    AppendFixed(nan, d.V(2, 2), 4, '.');
    EXPECT_EQ(t.Cell, "(0.0000; " + (nan.size() > 6 ? nan : std::string("0.0000")) + ")");

    for (size_t k = 0; k < d.NodeCount(); ++k) d.Statuses[k] = StatusRemoved;
    EXPECT_EQ(WidestTableTexts(d, '.').Cell, "");
}
