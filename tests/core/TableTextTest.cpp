#include "TableText.h"
#include "ValidField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <utility>

#include "Numbers.h"
#include "RandomField.h"

namespace sx {
namespace {

VectorDocument Field(int nx, int ny) {
    return ValidField(
        nx, ny, [](int i) { return 1.25 * i; }, [](int j) { return -0.5 * j; },
        [](int i, int j, double &u, double &v) {
            u = i + 0.1 * j;
            v = -j;
        });
}

TEST(TableCellText, BothSeparatorsRoundingAndSign) {
    VectorDocument d = Field(2, 2);
    d.U(1, 1) = 1.5;
    d.V(1, 1) = -0.25;
    EXPECT_EQ(TableCellText(d, 1, 1, '.'), "(1.5000; -0.2500)");
    EXPECT_EQ(TableCellText(d, 1, 1, ','), "(1,5000; -0,2500)");
    d.U(1, 1) = 0.123456;
    d.V(1, 1) = -1.99996;
    EXPECT_EQ(TableCellText(d, 1, 1, '.'), "(0.1235; -2.0000)");
    // a negative value keeps its minus, also when it rounds to zero or is -0
    d.U(1, 1) = -0.0;
    d.V(1, 1) = -0.00001;
    EXPECT_EQ(TableCellText(d, 1, 1, ','), "(-0,0000; -0,0000)");
    d.U(1, 1) = 12345.678;
    EXPECT_EQ(TableCellText(d, 1, 1, '.'), "(12345.6780; -0.0000)");
    d.U(1, 1) = 0.00004;
    EXPECT_EQ(TableCellText(d, 1, 1, '.'), "(0.0000; -0.0000)");
    d.PosX(1) = -0.00001;
    d.PosY(2) = -0.0;
    EXPECT_EQ(TableColumnHeaderText(d, 1, ','), "-0,0000");
    EXPECT_EQ(TableRowHeaderText(d, 2, '.'), "-0.0000");
}

TEST(TableCellText, RemovedEmptyAndColours) {
    VectorDocument d = Field(2, 2);
    d.Status(2, 1) = StatusRemoved;
    d.Status(1, 2) = StatusInvalid;
    EXPECT_EQ(TableCellText(d, 2, 1, '.'), "");
    EXPECT_EQ(TableCellText(d, 1, 2, '.'), "(1.2000; -2.0000)");
    EXPECT_EQ(TableColumnHeaderText(d, 2, ','), "2,5000");
    EXPECT_EQ(TableRowHeaderText(d, 1, '.'), "-0.5000");
    EXPECT_EQ(TableCellColor(StatusRemoved), Rgb(255, 0, 0));
    EXPECT_EQ(TableCellColor(StatusQuestionable), Rgb(150, 0, 150));
    EXPECT_EQ(TableCellColor(StatusNewlyInterpolated), Rgb(100, 100, 255));
}

// The fast formatter of the table copy must write what FormatFixed writes.
TEST(AppendFixed, MatchesFormatFixed) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(-1.0, 1.0);
    std::uniform_int_distribution<int> ex(-8, 12);
    std::vector<double> values = {0.0,     -0.0,     0.00005,        -0.00005,      0.00015, 2.00005, 1e300,
                                  -1e-300, 123.4567, 0.99995,        -0.99995,      5e-5,    1e15,    -1e16,
                                  0.03125, -0.09375, 99999999.99995, 1e8 + 0.03125, 12.34565};
    for (int k = 0; k < 20000; ++k) values.push_back(mant(rng) * std::pow(10.0, ex(rng)));
    // decimal halves and exact binary halves of the last digit
    for (int k = -2000; k < 2000; ++k) {
        values.push_back((k + 0.5) / 10000.0);
        values.push_back(k / 32.0 + 1.0 / 64.0);
    }
    for (double x : values)
        for (char sep : {'.', ','})
            for (int decimals : {4, 0, 10}) {
                std::string s;
                AppendFixed(s, x, decimals, sep);
                ASSERT_EQ(s, FormatFixed(x, decimals, sep)) << x << " " << decimals;
            }
    std::string s = "a";
    AppendFixed(s, std::nan(""), 4, '.');
    EXPECT_EQ(s, "a" + FormatFixed(std::nan(""), 4, '.'));
}

TEST(ClipboardVectorText, WrittenAsTheProgramWritesNumbers) {
    EXPECT_EQ(ClipboardVectorText(1.5, -0.25), "vector ( 1.5 ;  -.25 )");
    EXPECT_EQ(ClipboardVectorText(0.5, -1), "vector ( .5 ;  -1 )");
    EXPECT_EQ(ClipboardVectorText(0, 1e20), "vector ( 0 ;  1E+20 )");
}

TEST(ClipboardTableText, LinesOrderAndStatuses) {
    VectorDocument d;
    d.Resize(2, 2);
    d.PosX(1) = 1;
    d.PosX(2) = 2.5;
    d.PosY(1) = 10;
    d.PosY(2) = -10;
    d.U(1, 1) = 3;
    d.V(1, 1) = 4;
    d.Status(1, 1) = StatusValid;
    d.U(1, 2) = 0.5;
    d.V(1, 2) = 0;
    d.Status(1, 2) = StatusRemoved;  // listed with its stored components
    d.U(2, 1) = 9;
    d.Status(2, 1) = StatusInvalid;  // not listed
    d.U(2, 2) = -1;
    d.V(2, 2) = 0;
    d.Status(2, 2) = StatusQuestionable;
    const std::string expected =
        "X [mm]\tY [mm]\tVx [m/s]\tVy [m/s]\tABS(V) [m/s]"
        "\r\n1,0000\t10,0000\t3,0000\t4,0000\t5,0000"
        "\r\n1,0000\t-10,0000\t0,5000\t0,0000\t0,5000"
        "\r\n2,5000\t-10,0000\t-1,0000\t0,0000\t1,0000";
    EXPECT_EQ(ClipboardTableText(d, ','), expected);
}

TEST(ClipboardTableText, EmptyFieldAndHugeComponents) {
    VectorDocument d;
    d.Resize(1, 1);
    d.Status(1, 1) = StatusInvalid;
    EXPECT_EQ(ClipboardTableText(d, '.'), "X [mm]\tY [mm]\tVx [m/s]\tVy [m/s]\tABS(V) [m/s]");
    // u*u overflows; the magnitude is still the finite length
    d.Status(1, 1) = StatusValid;
    d.U(1, 1) = std::ldexp(3.0, 600);
    d.V(1, 1) = std::ldexp(-4.0, 600);
    const std::string t = ClipboardTableText(d, '.');
    EXPECT_EQ(t.substr(t.rfind('\t') + 1), FormatFixed(std::ldexp(5.0, 600), 4, '.'));
}

// Fields narrower and wider than the strips of columns the copy gathers:
// every listed node once, column by column. The numbers are sixteenths and
// the vectors multiples of (3, 4), so printf writes each number exactly.
TEST(ClipboardTableText, StripsGiveTheTextLineByLine) {
    auto text = [](double x, char sep) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.4f", x);
        std::string s = buf;
        std::replace(s.begin(), s.end(), '.', sep);
        return s;
    };
    for (const auto &[nx, ny] : {std::pair{1, 1}, {2, 2}, {9, 1}, {1, 9}, {16, 3}, {17, 3}, {37, 23}})
        for (char sep : {',', '.'}) {
            // invalid, removed and questionable nodes among the valid ones
            VectorDocument d = RandomField(nx, ny, FieldValues::Ties, uint64_t(100 * nx + ny + sep));
            std::string want = "X [mm]\tY [mm]\tVx [m/s]\tVy [m/s]\tABS(V) [m/s]";
            for (int i = 1; i <= nx; ++i)
                for (int j = 1; j <= ny; ++j) {
                    const double a = (7 * i + 3 * j) % 13 - 6;
                    d.U(i, j) = 3 * a / 16;
                    d.V(i, j) = 4 * (0 - a) / 16;
                    if (d.Status(i, j) == StatusInvalid) continue;
                    want += "\r\n" + text(d.PosX(i), sep) + '\t' + text(d.PosY(j), sep) + '\t' + text(d.U(i, j), sep) +
                            '\t' + text(d.V(i, j), sep) + '\t' + text(5 * std::fabs(a) / 16, sep);
                }
            EXPECT_EQ(ClipboardTableText(d, sep), want) << nx << " x " << ny;
        }
}

TEST(ParseClipboardVectorText, Accepted) {
    struct Case {
        const char *text;
        double x, y;
    };
    const Case cases[] = {
        {"vector ( 1.5 ;  -.25 )", 1.5, -0.25},
        {"vector ( .5 ;  -1 )", 0.5, -1},
        {"vector (.5;-1)", 0.5, -1},      // no blanks at all
        {"vector ( .5;  -1 )", 0.5, -1},  // none before the semicolon, blanks after it
        {"vector (   0 ;0)", 0, 0},
        {"vector ( 1E+20 ;  1E-05 )", 1e20, 1e-5},
    };
    for (const Case &c : cases) {
        auto r = ParseClipboardVectorText(c.text);
        ASSERT_TRUE(r) << c.text;
        EXPECT_EQ(r->x, c.x) << c.text;
        EXPECT_EQ(r->y, c.y) << c.text;
    }
    for (double x : {0.1, -123.456, 1e-7, 3.14159265358979, 1e15, -2.5e-12}) {
        auto r = ParseClipboardVectorText(ClipboardVectorText(x, -x));
        ASSERT_TRUE(r) << x;
        EXPECT_EQ(ClipboardVectorText(r->x, r->y), ClipboardVectorText(x, -x));
    }
}

TEST(ParseClipboardVectorText, Refused) {
    const char *cases[] = {
        "",
        "vector (",
        "vector ()",
        "Vector ( .5 ;  -1 )",   // case
        "vector ( .5 ;  -1 ) ",  // blank after the parenthesis
        " vector ( .5 ;  -1 )",  // blank before the keyword
        "vector( .5 ;  -1 )",    // keyword not followed by a blank
        "vector ( 0.5 ;  -1 )",  // 0.5 is written .5
        "vector ( 1,5 ;  -1 )",  // comma
        "vector ( .5 ,  -1 )",   // no semicolon
        "vector ( 1;2 ;  3 )",   // split at the last semicolon: 1;2 is no number text
        "vector ( .5 ;  )",      // empty y
        "vector (  ;  -1 )",     // empty x
        "vector ( .5 ;  -1.0 )",
        "vector ( .5 ;  1e5 )",
        "vector ( 1 000 ;  1 )",
        "vector ( -0 ;  1 )",
        "vector ( +1 ;  1 )",
        "vector ( .5\t;  -1 )",  // only blanks are trimmed
        "vector ( Inf ;  1 )",
        "vector ( abc ;  1 )",
        "vector ( .5 ;  -1 ))",
    };
    for (const char *t : cases) EXPECT_FALSE(ParseClipboardVectorText(t)) << t;
}

TEST(VectorEditor, KeyFilterAndLenientNumbers) {
    for (char c : std::string("0123456789-,. ")) EXPECT_TRUE(EditorKeyAccepted(c)) << c;
    for (int c : {8, 13, 3, 1, 19}) EXPECT_TRUE(EditorKeyAccepted(c)) << c;
    for (int c : {int{'a'}, int{'E'}, int{'+'}, int{'e'}, 22, 24, 127, 0xE4}) EXPECT_FALSE(EditorKeyAccepted(c)) << c;

    EXPECT_EQ(ParseEditorNumber("1,5"), 1.5);
    EXPECT_EQ(ParseEditorNumber("1 000"), 1000);
    EXPECT_EQ(ParseEditorNumber("  -2,25"), -2.25);
    EXPECT_EQ(ParseEditorNumber("- 3"), -3);
    EXPECT_EQ(ParseEditorNumber("1,5,3"), 1.5);
    EXPECT_EQ(ParseEditorNumber("1.2-3"), 1.2);
    EXPECT_EQ(ParseEditorNumber(""), 0);
    EXPECT_EQ(ParseEditorNumber("-"), 0);
    EXPECT_EQ(ParseEditorNumber("abc"), 0);
    EXPECT_EQ(ParseEditorNumber(std::string(400, '9')), 0);  // out of range reads as nothing
    EXPECT_EQ(EditorNumberText(0.5, ','), "0,5000000000");
    EXPECT_EQ(EditorNumberText(-1, '.'), "-1.0000000000");
    EXPECT_EQ(EditorNumberText(-1e-12, ','), "-0,0000000000");
}

TEST(VectorEditor, EditAndPasteKeepTheValidCount) {
    VectorDocument d = Field(4, 3);
    d.Status(1, 1) = StatusRemoved;
    d.Status(2, 1) = StatusInvalid;
    d.ValidCount = d.CountValid();
    ApplyVectorEdit(d, 1, 1, 1.5, 2, StatusChanged);  // removed becomes valid
    EXPECT_EQ(d.ValidCount, 11);
    ApplyVectorEdit(d, 3, 3, 7, 8, StatusInvalid);  // components stored all the same
    ApplyVectorEdit(d, 3, 3, 7, 8, StatusInvalid);
    EXPECT_EQ(d.ValidCount, 10);
    EXPECT_EQ(d.U(3, 3), 7);

    // selection corners in either order, clamped to the field
    const CellRect r = SelectionRect(d, 2, 2, 1, 1);
    EXPECT_TRUE(r.firstCol == 1 && r.lastCol == 2 && r.firstRow == 1 && r.lastRow == 2);
    EXPECT_TRUE(SelectionRect(d, 0, 9, 0, 9).empty());
    PasteVector(d, r, 0.5, -1);
    EXPECT_EQ(d.Status(2, 1), StatusChanged);
    EXPECT_EQ(d.V(1, 2), -1);
    EXPECT_EQ(d.ValidCount, d.CountValid());
    EXPECT_EQ(d.U(3, 1), 3.1);
}

}  // namespace
}  // namespace sx
