#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "Cp1252.h"
#include "DatFile.h"
#include "FaultSearch.h"
#include "FileBytes.h"
#include "Numbers.h"
#include "Paths.h"
#include "PlotGeometry.h"
#include "ReferenceNumbers.h"
#include "Sampling.h"
#include "TableText.h"
#include "Transformation.h"

using namespace sx;

namespace {

// A 3 x 3 DAT field (first column at pixel 16, first row at pixel 48) with
// the given ratio and time-interval header texts and one data line.
std::string DatText(const std::string &ratio, const std::string &interval, const std::string &line) {
    return "Date and time:                 02.02.98 17:30\r\n"
           "Recording 1:                   a.tif\r\n"
           "Recording 2:                   b.tif\r\n"
           "Flow type:                     Wirbel\r\n"
           "Phase type:                   keine\r\n"
           "Recording type:                PIV\r\n"
           "Algorithm:                     FFT\r\n"
           "Image size           [pixels]: 64 x 64\r\n"
           "Interrogation Window [pixels]: 32 x 32\r\n"
           "Interrogation Grid   [pixels]: 16 x 16\r\n"
           "Image/objekt ratio[pixels/cm]:" +
           ratio +
           "\r\n"
           "Time interval   [microsecond]:" +
           interval +
           "\r\n"
           "Interrogation points:          1\r\n"
           "\r\n"
           "x[pix] y[pix]   vx[pix]   vy[pix]     X[mm]     Y[mm]   Vx[m/s]   Vy[m/s]\r\n"
           "\r\n" +
           line + "\r\n";
}

}  // namespace

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
    EXPECT_EQ(FormatFixed(12345.0, 4, ','), "12345,0000");
    EXPECT_EQ(FormatFixed(0.5, 0, '.'), "0");  // halves to even, as printf
}

// Every negative value keeps its minus, as printf("%.4f") writes it, so that
// a "-0.0000" read from a file is written back unchanged.
TEST(Numbers, FixedFormatsKeepTheMinusOfValuesThatRoundToZero) {
    for (char sep : {'.', ','}) {
        const std::string z = std::string("0") + sep + "0000";
        EXPECT_EQ(FormatFixed(-0.00001, 4, sep), "-" + z);
        EXPECT_EQ(FormatFixed(-0.0, 4, sep), "-" + z);
        EXPECT_EQ(FormatFixed(0.00004, 4, sep), z);
        EXPECT_EQ(FormatFixed(0.0, 4, sep), z);
        EXPECT_EQ(FormatFixed(-0.0004, 3, sep), std::string("-0") + sep + "000");
        EXPECT_EQ(FormatFixed(-1e-11, 10, sep), std::string("-0") + sep + "0000000000");
    }
    char buf[64];
    for (double x : {-0.00001, -0.0, -0.00004999, -0.00005, 0.00004, -1e-300}) {
        std::snprintf(buf, sizeof buf, "%.4f", x);
        EXPECT_EQ(FormatFixed(x, 4, '.'), buf) << x;
    }
}

namespace {

// Holds the buffer forms of one value against printf (no fixed form for
// decimals < 0) and keeps the first differences.
class FormatCheck {
public:
    void Value(double x, int decimals) {
        ++count_;
        const std::string s = ref::StrNumber(x);
        char buf[kNumberRoom];
        Same(std::string(buf, WriteStrNumber(buf, x)), s, x, "StrNumber");
        for (char sep : {'.', ','}) {
            std::string p = s[0] == '-' ? s : " " + s;
            for (char &c : p)
                if (c == '.') c = sep;
            Same(std::string(buf, WritePrintNumber(buf, x, sep)), p + " ", x, "PrintNumber");
        }
        if (decimals < 0) return;
        std::string f = ref::FormatFixed(x, decimals, '.');
        char fixed[FixedRoom(30)];
        Same(std::string(fixed, WriteFixed(fixed, x, decimals, '.')), f, x, "FormatFixed", decimals);
        const size_t dot = f.find('.');
        if (dot != std::string::npos) f[dot] = ',';
        Same(std::string(fixed, WriteFixed(fixed, x, decimals, ',')), f, x, "FormatFixed", decimals);
    }
    size_t count_ = 0;
    std::vector<std::string> failures;

private:
    void Same(const std::string &got, const std::string &want, double x, const char *form, int decimals = -1) {
        if (got == want || failures.size() >= 20) return;
        char bits[40];
        std::snprintf(bits, sizeof bits, "%a", x);
        failures.push_back(std::string(form) + "(" + bits + (decimals >= 0 ? ", " + std::to_string(decimals) : "") +
                           "): \"" + got + "\", printf: \"" + want + "\"");
    }
};

// Values of every kind, `n` of them from the seed.
void CheckRandomValues(FormatCheck &check, uint64_t seed, int n) {
    std::mt19937_64 rng(seed);
    auto uniform = [&] { return static_cast<double>(rng() >> 11) * 0x1.0p-53; };
    for (int k = 0; k < n; ++k) {
        double x;
        switch (k % 4) {
            case 0: {  // any bit pattern (printf is slow on the long fixed forms of most)
                const uint64_t bits = rng();
                std::memcpy(&x, &bits, sizeof x);
                check.Value(x, k % 32 == 0 ? k % 11 : -1);
                continue;
            }
            case 1:  // magnitudes of measured fields and their derived values
                x = (uniform() - 0.5) * std::pow(10.0, static_cast<int>(rng() % 30) - 12);
                break;
            case 2:  // short decimals, as typed or read from files
                x = std::round((uniform() - 0.5) * 2e6) / std::pow(10.0, static_cast<int>(rng() % 9));
                break;
            default:  // sums and products with a binary tail
                x = (uniform() * 100 - 50) * 0.013 + 0.1 * static_cast<double>(rng() % 7);
                break;
        }
        check.Value(x, k % 11);
    }
}

// Sanitizer and debug builds check fewer random values.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr int kRandomValuesPerThread = 50000;
#else
constexpr int kRandomValuesPerThread = 750000;
#endif

}  // namespace

TEST(Numbers, FastFormattingWritesExactlyWhatPrintfWrites) {
    // the random values on four threads beside the chosen ones here
    std::vector<FormatCheck> checks(5);
    std::vector<std::thread> threads;
    for (int t = 1; t < 5; ++t)
        threads.emplace_back(CheckRandomValues, std::ref(checks[static_cast<size_t>(t)]), 20240611u + t,
                             kRandomValuesPerThread);

    FormatCheck &check = checks[0];
    using limits = std::numeric_limits<double>;
    const double kMax = limits::max(), kBelowMax = std::nextafter(kMax, 0.0), kDenorm = limits::denorm_min();
    const double kTiny = limits::min(), kBelowTiny = std::nextafter(kTiny, 0.0), kInf = limits::infinity();
    const double ends[] = {0.0, -0.0, kMax, -kMax, kBelowMax, kDenorm, -kDenorm, kTiny, kBelowTiny, kInf, -kInf};
    const double switches[] = {0.3,
                               0.1 + 0.2,
                               1e-5,
                               0.0001,
                               99999.99999999995,
                               1e15,
                               999999999999999.0,
                               999999999999999.4,
                               999999999999999.6,
                               0.000099999999999999995,
                               0.0000099999999999999995};
    check.Value(limits::quiet_NaN(), 4);
    for (const double *set : {ends, switches})
        for (size_t k = 0; k < 11; ++k)
            for (int d = 0; d <= 12; ++d) check.Value(set[k], d);

    // every power of ten and the values around it, where the exponent and
    // the rounding carry change
    for (int e = -323; e <= 308; ++e) {
        char text[16];
        std::snprintf(text, sizeof text, "1e%d", e);
        const double p = std::strtod(text, nullptr);
        double up = p, down = p;
        for (int k = 0; k < 4; ++k) {
            for (double x : {up, down, -up, 2 * up, 5 * down, 9.5 * up}) check.Value(x, (e & 7) + k);
            up = std::nextafter(up, kMax);
            down = std::nextafter(down, 0.0);
        }
        for (int k = 1; k <= 12; ++k) {
            check.Value(p * (1 - k * 1e-16), 4);
            check.Value(-p * (1 + k * 1e-16), 3);
        }
    }

    std::mt19937_64 rng(20240611);
    auto uniform = [&] { return static_cast<double>(rng() >> 11) * 0x1.0p-53; };
    // exact halves of the 15th significant digit and of the last decimal:
    // n / 2^j with n odd has j decimals ending in 5 and 16 significant digits
    // when n * 5^j does
    for (int j = 1; j <= 22; ++j) {
        const double pow5 = std::pow(5.0, j), lo = std::ceil(1e15 / pow5), hi = 1e16 / pow5;
        for (int k = 0; k < 2000; ++k) {
            double n = std::floor(lo + uniform() * (hi - lo));
            if (std::fmod(n, 2.0) == 0) n += 1;
            if (n >= hi) continue;
            const double x = std::ldexp(n, -j);
            check.Value(x, j - 1);
            check.Value(-x, j - 1);
        }
    }
    // whole numbers with a 5 in the 16th digit
    for (int k = 0; k < 20000; ++k) check.Value(std::floor(uniform() * 9e14) * 10 + 5, k % 3);
    // subnormals
    for (int k = 0; k < 20000; ++k) {
        const uint64_t bits = rng() >> 12;
        double x;
        std::memcpy(&x, &bits, sizeof x);
        check.Value(k % 2 ? x : -x, k % 11);
    }

    for (std::thread &t : threads) t.join();
    size_t values = 0;
    for (const FormatCheck &c : checks) {
        values += c.count_;
        for (const std::string &f : c.failures) ADD_FAILURE() << f;
    }
    EXPECT_GE(values, 4u * kRandomValuesPerThread);
}

TEST(Numbers, ReaderStopsWhereTheNumberCannotGoOn) {
    EXPECT_EQ(ParseNumber("1.5"), 1.5);
    EXPECT_EQ(ParseNumber("  -2.25abc"), -2.25);
    EXPECT_EQ(ParseNumber("1,5"), 1.0);   // a comma ends the number
    EXPECT_EQ(ParseNumber("1 00"), 1.0);  // so does a blank
    EXPECT_EQ(ParseNumber("- 5"), 0.0);
    EXPECT_EQ(ParseNumber("\t 7"), 7.0);  // leading blanks are skipped
    EXPECT_EQ(ParseNumber("1.2.3"), 1.2);
    EXPECT_EQ(ParseNumber("5-10"), 5.0);
    EXPECT_EQ(ParseNumber("abc"), 0.0);
    EXPECT_EQ(ParseNumber(""), 0.0);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("2E3"), 2000.0);
    EXPECT_EQ(ParseNumber("2E"), 2.0);
    EXPECT_EQ(ParseNumber("2 E3"), 2.0);
    EXPECT_EQ(ParseNumber("1e999"), 0.0);  // no infinity gets through
}

TEST(Numbers, BlankSkippingReaderJoinsTheDigits) {
    EXPECT_EQ(ParseNumberSkippingBlanks("1 000"), 1000.0);
    EXPECT_EQ(ParseNumberSkippingBlanks(" - 1 2.5 "), -12.5);
    EXPECT_EQ(ParseNumberSkippingBlanks("1 0 E 2"), 10.0);  // the exponent's letter ends the blanks
    EXPECT_EQ(ParseNumberSkippingBlanks("1 0E2"), 1000.0);
    EXPECT_EQ(ParseNumberSkippingBlanks("1,5"), 1.0);
    EXPECT_EQ(ParseNumberSkippingBlanks("   "), 0.0);
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

// Each reader of numbers follows the rule of its place: the DAT file, the
// dialogs' boxes and the vector-scale answer stop at a blank or a comma; the
// vector editor and the streamline step skip blanks and take a comma as point.
// A comma ends a DAT item, so only a blank can stand inside a DAT number.
TEST(NumberReaders, DatHeaderNumbersStopAtABlank) {
    VectorDocument doc;
    ASSERT_TRUE(ReadDatBytes(DatText(" 1 00", " 2 5", "16 48 0.0 0.0 1.6 4.8 0.12-34 -0.5 000"), doc).ok);
    EXPECT_EQ(doc.Header.PixelsPerCm, 1);
    EXPECT_EQ(doc.Header.TimeInterval, 2);
    ASSERT_EQ(doc.NX, 3);
    EXPECT_DOUBLE_EQ(doc.PosX(1), 160.0);  // pixel 16 at one pixel per cm, not a hundred
    EXPECT_DOUBLE_EQ(doc.PosY(1), 480.0);
    EXPECT_EQ(doc.Status(1, 1), 1);
    EXPECT_EQ(doc.U(1, 1), 0.12);  // a "-" inside the field ends the number
    EXPECT_EQ(doc.V(1, 1), -0.5);  // the blank makes "000" a field of its own
}

TEST(NumberReaders, DatFileHoldingMinusZeroIsWrittenBackUnchanged) {
    const std::string file =
        DatText(" 100", " 10", "16     48       -0.0000   -0.0000     1.600     4.800   -0.0000   -0.0000");
    VectorDocument src;
    ASSERT_TRUE(ReadDatBytes(file, src).ok);
    EXPECT_EQ(DatBytes(src), file);
    src.U(1, 1) = -0.0;
    src.V(1, 1) = -0.00001;
    src.U(2, 1) = 0.00004;
    src.Status(2, 1) = 1;
    src.ValidCount = 2;
    const std::optional<std::string> first = DatBytes(src);
    ASSERT_TRUE(first);
    EXPECT_NE(first->find("16     48       -0.0000   -0.0000     1.600     4.800   -0.0000   -0.0000\r\n"),
              std::string::npos)
        << *first;
    EXPECT_NE(first->find("32     48        0.0000    0.0000     3.200     4.800    0.0000    0.0000\r\n"),
              std::string::npos)
        << *first;
    VectorDocument back;
    ASSERT_TRUE(ReadDatBytes(*first, back).ok);
    EXPECT_TRUE(std::signbit(back.U(1, 1)));
    EXPECT_EQ(DatBytes(back), first);
}

// The toolkit hands the user's locale to the C library; under a German one
// strtod stops at the "." of "1.5". Numbers typed, read from files or shown
// in the legend must not change with it.
TEST(NumberReaders, AGermanLocaleChangesNoNumber) {
    const std::string dir = testing::TempDir() + "locales";
    std::filesystem::create_directories(dir);
    const std::string make = "localedef -i de_DE -f UTF-8 " + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "no de_DE locale can be made here";
    ::setenv("LOCPATH", dir.c_str(), 1);
    if (!::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "the de_DE locale does not load";
    struct Restore {
        ~Restore() {
            ::setlocale(LC_NUMERIC, "C");
            ::unsetenv("LOCPATH");
        }
    } restore;
    ASSERT_EQ(std::strtod("1.5", nullptr), 1.0);  // the locale really is in force

    EXPECT_EQ(ParseNumber("1.5"), 1.5);
    EXPECT_EQ(ParseNumberSkippingBlanks("-2 .25"), -2.25);
    EXPECT_EQ(ParseNumber("3.5e-1"), 0.35);
    EXPECT_EQ(StrNumber(-0.5), "-.5");
    EXPECT_EQ(FormatFixed(2.25, 3, '.'), "2.250");
    EXPECT_EQ(GeneralNumber(0.5, ','), "0,5");
    EXPECT_EQ(GeneralNumber(-1234.5, '.'), "-1234.5");
    // more digits than the DAT reader's own fast path takes
    VectorDocument doc;
    ASSERT_TRUE(ReadDatBytes(DatText(" 100", " 10", "16 48 0.0 0.0 1.6 4.8 0.12345678901234567 -1.5"), doc).ok);
    EXPECT_EQ(doc.U(1, 1), 0.12345678901234567);
    EXPECT_EQ(doc.V(1, 1), -1.5);
}

TEST(NumberReaders, DialogBoxesAndAnswersStopAtBlankAndComma) {
    // transformation dialog
    EXPECT_EQ(TrafoBoxValue("1 5"), 1.0);
    EXPECT_EQ(TrafoBoxValue("1,5"), 1.0);
    EXPECT_EQ(TrafoBoxValue(" -2.5"), -2.5);
    // fault dialog: "1 5" is 1, not 15, so the bounds stay
    EXPECT_FALSE(BoundsNeedSwap("1 5", "2"));
    EXPECT_FALSE(BoundsNeedSwap("2,5", "2"));
    EXPECT_TRUE(BoundsNeedSwap("2.5", "2"));
    EXPECT_EQ(HalfWindowFromText("1 1"), 0);
    EXPECT_EQ(HalfWindowFromText("5,5"), 2);
    // vector scale: "1 5" is 1 and needs no message, "0,5" is 0 and does
    EXPECT_EQ(ReadVectorScaleAnswer("1 5").value().Value, 1.0);
    EXPECT_FALSE(ReadVectorScaleAnswer("1 5").value().Message);
    EXPECT_EQ(ReadVectorScaleAnswer("1,5").value().Value, 1.0);
    EXPECT_EQ(ReadVectorScaleAnswer("0,5").value().Value, 0.2);
    EXPECT_TRUE(ReadVectorScaleAnswer("0,5").value().Message);
}

TEST(NumberReaders, EditorAndStreamlineStepSkipBlanksAndTakeACommaAsPoint) {
    EXPECT_EQ(ParseEditorNumber("1 000"), 1000.0);
    EXPECT_EQ(ParseEditorNumber("1,5"), 1.5);
    auto a = ReadStepAnswer("0 ,0 2");
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->Step, 0.02);
    EXPECT_FALSE(a->BothDirections);
    a = ReadStepAnswer(" +-1 0");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Step, 10.0);
    EXPECT_TRUE(a->BothDirections);
    // the clipboard reader takes no blank or comma inside a number at all
    EXPECT_FALSE(ParseClipboardVectorText("vector ( 1 5 ;  1 )"));
    EXPECT_FALSE(ParseClipboardVectorText("vector ( 1,5 ;  1 )"));
}
