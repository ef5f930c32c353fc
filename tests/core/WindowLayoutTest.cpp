#include "WindowLayout.h"

#include <gtest/gtest.h>

namespace sx {
namespace {

void ExpectRect(const LayoutRect &r, double left, double top, double width, double height, bool visible = true) {
    EXPECT_EQ(r.Left, left);
    EXPECT_EQ(r.Top, top);
    EXPECT_EQ(r.Width, width);
    EXPECT_EQ(r.Height, height);
    EXPECT_EQ(r.Visible, visible);
}

LayoutInput Input(double w, double h) {
    LayoutInput in;
    in.Width = w;
    in.Height = h;
    in.SpanX = 10;
    in.SpanY = 10;
    return in;
}

TEST(WindowLayout, PlotAloneFillsTheWindow) {
    WindowLayout L = ComputeWindowLayout(Input(6000, 4000));
    ASSERT_FALSE(L.Minimized);
    EXPECT_FALSE(L.Header.Visible);
    EXPECT_FALSE(L.Table.Visible);
    ExpectRect(L.Plot, 0, 0, 6000, 4000);
    EXPECT_FALSE(L.XAxis.Visible || L.YAxis.Visible || L.XYCorner.Visible);
    EXPECT_TRUE(L.RedrawPlot);
    EXPECT_FALSE(L.RunShowHeaderInfo);
}

TEST(WindowLayout, TableAndPlotSplitTheWidth) {
    LayoutInput in = Input(6001, 4000);
    in.ShowTable = true;
    WindowLayout L = ComputeWindowLayout(in);
    ExpectRect(L.Table, 0, 0, 3000, 4000);
    ExpectRect(L.Plot, 3001, 0, 3000, 4000);

    in.ShowVectorfield = false;
    L = ComputeWindowLayout(in);
    ExpectRect(L.Table, 0, 0, 6001, 4000);
    EXPECT_FALSE(L.Plot.Visible);
    EXPECT_TRUE(L.RedrawPlot);
}

TEST(WindowLayout, HeaderTakesTheUpperQuarter) {
    LayoutInput in = Input(6000, 4000);
    in.ShowHeader = true;
    in.ShowTable = true;
    WindowLayout L = ComputeWindowLayout(in);
    ExpectRect(L.Header, 0, 0, 6000, 1000);
    ExpectRect(L.Label1, 120, 240, 1920, 640);
    ExpectRect(L.Label2, 2040, 240, 1920, 640);
    ExpectRect(L.Label3, 3960, 240, 1920, 640);
    ExpectRect(L.Table, 0, 1001, 3000, 2999);
    ExpectRect(L.Plot, 3001, 1001, 3000, 2999);
    EXPECT_TRUE(L.RunShowHeaderInfo);

    // H rounded half to even before the division
    in.Height = 4002.5;
    EXPECT_EQ(ComputeWindowLayout(in).Header.Height, 1000);
    in.Height = 4003.5;
    EXPECT_EQ(ComputeWindowLayout(in).Header.Height, 1001);
}

TEST(WindowLayout, TinyAndMinimisedWindows) {
    LayoutInput in = Input(100, 100);
    in.ShowHeader = true;
    WindowLayout L = ComputeWindowLayout(in);
    ExpectRect(L.Header, 0, 0, 100, 25);
    ExpectRect(L.Label1, 120, 240, 0, 0);
    EXPECT_EQ(L.Label3.Left, 27);  // round(2 * (100 - 240)) \ 3 + 120
    ExpectRect(L.Plot, 0, 26, 100, 74);

    for (auto [w, h] : {std::pair<double, double>{0, 4000}, {6000, 0}}) {
        L = ComputeWindowLayout(Input(w, h));
        EXPECT_TRUE(L.Minimized);
        EXPECT_FALSE(L.RedrawPlot);
    }
}

TEST(WindowLayout, AxisStrips) {
    LayoutInput in = Input(6000, 4000);
    in.ShowCoordSystem = true;
    WindowLayout L = ComputeWindowLayout(in);
    EXPECT_TRUE(L.ShowCoordSystem);
    ExpectRect(L.YAxis, 0, 0, 495, 3505);
    ExpectRect(L.Plot, 495, 0, 5505, 3505);
    ExpectRect(L.XAxis, 495, 3505, 5505, 495);
    ExpectRect(L.XYCorner, 0, 3505, 495, 495);

    // plot hidden: strips hidden, no size test however small
    in.ShowTable = true;
    in.ShowVectorfield = false;
    in.Width = in.Height = 50;
    L = ComputeWindowLayout(in);
    EXPECT_FALSE(L.ShowSizeMessage || L.XAxis.Visible || L.YAxis.Visible || L.XYCorner.Visible);
    EXPECT_TRUE(L.ShowCoordSystem);
}

TEST(WindowLayout, SizeTestSwitchesTheAxesOff) {
    LayoutInput in = Input(6000, 394);
    in.ShowCoordSystem = true;
    WindowLayout L = ComputeWindowLayout(in);
    EXPECT_TRUE(L.ShowSizeMessage);
    EXPECT_FALSE(L.ShowCoordSystem);
    EXPECT_FALSE(L.XAxis.Visible || L.YAxis.Visible || L.XYCorner.Visible);
    ExpectRect(L.Plot, 0, 0, 6000, 394);

    // narrow plot beside the table
    in.Height = 4000;
    in.ShowTable = true;
    in.Width = 788;
    EXPECT_TRUE(ComputeWindowLayout(in).ShowSizeMessage);
    in.Width = 790;
    EXPECT_FALSE(ComputeWindowLayout(in).ShowSizeMessage);

    // 395 passes the test; the strips leave nothing and nothing goes negative
    in.ShowTable = false;
    in.Width = 6000;
    in.Height = 395;
    L = ComputeWindowLayout(in);
    EXPECT_FALSE(L.ShowSizeMessage);
    ExpectRect(L.YAxis, 0, 0, 495, 0);
    ExpectRect(L.Plot, 495, 0, 5505, 0);
    ExpectRect(L.XAxis, 495, 0, 5505, 495);

    // axes off: no message at any size
    in.ShowCoordSystem = false;
    in.Height = 10;
    EXPECT_FALSE(ComputeWindowLayout(in).ShowSizeMessage);
    EXPECT_EQ(CoordSystemTooSmallMessage().title, "Koordinatensystem zeichnen");
}

TEST(WindowLayout, AspectRatioWithoutAxes) {
    LayoutInput in = Input(2000, 2000);
    in.AspectRatioCorrection = true;
    in.SpanX = 20;  // twice as wide as high
    in.SpanY = 10;
    ExpectRect(ComputeWindowLayout(in).Plot, 0, 500, 2000, 1000);

    in.SpanX = 10;  // twice as high as wide
    in.SpanY = 20;
    ExpectRect(ComputeWindowLayout(in).Plot, 500, 0, 1000, 2000);

    in.SpanY = 10;  // same ratio: unchanged
    ExpectRect(ComputeWindowLayout(in).Plot, 0, 0, 2000, 2000);

    in.SpanX = 0;  // single column: no extent, no correction
    ExpectRect(ComputeWindowLayout(in).Plot, 0, 0, 2000, 2000);

    // odd difference: old height rounded, then halved toward zero
    in = Input(1000, 1001.5);
    in.AspectRatioCorrection = true;
    in.SpanX = 10;
    in.SpanY = 3;
    ExpectRect(ComputeWindowLayout(in).Plot, 0, 351, 1000, 300);
}

TEST(WindowLayout, AspectRatioWithAxes) {
    LayoutInput in = Input(6000, 4000);
    in.AspectRatioCorrection = true;
    in.ShowCoordSystem = true;
    WindowLayout L = ComputeWindowLayout(in);
    // usable area 5505 x 3505, square field: width 495 + 3505, centred
    ExpectRect(L.YAxis, 1000, 0, 495, 3505);
    ExpectRect(L.Plot, 1495, 0, 3505, 3505);
    ExpectRect(L.XAxis, 1495, 3505, 3505, 495);
    ExpectRect(L.XYCorner, 1000, 3505, 495, 495);

    // plot narrower than the strip but not caught by the size test: no ratio, clamped
    in.Width = 450;
    L = ComputeWindowLayout(in);
    EXPECT_FALSE(L.ShowSizeMessage);
    EXPECT_EQ(L.Plot.Left, 495);
    EXPECT_EQ(L.Plot.Width, 0);
    EXPECT_EQ(L.Plot.Height, 3505);
}

TEST(WindowLayout, FieldSpansFromTheFirstTwoPositions) {
    VectorDocument d;
    d.Resize(3, 4);
    d.PosXs = {1, 3, 5};
    d.PosYs = {10, 9.5, 9, 8.5};
    LayoutInput in = MakeLayoutInput(d, 100, 200);
    EXPECT_EQ(in.SpanX, 8);
    EXPECT_EQ(in.SpanY, 2.5);
    d.Resize(1, 4);  // a single column has no spacing
    EXPECT_EQ(MakeLayoutInput(d, 100, 200).SpanX, 0);
}

TEST(ViewToggles, TableOrPlotAlwaysStays) {
    ViewState v;  // plot alone
    ToggleView(v, ViewToggle::Vectorfield);
    EXPECT_TRUE(v.ShowTable && !v.ShowVectorfield);
    ToggleView(v, ViewToggle::Table);
    EXPECT_TRUE(!v.ShowTable && v.ShowVectorfield);
    ToggleView(v, ViewToggle::CoordSystem);
    EXPECT_TRUE(v.ShowCoordSystem);
}

}  // namespace
}  // namespace sx
