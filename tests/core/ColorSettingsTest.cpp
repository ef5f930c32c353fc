#include "ColorSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace sx {
namespace {

const int32_t kGreen = Rgb(0, 255, 0), kWhite = Rgb(255, 255, 255), kRed = Rgb(255, 0, 0);

TEST(ColorSettings, PaletteRunsFromMaximumOverNullToMinimum) {
    auto p = ComputePalette(1, 0, -1, 100, kGreen, kWhite, kRed);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->NullRow, 50);
    ASSERT_EQ(p->Rows.size(), 100u);
    EXPECT_EQ(p->Rows[0], kGreen);
    EXPECT_EQ(p->Rows[25], Rgb(128, 255, 128));  // 127.5 rounds to the even 128
    EXPECT_EQ(p->Rows[50], kWhite);
    EXPECT_EQ(p->Rows[75], Rgb(255, 128, 128));  // 25/50 of the way
    EXPECT_EQ(p->Rows[99], Rgb(255, 5, 5));      // the last row stops short of the minimum colour

    // a null value at the ends of the scale keeps one row on each side
    EXPECT_EQ(ComputePalette(1, 0.999999, -1, 100, kGreen, kWhite, kRed).value().NullRow, 1);
    EXPECT_EQ(ComputePalette(1, -0.999999, -1, 100, kGreen, kWhite, kRed).value().NullRow, 99);
    // a one-row picture does not divide by zero
    auto one = ComputePalette(1, 0, -1, 1, kGreen, kWhite, kRed);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->Rows[0], kGreen);
    // a span that overflows still gives a palette
    EXPECT_TRUE(ComputePalette(1e308, 0, -1e308, 100, kGreen, kWhite, kRed));
}

TEST(ColorSettings, ScaleMustBeStrictlyOrderedAndFinite) {
    EXPECT_TRUE(ColorScaleValid(1, 0, -1));
    EXPECT_FALSE(ColorScaleValid(1, 1, -1));
    EXPECT_FALSE(ColorScaleValid(1, -1, -1));
    EXPECT_FALSE(ColorScaleValid(-1, 0, 1));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ColorScaleValid(inf, 0, -1));
    EXPECT_FALSE(ColorScaleValid(1, std::nan(""), -1));
    EXPECT_FALSE(ComputePalette(1, 1, -1, 100, kGreen, kWhite, kRed));
    EXPECT_FALSE(ComputePalette(inf, 0, -1, 100, kGreen, kWhite, kRed));
}

TEST(ColorSettings, StoredColoursFallBackToTheDefault) {
    EXPECT_EQ(ColorFromSettingText("65280", 1), 65280);
    EXPECT_EQ(ColorFromSettingText(" -5 ", 1), -5);
    EXPECT_EQ(ColorFromSettingText("", 7), 7);
    EXPECT_EQ(ColorFromSettingText("12abc", 7), 7);
    EXPECT_EQ(ColorFromSettingText("1.5", 7), 7);
    EXPECT_EQ(ColorFromSettingText("4294967296", 7), 7);
    EXPECT_EQ(ColorSettingText(16711680), "16711680");
}

TEST(ColorSettings, ExtremesOfTheBackground) {
    VectorDocument d;
    d.Resize(2, 2);
    d.BackValues = {0.5, -3, std::nan(""), 2};
    d.View.Background = BackNone;
    EXPECT_EQ(BackgroundExtremes(d).Max, 1);
    EXPECT_EQ(BackgroundExtremes(d).Min, -1);
    d.View.Background = BackVorticity;
    EXPECT_EQ(BackgroundExtremes(d).Max, 2);
    EXPECT_EQ(BackgroundExtremes(d).Min, -3);
    // the first node not finite: the others still count
    d.BackValues = {std::nan(""), 4, 5, 6};
    EXPECT_EQ(BackgroundExtremes(d).Max, 6);
    EXPECT_EQ(BackgroundExtremes(d).Min, 4);
}

}  // namespace
}  // namespace sx
