#include <gtest/gtest.h>

#include "BitmapExport.h"

using namespace sx;

namespace {
// Types `keys` into a box holding `text` with the caret at its end, as the
// magnitude box filters them.
std::u32string TypeRef(std::u32string text, const std::u32string &keys) {
    for (char32_t k : keys)
        if (auto c = RefVecKeyFilter(text, text.size(), k)) text.push_back(*c);
    return text;
}
}  // namespace

TEST(BitmapExport, EstimateUsesFourBytesPerPixelAndTheLocaleSeparator) {
    EXPECT_EQ(PicSizeEstimateText(1024, 1024, '.'), "Dateigröße etwa: 4.000 MB");
    EXPECT_EQ(PicSizeEstimateText(100, 100, ','), "Dateigröße etwa: 0,038 MB");
    EXPECT_EQ(PicSizeEstimateText(0, 1024, '.'), "Dateigröße etwa: 0.000 MB");
}

TEST(BitmapExport, KeyFilters) {
    EXPECT_TRUE(SizeKeyAccepted(U'7'));
    EXPECT_TRUE(SizeKeyAccepted(8));  // backspace
    EXPECT_FALSE(SizeKeyAccepted(U'-'));
    EXPECT_FALSE(SizeKeyAccepted(U'.'));

    EXPECT_EQ(TypeRef(U"", U"-,5"), U"-.5");
    EXPECT_EQ(TypeRef(U"", U"1.2.3-x"), U"1.23");
    EXPECT_EQ(TypeRef(U"-1", U"-"), U"-1");
    // nothing in front of the sign, a sign only at the start
    EXPECT_FALSE(RefVecKeyFilter(U"-1", 0, U'5'));
    EXPECT_FALSE(RefVecKeyFilter(U"15", 1, U'-'));
    EXPECT_EQ(RefVecKeyFilter(U"15", 0, U'-'), U'-');
    EXPECT_EQ(RefVecKeyFilter(U"-1", 0, 8), char32_t{8});
}

TEST(BitmapExport, SizeCheckAndMessages) {
    EXPECT_TRUE(PicSizeAcceptable(100, 100));
    EXPECT_FALSE(PicSizeAcceptable(99, 1024));
    EXPECT_FALSE(PicSizeAcceptable(1024, 99));
    const UserMessage m = PicSizeTooSmallMessage();
    EXPECT_EQ(m.text, "Falsche Größenangaben! Höhe und Breite sollten wenigstens 100 Pixel groß sein!");
    EXPECT_EQ(m.title, "Ungültige Größe");
    EXPECT_EQ(m.icon, MsgIcon::Information);
}

TEST(BitmapExport, FileNames) {
    EXPECT_EQ(BitmapDefaultName("C:\\Messung\\run07.vec"), "run07");
    EXPECT_EQ(BitmapDefaultName("/home/a.b/run07.sdx"), "run07");
    EXPECT_EQ(BitmapDefaultName("/home/a.b/DAT"), "DAT");
    EXPECT_EQ(BitmapTargetPath("/tmp/result.csv"), "/tmp/result.bmp");
    EXPECT_EQ(BitmapTargetPath("/tmp/v1.2/bild"), "/tmp/v1.2/bild.bmp");
    EXPECT_EQ(BitmapTargetPath("bild.x.bmp"), "bild.x.bmp");
}

TEST(BitmapExport, LayoutWithAndWithoutAxes) {
    // strips at their design size: a twentieth of the height, 768 twips
    BitmapLayout L = ComputeBitmapLayout(1024, 1024, true, 495, 495, 15, 15);
    ASSERT_TRUE(L.WithAxes);
    EXPECT_EQ(L.YAxis.W, 51);
    EXPECT_EQ(L.Plot.X, 51);
    EXPECT_EQ(L.Plot.W, 1024 - 51);
    EXPECT_EQ(L.Plot.H, 973);
    EXPECT_EQ(L.YAxis.H, 973);
    EXPECT_EQ(L.XAxis.Y, 973);
    EXPECT_EQ(L.XAxis.Y + L.XAxis.H, 1024);
    EXPECT_EQ(L.FrameLeft, 51);
    EXPECT_EQ(L.FrameRight, 1023);
    EXPECT_EQ(L.FrameBottom, 973);

    // a y strip narrower than the x strip is high: a twentieth of the width
    L = ComputeBitmapLayout(400, 1000, true, 300, 495, 15, 15);
    ASSERT_TRUE(L.WithAxes);
    EXPECT_EQ(L.YAxis.W, 20);
    EXPECT_EQ(L.XAxis.H, 20);

    L = ComputeBitmapLayout(200, 150, false, 495, 495, 15, 15);
    EXPECT_FALSE(L.WithAxes);
    EXPECT_EQ(L.Plot.W, 200);
    EXPECT_EQ(L.Plot.H, 150);
    EXPECT_EQ(L.FrameRight, 199);
    EXPECT_EQ(L.FrameBottom, 149);

    // strips a twentieth of a very tall bitmap would swallow a narrow plot
    L = ComputeBitmapLayout(100, 9999, true, 495, 495, 15, 15);
    EXPECT_FALSE(L.WithAxes);
    EXPECT_EQ(L.Plot.W, 100);
}
