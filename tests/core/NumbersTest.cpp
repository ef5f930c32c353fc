#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Cp1252.h"
#include "Numbers.h"
#include "Paths.h"

using namespace sx;

TEST(Numbers, StrNumberDropsTheLeadingZeroAndSwitchesToExponents) {
    EXPECT_EQ(StrNumber(0.5), ".5");
    EXPECT_EQ(StrNumber(-0.5), "-.5");
    EXPECT_EQ(StrNumber(-0.25), "-.25");
    EXPECT_EQ(StrNumber(1.5), "1.5");
    EXPECT_EQ(StrNumber(0), "0");
    EXPECT_EQ(StrNumber(-0.0), "0");
    EXPECT_EQ(StrNumber(100), "100");
    EXPECT_EQ(StrNumber(0.0001), ".0001");
    EXPECT_EQ(StrNumber(0.00001), "1E-05");
    EXPECT_EQ(StrNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(StrNumber(1e15), "1E+15");
    EXPECT_EQ(StrNumber(0.1 + 0.2), ".3");  // 15 significant digits hide the binary tail
    EXPECT_EQ(StrNumberUntrimmed(2), " 2");
    EXPECT_EQ(StrNumberUntrimmed(-2), "-2");
}

TEST(Numbers, PrintNumberAndFixedFormatsUseTheGivenSeparator) {
    EXPECT_EQ(PrintNumber(0.5, ','), " ,5 ");
    EXPECT_EQ(PrintNumber(-1.25, '.'), "-1.25 ");
    EXPECT_EQ(FormatFixed(1.23456, 4, ','), "1,2346");
    EXPECT_EQ(FormatFixed(-0.5, 4, '.'), "-0.5000");
    EXPECT_EQ(FormatFixed(0.25, 3, '.'), "0.250");
    EXPECT_EQ(FormatFixed(-0.00001, 4, '.'), "0.0000");
    EXPECT_EQ(FormatFixed(12345.0, 4, ','), "12345,0000");
}

TEST(Numbers, LenientParserReadsTheLeadingNumberWithAPointOnly) {
    EXPECT_EQ(ParseNumber("1.5"), 1.5);
    EXPECT_EQ(ParseNumber("  -2.25abc"), -2.25);
    EXPECT_EQ(ParseNumber("1,5"), 1.0);  // a comma ends the number
    EXPECT_EQ(ParseNumber("1 000"), 1000.0);
    EXPECT_EQ(ParseNumber("abc"), 0.0);
    EXPECT_EQ(ParseNumber(""), 0.0);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("2E3"), 2000.0);
    EXPECT_EQ(ParseNumber("2E"), 2.0);
    EXPECT_EQ(ParseNumber("1e999"), 0.0);  // no infinity gets through
}

TEST(Numbers, StrictParserWantsOneWholeNumber) {
    EXPECT_EQ(ParseNumberStrict(" 1.5 "), 1.5);
    EXPECT_EQ(ParseNumberStrict("-.25"), -0.25);
    EXPECT_FALSE(ParseNumberStrict("1.5x"));
    EXPECT_FALSE(ParseNumberStrict("1 5"));
    EXPECT_FALSE(ParseNumberStrict(""));
    EXPECT_FALSE(ParseNumberStrict("-"));
}

TEST(Numbers, RoundingGoesHalfToEvenAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(3.5), 4);
    EXPECT_EQ(RoundToInt32(-0.4), 0);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(RoundToInt32(2147483648.0));
    EXPECT_FALSE(RoundToInt32(std::nan("")));
    EXPECT_FALSE(RoundToInt32(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_FALSE(RoundToInt16(32767.6));
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(RoundToInt32(-2147483648.4), -2147483647 - 1);
    EXPECT_FALSE(RoundToInt32(2147483647.5));  // the even neighbour no longer fits
    // the fast rounding agrees with the library's halves-to-even rounding
    for (int k = -200000; k <= 200000; ++k) {
        const double x = k * 0.25 + (k % 7) * 1e5;
        ASSERT_EQ(*RoundToInt32(x), static_cast<int32_t>(std::nearbyint(x))) << x;
    }
}

TEST(Paths, NamesExtensionsAndFolders) {
    EXPECT_EQ(FileNameOf("C:\\a.b\\feld.dat"), "feld.dat");
    EXPECT_EQ(FileNameOf("/home/x/feld.sdx"), "feld.sdx");
    EXPECT_EQ(FileNameOf("feld"), "feld");
    EXPECT_EQ(ExtensionOf("feld.Dat"), "DAT");
    EXPECT_EQ(ExtensionOf("vec"), "VEC");
    EXPECT_EQ(FolderOf("C:\\feld.vec"), "C:");
    EXPECT_EQ(UpperTail("a.sdx", 4), ".SDX");
    EXPECT_EQ(UpperTail("ab", 4), "AB");
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_FALSE(FileExists("/nonexistent/nothing.sdx"));
    EXPECT_TRUE(FileExists("/"));  // a folder exists for the reader to report
}

TEST(Cp1252, ConvertsBothWaysAndReplacesWhatItCannotHold) {
    EXPECT_EQ(Cp1252ToUtf8("Str\xF6mung \x80"), "Strömung €");
    EXPECT_EQ(Utf8ToCp1252("Strömung €"), "Str\xF6mung \x80");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x86\xBB"), "?");
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");  // a cut sequence
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
    }
}
