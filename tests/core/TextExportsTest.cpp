// Golden texts of the exports for a small field, in both decimal separators,
// and the name rules of their save dialog.

#include <gtest/gtest.h>

#include "ByteSink.h"
#include "FileBytes.h"
#include "Numbers.h"
#include "SampleField.h"
#include "SaveFaults.h"
#include "TextExports.h"

using namespace sx;

namespace {

// 2 x 3 nodes; row 3 holds no valid vector.
VectorDocument SmallField() {
    VectorDocument d;
    d.Resize(2, 3);
    d.PosX(1) = 0.5;
    d.PosX(2) = 1.5;
    d.PosY(1) = 2;
    d.PosY(2) = -1;
    d.PosY(3) = 3.5;
    auto set = [&](int i, int j, double u, double v, int32_t s, double back) {
        d.U(i, j) = u;
        d.V(i, j) = v;
        d.Status(i, j) = s;
        d.BackValue(i, j) = back;
    };
    set(1, 1, 0.3, -0.4, StatusValid, 1);
    set(2, 1, 1, 0, StatusInvalid, -2.25);
    set(1, 2, -0.3, 0.4, StatusQuestionable, 0.25);
    set(2, 2, 0.9, -1.2, StatusChanged, 0);
    set(1, 3, 7, 8, StatusRemoved, 1e-6);
    set(2, 3, 5, 5, StatusInvalid, 4);
    d.GalileiU = 0.1;
    d.GalileiV = -2;
    return d;
}

// Takes `limit` bytes, then refuses; counts what it was offered.
class RefusingSink : public ByteSink {
public:
    explicit RefusingSink(size_t limit) : limit_(limit) {}
    using ByteSink::Write;
    bool Write(const char *, size_t size) override {
        offered += size;
        return offered <= limit_;
    }
    size_t offered = 0;

private:
    size_t limit_;
};

std::string Comma(std::string s) {
    for (char &c : s)
        if (c == '.') c = ',';
    return s;
}

}  // namespace

TEST(TextExports, StanfordVectorFileWritesValidNodesAndTheCritPointOnlyWhenMarked) {
    VectorDocument d = SmallField();
    const std::string header = "X[mm]\tY[mm]\tVx[m/s]\tVy[m/s]\t|V|[m/s]\tGalilei-Trafo:\t .1 \t-2 ";
    const std::string body =
        " .5 \t 2 \t .3 \t-.4 \t .5 \r\n"
        " .5 \t-1 \t-.3 \t .4 \t .5 \r\n"
        " 1.5 \t-1 \t .9 \t-1.2 \t 1.5 \r\n";
    EXPECT_EQ(StanfordVectorFile(d, '.'), header + "\r\n" + body);
    // the header texts hold no ".", so the comma form is the same with every "." replaced
    EXPECT_EQ(StanfordVectorFile(d, ','), Comma(header + "\r\n" + body));

    d.View.CritPointShown = true;
    d.CritPointX = 1.5;
    d.CritPointY = 0;
    EXPECT_EQ(StanfordVectorFile(d, '.'), header + "\tbei:\t 1.5 \t 0 \r\n" + body);

    for (int32_t &s : d.Statuses) s = StatusInvalid;
    EXPECT_EQ(StanfordVectorFile(d, '.'), header + "\tbei:\t 1.5 \t 0 \r\n");
}

TEST(TextExports, StanfordProfileFileAveragesValidNodesAndSkipsEmptyRows) {
    VectorDocument d = SmallField();
    const std::string expected =
        "Y[mm]\tVx[m/s]\tVy[m/s]\t|V|[m/s]\r\n"
        " 2 \t .3 \t-.4 \t .5 \r\n"
        "-1 \t .3 \t-.4 \t .5 \r\n";
    EXPECT_EQ(StanfordProfileFile(d, '.'), expected);
    EXPECT_EQ(StanfordProfileFile(d, ','), Comma(expected));
    for (int32_t &s : d.Statuses) s = StatusRemoved;
    EXPECT_EQ(StanfordProfileFile(d, '.'), "Y[mm]\tVx[m/s]\tVy[m/s]\t|V|[m/s]\r\n");
}

TEST(TextExports, ScalarFilesRunFromTheLastRowAndIgnoreTheStatus) {
    const VectorDocument d = SmallField();
    const std::string stanford =
        "X[mm]/Y[mm]\t 3.5 \t-1 \t 2 \r\n"
        " .5 \t 1E-06 \t .25 \t 1 \r\n"
        " 1.5 \t 4 \t 0 \t-2.25 \r\n";
    EXPECT_EQ(StanfordScalarFile(d, '.'), stanford);
    EXPECT_EQ(StanfordScalarFile(d, ','), Comma(stanford));

    const std::string tecplot =
        " .5   3.5   1E-06 \r\n"
        " .5  -1   .25 \r\n"
        " .5   2   1 \r\n"
        " 1.5   3.5   4 \r\n"
        " 1.5  -1   0 \r\n"
        " 1.5   2  -2.25 \r\n";
    EXPECT_EQ(TecPlotScalarFile(d, '.', false), tecplot);
    EXPECT_EQ(TecPlotScalarFile(d, ',', false), Comma(tecplot));
    // the swirl export writes the root; a negative square keeps its sign
    const std::string roots =
        " .5   3.5   .001 \r\n"
        " .5  -1   .5 \r\n"
        " .5   2   1 \r\n"
        " 1.5   3.5   2 \r\n"
        " 1.5  -1   0 \r\n"
        " 1.5   2  -1.5 \r\n";
    EXPECT_EQ(TecPlotScalarFile(d, '.', true), roots);

    // Matlab always writes "."
    EXPECT_EQ(MatlabScalarFile(d),
              "0;3.5;-1;2\r\n"
              ".5;1E-06;.25;1\r\n"
              "1.5;4;0;-2.25\r\n");
}

TEST(TextExports, MatlabVectorFileWritesEveryNodeWithZerosForInvalidOnes) {
    const VectorDocument d = SmallField();
    EXPECT_EQ(MatlabVectorFile(d),
              ".5;2;.3;-.4\r\n"
              "1.5;2;0;0\r\n"
              ".5;-1;-.3;.4\r\n"
              "1.5;-1;.9;-1.2\r\n"
              ".5;3.5;0;0\r\n"
              "1.5;3.5;0;0\r\n");
}

TEST(TextExports, DialogNamesFollowTheDocumentAndTheChosenFilter) {
    EXPECT_EQ(ExportProposedName(kExportTecPlotSwirl, "/data/set.1/run07.vec"), "SW of run07");
    EXPECT_EQ(ExportProposedName(kExportStanfordVorticity, "C:\\a\\run07"), "VOR of run07");
    EXPECT_EQ(ExportProposedName(kExportStanfordVelProfile, "x.y.sdx"), "VP of x.y");

    EXPECT_EQ(ExportTargetPath(kExportStanfordVectorfield, "/tmp/result.csv", 1), "/tmp/result.txt");
    EXPECT_EQ(ExportTargetPath(kExportStanfordVectorfield, "/tmp/result.csv", 2), "/tmp/result.dat");
    EXPECT_EQ(ExportTargetPath(kExportStanfordVelProfile, "/tmp/p", 2), "/tmp/p.txt");
    EXPECT_EQ(ExportTargetPath(kExportMatlabSwirlSquare, "/tmp/m.txt", 1), "/tmp/m.csv");
    // a dot in a folder name is no extension
    EXPECT_EQ(ExportTargetPath(kExportMatlabVectorfield, "/tmp/set.1/VF of run07", 1), "/tmp/set.1/VF of run07.csv");
}

TEST(TextExports, PiecesOfAnySizeGiveTheSameText) {
    const std::string longText(40, 'x');
    std::string whole;
    for (size_t piece : {1, 3, 7, 64, 4096}) {
        std::string text;
        StringSink sink(text);
        TextPieces out(sink, piece);
        out.Put("X[mm]\t");
        out.Str(-0.000123456789);
        out.Put(';');
        out.Print(1e300, ',');
        out.Put(longText);
        out.Fixed(-1e300, 4, ',');  // far longer than most pieces
        out.Fixed(0.5, 30, '.');
        out.Put('\n');
        EXPECT_TRUE(out.Finish());
        if (piece == 1)
            whole = text;
        else
            EXPECT_EQ(text, whole) << piece;
    }
    EXPECT_EQ(whole, "X[mm]\t" + StrNumber(-0.000123456789) + ";" + PrintNumber(1e300, ',') + longText +
                         FormatFixed(-1e300, 4, ',') + FormatFixed(0.5, 30, '.') + "\n");
}

TEST(TextExports, LargeExportsAreStreamedAndAFailedStepKeepsTheOldFile) {
    SampleFieldOptions o;
    o.nx = 400;
    o.ny = 300;
    VectorDocument d = MakeSampleField(o);
    for (size_t k = 0; k < d.BackValues.size(); ++k) d.BackValues[k] = d.Us[k] * d.Vs[k];
    TestFolder folder("text-exports");
    const std::string path = folder.Path("export.txt");
    for (const TextExportKind *kind : {&kExportMatlabVectorfield, &kExportStanfordVectorfield,
                                       &kExportStanfordSwirlSquare, &kExportTecPlotSwirl, &kExportMatlabSwirlSquare}) {
        ASSERT_EQ(SaveExportFile(*kind, d, ',', path), SaveResult::Ok);
        std::string written;
        ASSERT_TRUE(ReadWholeFile(path, written));
        EXPECT_GT(written.size(), 3u << 19);  // several pieces
        EXPECT_TRUE(written == ExportFileText(*kind, d, ',')) << kind->prefix;
        // a sink that gives up stops the writer soon after
        RefusingSink refusing(1 << 20);
        EXPECT_FALSE(WriteExportText(*kind, d, '.', refusing));
        EXPECT_LT(refusing.offered, (1u << 20) + (1u << 19));
    }
    ExpectEveryFailedStepKeepsTheOldFile(folder, path,
                                         [&] { return SaveExportFile(kExportMatlabVectorfield, d, '.', path); });
}
