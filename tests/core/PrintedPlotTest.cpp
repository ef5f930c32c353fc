#include "PrintedPlot.h"

#include <gtest/gtest.h>

namespace sx {
namespace {

// nx x ny valid nodes at x0 + dx*(i-1), y0 + dy*(j-1), every vector (u, v).
VectorDocument Field(int nx, int ny, double x0, double dx, double y0, double dy, double u = 1, double v = 0) {
    VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = x0 + dx * (i - 1);
    for (int j = 1; j <= ny; ++j) d.PosY(j) = y0 + dy * (j - 1);
    for (size_t k = 0; k < d.NodeCount(); ++k) {
        d.Statuses[k] = StatusValid;
        d.Us[k] = u;
        d.Vs[k] = v;
    }
    return d;
}

// 100 twips per character, 200 twips high.
struct FixedFont : TextMetrics {
    double TextWidth(const std::string &t) const override { return 100.0 * t.size(); }
    double TextHeight(const std::string &) const override { return 200; }
};

void ExpectPlacement(const std::optional<PrintPlacement> &p, int32_t x, int32_t y, int32_t w, int32_t h) {
    ASSERT_TRUE(p);
    EXPECT_EQ(p->OffX, x);
    EXPECT_EQ(p->OffY, y);
    EXPECT_EQ(p->W, w);
    EXPECT_EQ(p->H, h);
}

TEST(PrintedPlot, PlacementFillsScalesCentresAndKeepsRoomForLabels) {
    VectorDocument d = Field(4, 2, 10, 10, 10, 10);
    const PrintArea area{0, 0, 10000, 6000};
    ExpectPlacement(PlacePrintedPlot(d, area, 100, 300, 200), 0, 0, 10000, 6000);
    ExpectPlacement(PlacePrintedPlot(d, area, 50, 300, 200), 2500, 1500, 5000, 3000);
    ExpectPlacement(PlacePrintedPlot(d, area, 33, 300, 200), 3350, 2010, 3300, 1980);
    // a printable area that does not start at the page corner
    ExpectPlacement(PlacePrintedPlot(d, PrintArea{100, 50, 10000, 6000}, 100, 300, 200), 100, 50, 10000, 6000);

    d.View.ShowCoordSystem = true;  // one "000" left of and below the plot
    ExpectPlacement(PlacePrintedPlot(d, area, 100, 300, 200), 300, 0, 9700, 5800);
}

TEST(PrintedPlot, AspectCorrectionOnlyTakesAwayWidthOrHeight) {
    VectorDocument d = Field(4, 2, 10, 10, 10, 10);  // 5 x 3 cells of 10 mm: r = 0.6
    d.View.AspectRatioCorrection = true;
    ExpectPlacement(PlacePrintedPlot(d, PrintArea{0, 0, 10000, 10000}, 100, 0, 0), 0, 2000, 10000, 6000);
    ExpectPlacement(PlacePrintedPlot(d, PrintArea{0, 0, 10000, 3000}, 100, 0, 0), 2500, 0, 5000, 3000);
    // decreasing positions count by their distance
    for (int i = 1; i <= 4; ++i) d.PosX(i) = 50 - 10 * i;
    ExpectPlacement(PlacePrintedPlot(d, PrintArea{0, 0, 10000, 3000}, 100, 0, 0), 2500, 0, 5000, 3000);
    // one column: nothing to correct by, the area is kept
    VectorDocument one = Field(1, 3, 10, 10, 10, 10);
    one.View.AspectRatioCorrection = true;
    ExpectPlacement(PlacePrintedPlot(one, PrintArea{0, 0, 8000, 4000}, 100, 0, 0), 0, 0, 8000, 4000);
}

TEST(PrintedPlot, AxesTickEveryMillimetreAndLabelEveryTenth) {
    // x 0 .. 100 mm in 10 mm steps: the axis runs from -10 to 110
    VectorDocument d = Field(11, 2, 0, 10, 10, 10);
    const PrintPlacement p{500, 200, 12000, 3000};  // cells of 1000 twips
    const FixedFont font;
    EXPECT_TRUE(ComputePrintedAxes(d, p, 12600, 3250, font).Lines.empty());

    d.View.ShowCoordSystem = true;
    const PrintedAxes a = ComputePrintedAxes(d, p, 12600, 3250, font);
    // x: 121 ticks and 13 grid lines; y (30 .. 0 mm in 0.1 mm ticks): 301 ticks and 31 grid lines
    EXPECT_EQ(a.Lines.size(), 121u + 13u + 301u + 31u);
    ASSERT_EQ(a.Labels.size(), 13u + 31u);

    // first x tick at -10 on the left edge: mark rising from the bottom, then the dashed grid line
    EXPECT_EQ(a.Lines[0].From, (IntPoint{500, 3170}));
    EXPECT_EQ(a.Lines[0].To, (IntPoint{500, 3200}));
    EXPECT_FALSE(a.Lines[0].Dashed);
    EXPECT_EQ(a.Lines[1].From, (IntPoint{500, 200}));
    EXPECT_TRUE(a.Lines[1].Dashed);

    EXPECT_EQ(a.Labels[0].Text, "-10");
    EXPECT_DOUBLE_EQ(a.Labels[0].X, 350);
    EXPECT_DOUBLE_EQ(a.Labels[0].Y, 3201);
    EXPECT_EQ(a.Labels[1].Text, "0");
    EXPECT_DOUBLE_EQ(a.Labels[1].X, 1450);
    // at the right edge of the page: ends there, measured with its sign position (" 110")
    EXPECT_EQ(a.Labels[12].Text, "110");
    EXPECT_DOUBLE_EQ(a.Labels[12].X, 12600 - 400);

    // y labels from the bottom (30 mm) up, centred half a "000" left of the plot
    const PrintedLabel &y30 = a.Labels[13];
    EXPECT_EQ(y30.Text, "30");
    EXPECT_DOUBLE_EQ(y30.X, 500 - 250);
    EXPECT_DOUBLE_EQ(y30.Y, 3250 - 200);  // pushed up to end at the bottom of the page
    EXPECT_EQ(a.Labels.back().Text, "0");
    EXPECT_DOUBLE_EQ(a.Labels.back().Y, 100);
}

TEST(PrintedPlot, AxesOfAGridWithoutSpacingAreSkipped) {
    VectorDocument d = Field(3, 3, 10, 0, 10, 10);
    d.View.ShowCoordSystem = true;
    const PrintedAxes a = ComputePrintedAxes(d, PrintPlacement{0, 0, 4000, 4000}, 5000, 5000, FixedFont{});
    EXPECT_TRUE(a.Lines.empty());
    EXPECT_TRUE(a.Labels.empty());
    EXPECT_TRUE(PrintedStreamline(d, PrintPlacement{0, 0, 4000, 4000}, 10, 10, 1).empty());
}

TEST(PrintedPlot, StreamlinesAdvanceInTimeStepsUpToTheSegmentLimit) {
    const PrintPlacement p{0, 0, 102000, 3000};  // 1000 twips per 10 mm cell
    VectorDocument d = Field(101, 2, 0, 10, 0, 10);
    auto line = PrintedStreamline(d, p, 5, 5, 0.01);
    ASSERT_EQ(line.size(), 50002u);  // 50001 segments, 500.01 mm later
    EXPECT_EQ(line.front(), (IntPoint{1500, 1500}));
    EXPECT_EQ(line.back().x, 1000 + 50501);  // at 505.01 mm

    // backwards, against the flow, until the grid is left
    line = PrintedStreamline(d, p, 5, 5, -1);
    ASSERT_GE(line.size(), 3u);
    EXPECT_EQ(line[1].x, 1000 + 400);
    EXPECT_EQ(line[1].y, line[0].y);

    // no flow, or a start outside the grid: one segment of zero length
    for (auto &u : d.Us) u = 0;
    line = PrintedStreamline(d, p, 5, 5, 1);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0], line[1]);
    d = Field(101, 2, 0, 10, 0, 10);
    line = PrintedStreamline(d, p, -50, 5, 1);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0], line[1]);
}

}  // namespace
}  // namespace sx
