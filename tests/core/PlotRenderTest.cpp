#include <gtest/gtest.h>

#include <limits>

#include "DerivedFields.h"
#include "PlotRender.h"

using namespace sx;

namespace {

VectorDocument Field(int nx, int ny) {
    VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = i;
    for (int j = 1; j <= ny; ++j) d.PosY(j) = j;
    for (size_t k = 0; k < d.NodeCount(); ++k) d.BackValues[k] = 0.1 * static_cast<double>(k);
    return d;
}

// The grid must give exactly the boxes of BackgroundCells, in the same order.
void ExpectSameCells(const VectorDocument &d, const PlotGeometry &g) {
    const std::vector<CellBox> boxes = BackgroundCells(d, g);
    const CellGrid grid = BackgroundCellGrid(d, g);
    std::vector<CellBox> fromGrid;
    if (!grid.Columns.empty())
        for (int j = 1; j <= d.NY; ++j)
            for (int i = 1; i <= d.NX; ++i) {
                const CellSpan &c = grid.Columns[static_cast<size_t>(i - 1)],
                               &r = grid.Rows[static_cast<size_t>(j - 1)];
                if (c.ok && r.ok)
                    fromGrid.push_back(CellBox{{c.From, r.From}, {c.To, r.To}, BackgroundColor(d, d.BackValue(i, j))});
            }
    ASSERT_EQ(fromGrid.size(), boxes.size());
    for (size_t k = 0; k < boxes.size(); ++k) {
        EXPECT_EQ(fromGrid[k].from, boxes[k].from) << k;
        EXPECT_EQ(fromGrid[k].to, boxes[k].to) << k;
        EXPECT_EQ(fromGrid[k].color, boxes[k].color) << k;
    }
}

}  // namespace

TEST(PlotRender, CellGridMatchesTheBackgroundCells) {
    const VectorDocument d = Field(7, 5);
    ExpectSameCells(d, MakePlotGeometry(d, 6000, 4500));
    ExpectSameCells(d, MakePlotGeometry(d, 1234.5, 987.25));  // halves and odd cell sizes
    ExpectSameCells(d, MakePlotGeometry(d, 3, 2));            // cells smaller than their overlap
    ExpectSameCells(d, MakePlotGeometry(d, 0, 0));
    const VectorDocument one = Field(1, 1);
    ExpectSameCells(one, MakePlotGeometry(one, 300, 300));
}

TEST(PlotRender, CellsBeyondTheIntegerRangeAreLeftOut) {
    const VectorDocument d = Field(4, 3);
    PlotGeometry g = MakePlotGeometry(d, 1000, 1000);
    g.cw = 6e8;  // columns 4 and up leave the 32-bit range
    ExpectSameCells(d, g);
    const CellGrid grid = BackgroundCellGrid(d, g);
    ASSERT_EQ(grid.Columns.size(), 4u);
    EXPECT_TRUE(grid.Columns[0].ok);
    EXPECT_FALSE(grid.Columns[3].ok);
    g.ch = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(BackgroundCellGrid(d, g).Rows.empty());
    ExpectSameCells(d, g);
}
