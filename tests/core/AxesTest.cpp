#include "Axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace sx;

namespace {

// 10 units per character, 20 high.
class FixedFont : public TextMetrics {
public:
    double TextWidth(const std::string &t) const override { return 10.0 * t.size(); }
    double TextHeight(const std::string &) const override { return 20; }
};

// Nine nodes 10 mm apart; the plot with its margin cells spans 0..100 mm.
VectorDocument Grid(double x1, double dx, double y1, double dy) {
    VectorDocument d;
    d.Resize(9, 9);
    for (int i = 1; i <= 9; ++i) d.PosX(i) = x1 + (i - 1) * dx;
    for (int j = 1; j <= 9; ++j) d.PosY(j) = y1 + (j - 1) * dy;
    return d;
}

std::vector<std::string> Texts(const std::vector<AxisLabel> &labels) {
    std::vector<std::string> t;
    for (const auto &l : labels) t.push_back(l.Text);
    return t;
}

size_t CountDashed(const CoordSystemLayout &c, bool dashed) {
    return static_cast<size_t>(
        std::count_if(c.Lines.begin(), c.Lines.end(), [&](const AxisLine &l) { return l.Dashed == dashed; }));
}

}  // namespace

TEST(Axes, TickRunFollowsTheDecade) {
    auto r = MakeTickRun(0, 100, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Step, 1);
    EXPECT_EQ(r->Start, 0);
    EXPECT_EQ(r->Last, 100);
    r = MakeTickRun(0, 31, true);  // log10 31 = 1.49: ticks every 0.1 mm
    EXPECT_DOUBLE_EQ(r->Step, 0.1);
    EXPECT_EQ(r->Last, 310);
    r = MakeTickRun(0, 32, true);  // log10 32 = 1.505: every 1 mm
    EXPECT_EQ(r->Step, 1);
    EXPECT_EQ(r->Last, 32);
    // the first tick is rounded up, or down for positions that fall; halves go to even
    EXPECT_EQ(MakeTickRun(2.3, 100, true).value().Start, 3);
    EXPECT_EQ(MakeTickRun(2.3, -100, false).value().Start, 2);
    EXPECT_EQ(MakeTickRun(-10, 120, true).value().Start, -10);
    r = MakeTickRun(100, -100, false);
    EXPECT_EQ(r->Dir, -1);
    EXPECT_EQ(r->Last, -100);
    EXPECT_FALSE(MakeTickRun(0, 0, true));
    EXPECT_FALSE(MakeTickRun(0, std::nan(""), true));
}

TEST(Axes, LabelTexts) {
    EXPECT_EQ(TickLabel(10, 1), " 10");
    EXPECT_EQ(TickLabel(0.5, 0.1), " .5");
    EXPECT_EQ(TickLabel(-5, 1), "-5");
    EXPECT_EQ(TickLabel(0.1 * 30, 0.1), " 3");  // snapped to the step: no 3.0000000000000004
    EXPECT_TRUE(IsLabelledTick(-20, 1));
    EXPECT_TRUE(IsLabelledTick(2.0000000001, 0.1));
    EXPECT_FALSE(IsLabelledTick(31, 1));
    EXPECT_EQ(AxisFontSize(300, 100, 400), 75);
    EXPECT_FALSE(AxisFontSize(300, 100, 0));
}

TEST(Axes, HundredMillimetres) {
    // x grows to the right; y falls with the row, so it grows upward on the plot
    auto d = Grid(10, 10, 90, -10);
    PlotGeometry g = MakePlotGeometry(d, 1000, 1000);
    FixedFont font;
    auto c = ComputeCoordSystem(d, g, StripSize{1000, 200}, StripSize{300, 1000}, font, font);
    ASSERT_TRUE(c.XAxis && c.YAxis);
    const std::vector<std::string> expected{" 0",  " 10", " 20", " 30", " 40", " 50",
                                            " 60", " 70", " 80", " 90", " 100"};
    EXPECT_EQ(Texts(c.XLabels), expected);
    EXPECT_EQ(Texts(c.YLabels), expected);
    EXPECT_EQ(CountDashed(c, true), 22u);    // every tenth tick of both axes
    EXPECT_EQ(CountDashed(c, false), 202u);  // a mark for every 1 mm tick

    // x labels: centred under the tick, the first clamped to the left edge, the last to the right one
    EXPECT_EQ(c.XLabels[0].X, 0);
    EXPECT_EQ(c.XLabels[0].Y, 90);
    EXPECT_EQ(c.XLabels[5].X, 500 - 15);
    EXPECT_EQ(c.XLabels[10].X, 1000 - 40);
    // y labels: 0 at the bottom (clamped up), 100 at the top (clamped down to 0)
    EXPECT_EQ(c.YLabels[0].Y, 1000 - 20);
    EXPECT_EQ(c.YLabels[5].Y, 500 - 10);
    EXPECT_EQ(c.YLabels[5].X, 150 - 15);
    EXPECT_EQ(c.YLabels[10].Y, 0);

    // the grid line of 50 mm crosses the plot; its tick mark is 1/100 of the height
    const AxisLine &grid = c.Lines[50 + 5 + 0];  // 50 marks and 5 grid lines before it
    EXPECT_TRUE(grid.Dashed);
    EXPECT_EQ(grid.From, (IntPoint{500, 0}));
    EXPECT_EQ(grid.To, (IntPoint{500, 1000}));
    const AxisLine &mark = c.Lines[50 + 5 + 1];
    EXPECT_EQ(mark.From, (IntPoint{500, 990}));
    EXPECT_EQ(mark.To, (IntPoint{500, 1000}));
}

TEST(Axes, FallingPositionsAndNegativeLabels) {
    FixedFont font;
    auto d = Grid(90, -10, 10, 10);
    auto c = ComputeCoordSystem(d, MakePlotGeometry(d, 1000, 1000), {1000, 200}, {300, 1000}, font, font);
    ASSERT_EQ(c.XLabels.size(), 11u);  // ticks count down from 100 at the left edge
    EXPECT_EQ(c.XLabels.front().Text, " 100");
    EXPECT_EQ(c.XLabels.front().X, 0);
    EXPECT_EQ(c.XLabels.back().Text, " 0");
    EXPECT_EQ(c.XLabels.back().X, 1000 - 20);
    EXPECT_EQ(c.YLabels.front().Text, " 100");  // y grows downward: 100 mm at the bottom

    d = Grid(-40, 10, 40, -10);  // x -50 .. 50
    c = ComputeCoordSystem(d, MakePlotGeometry(d, 1000, 1000), {1000, 200}, {300, 1000}, font, font);
    EXPECT_EQ(c.XLabels.front().Text, "-50");
    // a strip wider than the plot: labels move by half the difference
    auto c2 = ComputeCoordSystem(d, MakePlotGeometry(d, 1000, 1000), {1200, 200}, {300, 1000}, font, font);
    EXPECT_EQ(c2.XLabels[5].X, c.XLabels[5].X + 100);
}

TEST(Axes, DegenerateGridsSkipTheAxes) {
    FixedFont font;
    VectorDocument one;
    one.Resize(1, 5);
    for (int j = 1; j <= 5; ++j) one.PosY(j) = j;
    auto c = ComputeCoordSystem(one, MakePlotGeometry(one, 500, 500), {500, 100}, {100, 500}, font, font);
    EXPECT_FALSE(c.XAxis || c.YAxis);
    EXPECT_TRUE(c.Lines.empty());

    auto d = Grid(10, 0, 10, 10);  // equal x positions
    c = ComputeCoordSystem(d, MakePlotGeometry(d, 500, 500), {500, 100}, {100, 500}, font, font);
    EXPECT_TRUE(c.Lines.empty());
}
