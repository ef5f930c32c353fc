#include "DatFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "DocumentLimit.h"
#include "FileBytes.h"
#include "Numbers.h"
#include "PeakMemory.h"
#include "SameField.h"
#include "SampleField.h"
#include "SaveFaults.h"
#include "Transformation.h"
#include "ValidField.h"

using namespace sx;

namespace {

const char kOpenFailure[] = "Öffnen dieser DAT-Datei fehlgeschlagen! Falsches Dateiformat?";

struct Geometry {
    int W = 1000, H = 1000, w = 32, h = 32, gx = 16, gy = 16, ratio = 100, interval = 10;
};

std::string Header(const Geometry &g, const std::string &recording1 = "a.tif") {
    auto n = [](int v) { return (v >= 0 ? " " : "") + std::to_string(v); };
    return "Date and time:                 02.02.98 17:30\r\n"
           "Recording 1:                   " +
           recording1 +
           "\r\n"
           "Recording 2:                   b.tif\r\n"
           "Flow type:                     Wirbel\r\n"
           "Phase type:                   keine\r\n"
           "Recording type:                PIV\r\n"
           "Algorithm:                     FFT\r\n"
           "Image size           [pixels]:" +
           n(g.W) + " x" + n(g.H) +
           "\r\n"
           "Interrogation Window [pixels]:" +
           n(g.w) + " x" + n(g.h) +
           "\r\n"
           "Interrogation Grid   [pixels]:" +
           n(g.gx) + " x" + n(g.gy) +
           "\r\n"
           "Image/objekt ratio[pixels/cm]:" +
           n(g.ratio) +
           "\r\n"
           "Time interval   [microsecond]:" +
           n(g.interval) +
           "\r\n"
           "Interrogation points:          7\r\n"
           "\r\n"
           "x[pix] y[pix]   vx[pix]   vy[pix]     X[mm]     Y[mm]   Vx[m/s]   Vy[m/s]\r\n"
           "\r\n";
}

std::string Line(int x, int y, double u, double v) {
    return std::to_string(x) + " " + std::to_string(y) + " 0.0 0.0 1.0 1.0 " + FormatFixed(u, 4, '.') + " " +
           FormatFixed(v, 4, '.') + "\r\n";
}

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> out;
    size_t k = 0;
    while (k < text.size()) {
        size_t e = text.find("\r\n", k);
        if (e == std::string::npos) e = text.size();
        out.push_back(text.substr(k, e - k));
        k = e + 2;
    }
    return out;
}

void ExpectOpenFailure(const std::string &bytes) {
    VectorDocument doc;
    ReadResult r = ReadDatBytes(bytes, doc);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, kOpenFailure);
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(r.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(r.messages[0].title, "Fehler");
}

VectorDocument SmallField() {
    SampleFieldOptions o;
    o.nx = 10;
    o.ny = 8;
    o.invalidShare = 0.1;
    o.removedShare = 0.1;
    o.outlierShare = 0.05;
    VectorDocument doc = MakeSampleField(o);
    doc.Status(2, 2) = StatusInterpolated;
    doc.Status(3, 2) = StatusQuestionable;
    return doc;
}

// What the writer lays out, without the checks of a save.
std::string Layout(const VectorDocument &doc) {
    std::string out;
    StringSink sink(out);
    EXPECT_TRUE(WriteDat(doc, sink));
    return out;
}

}  // namespace

TEST(DatFile, WriterLaysOutHeaderAndColumns) {
    VectorDocument doc = SmallField();
    doc.Header.ImageWidth = -5;  // N(v) of a negative number has no blank
    const std::vector<std::string> lines = Lines(Layout(doc));
    ASSERT_EQ(lines.size(), 16u + static_cast<size_t>(doc.CountValid()));
    EXPECT_EQ(lines[0], "Date and time:                 17.03.99 14:22:05");
    EXPECT_EQ(lines[3], "Flow type:                     Wirbelpaar in Parallelstr\xf6mung");  // Windows-1252
    EXPECT_EQ(lines[4], "Phase type:                   station\xe4r");
    EXPECT_EQ(lines[7], "Image size           [pixels]:-5 x 144");
    EXPECT_EQ(lines[8], "Interrogation Window [pixels]: 32 x 32");
    EXPECT_EQ(lines[9], "Interrogation Grid   [pixels]: 16 x 16");
    EXPECT_EQ(lines[10], "Image/objekt ratio[pixels/cm]: 200");
    EXPECT_EQ(lines[11], "Time interval   [microsecond]: 25");
    EXPECT_EQ(lines[12], "Interrogation points:          " + std::to_string(doc.ValidCount));
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "x[pix] y[pix]   vx[pix]   vy[pix]     X[mm]     Y[mm]   Vx[m/s]   Vy[m/s]");
    EXPECT_EQ(lines[15], "");
    // the decimal points stand in the columns 19, 29, 40, 50, 59, 69
    for (size_t k = 16; k < lines.size(); ++k) {
        const std::string &l = lines[k];
        ASSERT_GE(l.size(), 73u) << l;
        for (size_t col : {19u, 29u, 40u, 50u, 59u, 69u}) EXPECT_EQ(l[col - 1], '.') << l;
        EXPECT_EQ(l.find_first_not_of("0123456789"), l.find(' ')) << l;
    }
    // first valid node of row 1, in row order
    int firstI = 1;
    while (doc.Status(firstI, 1) <= 0) ++firstI;
    const std::string expected = std::to_string(16 + 16 * (firstI - 1));
    EXPECT_EQ(lines[16].substr(0, 7), expected + std::string(7 - expected.size(), ' '));
    EXPECT_EQ(lines[16].substr(7, 3), "128");
}

TEST(DatFile, WriterKeepsPointColumnsForNegativeAndWideFields) {
    VectorDocument doc;
    doc.Resize(2, 1);
    doc.Header.PixelsPerCm = 10;
    doc.Header.TimeInterval = 1000;
    doc.PosX(1) = 12345;  // x pixel 12345: five characters, two blanks
    doc.PosX(2) = 1;
    doc.PosY(1) = 2;
    doc.U(1, 1) = 0.1234;  // vx[pix] = 1000 * u / 10000 * 10 = u
    doc.V(1, 1) = -0.1234;
    doc.U(2, 1) = -1.5;
    doc.V(2, 1) = 0.00004;  // rounds to 0.0000, no sign
    doc.Status(1, 1) = doc.Status(2, 1) = 1;
    const std::vector<std::string> lines = Lines(Layout(doc));
    ASSERT_EQ(lines.size(), 18u);
    const std::string &wide = lines[16];
    EXPECT_EQ(wide.substr(0, 8), "12345  2");
    const std::string &l = lines[17];
    auto sp = [](size_t n) { return std::string(n, ' '); };
    EXPECT_EQ(l, "1" + sp(6) + "2" + sp(8) + "-1.5000" + sp(4) + "0.0000" + sp(5) + "1.000" + sp(5) + "2.000" + sp(3) +
                     "-1.5000" + sp(4) + "0.0000");
    EXPECT_EQ(l.find("-1.5000"), 16u);  // one column left of an unsigned field
    EXPECT_EQ(l.find("0.0000"), 27u);
}

TEST(DatFile, FastNumberTextsMatchFormatFixed) {
    // values near and on the ties of 4 and 3 decimals, and ordinary ones
    // (fields 7 and 8 keep apart below 1000)
    std::vector<double> values = {0.03125,  -0.03125, 0.00005, 1.00005, 2.5e-5, 123.78905, -0.000049999, 0.5,
                                  99.99995, -0.96875, 9.99995, 0.0,     -0.0,   1e-300,    4.00015};
    uint64_t s = 12345;
    for (int k = 0; k < 4000; ++k) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        const double unit = static_cast<double>(s >> 11) * 0x1.0p-53;
        values.push_back((unit - 0.5) * std::pow(10.0, k % 7 - 4));
        values.push_back(std::round(unit * 2e6) / 2e4 + 0.00005 * (k % 2));
    }
    VectorDocument doc;
    doc.Resize(static_cast<int32_t>(values.size()), 1);
    doc.Header.PixelsPerCm = 1;
    doc.Header.TimeInterval = 0;
    for (size_t k = 0; k < values.size(); ++k) {
        doc.PosX(static_cast<int>(k) + 1) = static_cast<double>(k);
        doc.Us[k] = values[k];
        doc.Vs[k] = -values[k];
        doc.Statuses[k] = 1;
    }
    doc.PosY(1) = 0.0125;
    const std::vector<std::string> lines = Lines(Layout(doc));
    ASSERT_EQ(lines.size(), 16 + values.size());
    for (size_t k = 0; k < values.size(); ++k) {
        std::vector<std::string> f;
        const std::string &l = lines[16 + k];
        for (size_t a = l.find_first_not_of(' '); a != std::string::npos;) {
            size_t b = l.find(' ', a);
            f.push_back(l.substr(a, b == std::string::npos ? std::string::npos : b - a));
            a = b == std::string::npos ? b : l.find_first_not_of(' ', b);
        }
        ASSERT_EQ(f.size(), 8u) << l;
        EXPECT_EQ(f[4], FormatFixed(static_cast<double>(k), 3, '.'));
        EXPECT_EQ(f[5], FormatFixed(0.0125, 3, '.'));
        EXPECT_EQ(f[6], FormatFixed(values[k], 4, '.')) << values[k];
        EXPECT_EQ(f[7], FormatFixed(-values[k], 4, '.')) << values[k];
    }
}

TEST(DatFile, WriteReadRoundTrip) {
    const VectorDocument src = SmallField();
    const std::string path = testing::TempDir() + "datfile_roundtrip.dat";
    ASSERT_EQ(WriteDatFile(src, path), SaveResult::Ok);
    VectorDocument doc;
    ReadResult r = ReadDatFile(path, doc);
    std::remove(path.c_str());
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    ASSERT_EQ(doc.NX, src.NX);
    ASSERT_EQ(doc.NY, src.NY);
    EXPECT_EQ(doc.PosXs, src.PosXs);
    EXPECT_EQ(doc.PosYs, src.PosYs);
    for (int j = 1; j <= src.NY; ++j)
        for (int i = 1; i <= src.NX; ++i) {
            if (src.Status(i, j) > 0) {
                EXPECT_EQ(doc.Status(i, j), 1);
                EXPECT_NEAR(doc.U(i, j), src.U(i, j), 0.5e-4);
                EXPECT_NEAR(doc.V(i, j), src.V(i, j), 0.5e-4);
            } else {
                EXPECT_EQ(doc.Status(i, j), 0);
                EXPECT_EQ(doc.U(i, j), 0);
                EXPECT_EQ(doc.V(i, j), 0);
            }
        }
    EXPECT_EQ(doc.ValidCount, src.ValidCount);
    const RecordingHeader &a = doc.Header, &b = src.Header;
    EXPECT_EQ(a.DateAndTime, b.DateAndTime);
    EXPECT_EQ(a.FlowType, b.FlowType);  // umlauts survive the code page
    EXPECT_EQ(a.PhaseType, b.PhaseType);
    EXPECT_EQ(a.Algorithm, b.Algorithm);
    EXPECT_EQ(a.ImageWidth, b.ImageWidth);
    EXPECT_EQ(a.InterrogationHeight, b.InterrogationHeight);
    EXPECT_EQ(a.GridStepY, b.GridStepY);
    EXPECT_EQ(a.FirstColumnPixel, b.FirstColumnPixel);
    EXPECT_EQ(a.FirstRowPixel, b.FirstRowPixel);
    EXPECT_EQ(a.PixelsPerCm, b.PixelsPerCm);
    EXPECT_EQ(a.TimeInterval, b.TimeInterval);
}

TEST(DatFile, FileReadInChunksEqualsReadInMemory) {
    SampleFieldOptions o;
    o.nx = 200;
    o.ny = 100;
    std::string bytes = *DatBytes(MakeSampleField(o));
    // a header text padded so that its CR LF straddles the end of the first
    // chunk read (1 MiB); trailing blanks are trimmed, so the document stays the same
    const size_t cr = bytes.find("\r\n", 50);
    bytes.insert(cr, (1u << 20) - 1 - cr, ' ');
    ASSERT_EQ(bytes.substr((1u << 20) - 1, 2), "\r\n");
    const std::string path = testing::TempDir() + "datfile_chunks.dat";
    ASSERT_EQ(WriteFileAtomically(path, bytes), SaveResult::Ok);
    VectorDocument a, b;
    ASSERT_TRUE(ReadDatFile(path, a).ok);
    std::remove(path.c_str());
    ASSERT_TRUE(ReadDatBytes(bytes, b).ok);
    EXPECT_EQ(a.Header.Recording1, "wirbel_0417a.tif");
    ExpectSameField(a, b);
}

TEST(DatFile, FailedSavesLeaveTheOldFile) {
    const std::string path = testing::TempDir() + "datfile_keep.dat";
    ASSERT_EQ(WriteFileAtomically(path, "alt"), SaveResult::Ok);
    VectorDocument doc = SmallField();
    doc.PosX(3) = 1e300;  // no pixel coordinate for it
    EXPECT_FALSE(DatBytes(doc));
    EXPECT_EQ(WriteDatFile(doc, path), SaveResult::WriteFailed);
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(path, kept));
    EXPECT_EQ(kept, "alt");
    std::remove(path.c_str());
    EXPECT_EQ(WriteDatFile(SmallField(), testing::TempDir() + "no/such/folder/x.dat"), SaveResult::OpenFailed);

    // a file of many pieces that fails at any step of the save
    SampleFieldOptions o;
    o.nx = o.ny = 250;
    const VectorDocument large = MakeSampleField(o);
    TestFolder folder("dat-streamed");
    const std::string big = folder.Path("feld.dat");
    ASSERT_EQ(WriteDatFile(large, big), SaveResult::Ok);
    std::string written;
    ASSERT_TRUE(ReadWholeFile(big, written));
    EXPECT_GT(written.size(), 4u << 20);
    EXPECT_TRUE(written == DatBytes(large));
    ExpectEveryFailedStepKeepsTheOldFile(folder, big, [&] { return WriteDatFile(SmallField(), big); });
}

TEST(DatFile, GridFit) {
    VectorDocument doc;
    ASSERT_TRUE(ReadDatBytes(Header({}), doc).ok);  // W = H = 1000, w = h = 32, g = 16
    EXPECT_EQ(doc.Header.FirstColumnPixel, 16);
    EXPECT_EQ(doc.NX, 61);
    EXPECT_EQ(doc.Header.FirstRowPixel, 984);
    EXPECT_EQ(doc.NY, 61);
    EXPECT_EQ(doc.PosX(1), 16.0 / 100 * 10);
    EXPECT_EQ(doc.PosY(1), 984.0 / 100 * 10);  // row 1 at the largest pixel y
    EXPECT_EQ(doc.PosY(2), 968.0 / 100 * 10);
    EXPECT_EQ(doc.ValidCount, 7);  // as the header says, not recounted
    EXPECT_EQ(doc.CountValid(), 0);

    Geometry g;
    g.w = 0;  // no window: x0 = gx without a check
    g.W = 20;
    ASSERT_TRUE(ReadDatBytes(Header(g), doc = VectorDocument()).ok);
    EXPECT_EQ(doc.Header.FirstColumnPixel, 16);
    EXPECT_EQ(doc.NX, 1);

    g = Geometry();
    g.w = 64;  // x0 steps 10, 20, 30, 40
    g.gx = 10;
    g.h = 50;  // y0 steps 1000 - 7 = 993, 986, 979, 972
    g.gy = 7;
    ASSERT_TRUE(ReadDatBytes(Header(g), doc = VectorDocument()).ok);
    EXPECT_EQ(doc.Header.FirstColumnPixel, 40);
    EXPECT_EQ(doc.NX, (1000 - 40 - 32) / 10 + 1);
    EXPECT_EQ(doc.Header.FirstRowPixel, 972);
    EXPECT_EQ(doc.NY, (972 - 25) / 7 + 1);

    g = Geometry();
    g.W = 40;
    g.w = 64;
    g.gx = 10;
    ReadResult r = ReadDatBytes(Header(g), doc = VectorDocument());
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Interrogation Window zu breit!");
    EXPECT_EQ(r.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(r.messages[0].title, "Strudelax");

    g = Geometry();
    g.H = 40;
    g.h = 64;
    g.gy = 10;
    r = ReadDatBytes(Header(g), doc = VectorDocument());
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Interrogation Window zu hoch!");
}

TEST(DatFile, DataLinesLandByTheirPixelCoordinates) {
    // x0 = 16, y0 = 984, g = 16
    std::string text = Header({}) + Line(48, 984, 1.5, -2.5) + Line(16, 968, 3, 4) + Line(48, 984, 7, 8) +
                       Line(1, 999, 0.25, 0.5)             // up to gx - 1 left of x0 and above y0: still node (1, 1)
                       + Line(32, 952, 9, 9) + "   \r\n";  // a blank line at the end is no data line
    VectorDocument doc;
    ASSERT_TRUE(ReadDatBytes(text, doc).ok);
    EXPECT_EQ(doc.U(3, 1), 7);  // the second line for the node wins
    EXPECT_EQ(doc.V(3, 1), 8);
    EXPECT_EQ(doc.U(1, 2), 3);
    EXPECT_EQ(doc.U(1, 1), 0.25);
    EXPECT_EQ(doc.U(2, 3), 9);
    EXPECT_EQ(doc.Status(2, 3), 1);
    EXPECT_EQ(doc.Status(2, 2), 0);
    EXPECT_EQ(doc.CountValid(), 4);

    // field separators are anything but digits, "-" and "."; numbers stop where they stop
    ASSERT_TRUE(ReadDatBytes(Header({}) + "x=32;y=984 a1 b2 c3 d4 u=-1.25.7 v=-.5-3\r\n", doc = VectorDocument()).ok);
    EXPECT_EQ(doc.U(2, 1), -1.25);
    EXPECT_EQ(doc.V(2, 1), -0.5);
    // the pixel x is rounded after subtracting x0, halves to even
    ASSERT_TRUE(
        ReadDatBytes(Header({}) + "31.5 984 0 0 0 0 1 1\r\n31.4 968 0 0 0 0 1 1\r\n", doc = VectorDocument()).ok);
    EXPECT_EQ(doc.Status(2, 1), 1);  // 31.5 - 16 = 15.5 -> 16 -> column 2
    EXPECT_EQ(doc.Status(1, 2), 1);  // 15.4 -> 15 -> column 1
}

TEST(DatFile, HeaderTextsAndItems) {
    VectorDocument doc;
    ASSERT_TRUE(ReadDatBytes(Header({}, "  viel  Platz  "), doc).ok);
    EXPECT_EQ(doc.Header.DateAndTime, "02.02.98 17:30");
    EXPECT_EQ(doc.Header.Recording1, "viel  Platz");
    EXPECT_EQ(doc.Header.PhaseType, "keine");
    // a comma cuts the text, and the rest of the line is an item without ":"
    ExpectOpenFailure(Header({}, "a, b"));
    // LF alone ends lines too
    std::string lf = Header({});
    for (size_t k; (k = lf.find("\r\n")) != std::string::npos;) lf.erase(k, 1);
    ASSERT_TRUE(ReadDatBytes(lf + "32 984 0 0 0 0 1 2\n", doc = VectorDocument()).ok);
    EXPECT_EQ(doc.V(2, 1), 2);
}

TEST(DatFile, BrokenFilesFailSoundly) {
    VectorDocument doc;
    for (const std::string &bad : {std::string(), std::string("Date and time:x"), std::string("Datum: 1.1.98\r\n")}) {
        ReadResult r = ReadDatBytes(bad, doc);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0].text, "Ungültiges Dateiformat");
        EXPECT_EQ(r.messages[0].title, "Fehler beim Öffnen");
        EXPECT_EQ(r.messages[0].buttons, MsgButtons::Ok);
    }
    const std::string header = Header({});
    ExpectOpenFailure(header.substr(0, header.size() - 2));  // ends before item 16
    std::string noX = header;
    noX.replace(noX.find("1000 x 1000"), 11, "1000 mal 1000");
    ExpectOpenFailure(noX);
    std::string noColon = header;
    noColon.replace(noColon.find("Flow type:"), 10, "Flow type ");
    ExpectOpenFailure(noColon);
    std::string huge = header;
    huge.replace(huge.find(" 100\r\n"), 6, " 9999999999\r\n");
    ExpectOpenFailure(huge);
    ExpectOpenFailure(header + "16 984 0 0 0 0 1\r\n");                                // seven fields
    ExpectOpenFailure(header + "16 1000 0 0 0 0 1 1\r\n");                             // row 0
    ExpectOpenFailure(header + "992 984 0 0 0 0 1 1\r\n");                             // column 62
    ExpectOpenFailure(header + "99999999999 984 0 0 0 0 1 1\r\n");                     // beyond 32 bits
    ExpectOpenFailure(header + "16 984 0 0 0 0 1 " + std::string(400, '9') + "\r\n");  // infinite
    Geometry g;
    for (int *field : {&g.gx, &g.gy}) {
        for (int v : {0, -16}) {
            g = Geometry();
            *field = v;
            ExpectOpenFailure(Header(g));
        }
    }
    g = Geometry();
    g.W = g.H = g.w = g.h = 0;  // as written for a document that came from a VEC file
    ExpectOpenFailure(Header(g));
    g = Geometry();
    g.ratio = 0;
    ExpectOpenFailure(Header(g));

    ReadResult r = ReadDatFile(testing::TempDir() + "no-such-file.dat", doc);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, kOpenFailure);
}

// The reader rebuilds the grid from the header and places every line by its
// pixels, and ends a header item at a comma: a save that the reader would
// refuse, or read into other nodes, is refused before anything is written.
TEST(DatFile, AHeaderThatWouldNotReadBackIsRefused) {
    const std::string path = testing::TempDir() + "kopf.dat";
    {
        std::FILE *f = std::fopen(path.c_str(), "wb");
        std::fputs("alt", f);
        std::fclose(f);
    }
    const std::string gridText =
        "Bildgröße, Interrogation Window, Gitterabstand und Maßstab im Dateikopf beschreiben nicht das Gitter dieses "
        "Vektorfeldes; die Vektoren der DAT-Datei kämen beim Öffnen nicht an ihre Stelle. Speichern Sie das "
        "Vektorfeld im SDX-Format.";
    const VectorDocument ok = SmallField();
    ASSERT_FALSE(DatRefusal(ok));

    VectorDocument fromVec = ok;  // a DaVis file leaves the image and window sizes at 0
    fromVec.Header.ImageWidth = fromVec.Header.ImageHeight = 0;
    fromVec.Header.InterrogationWidth = fromVec.Header.InterrogationHeight = 0;
    ExpectOpenFailure(Layout(fromVec));
    // the reader would put every line on a node of its own, but not at the pixels written
    VectorDocument rescaled = ok;
    for (double &x : rescaled.PosXs) x *= 1.05;
    VectorDocument shifted = ok;  // half a column over
    for (double &y : shifted.PosYs) y += 0.4;
    VectorDocument offGrid = ok;  // one column over: the last column's lines would fall off the grid
    for (double &x : offGrid.PosXs) x += 0.8;
    // two columns on one pixel x: their lines must not meet on a node
    VectorDocument twoOnOne = ok;
    twoOnOne.PosX(2) = twoOnOne.PosX(1);
    for (int j = 1; j <= ok.NY; ++j) {
        twoOnOne.Status(1, j) = j <= 4 ? StatusValid : StatusInvalid;
        twoOnOne.Status(2, j) = j <= 4 ? StatusRemoved : StatusValid;
    }
    ASSERT_FALSE(DatRefusal(twoOnOne));
    twoOnOne.Status(1, 5) = StatusQuestionable;
    VectorDocument noScale = ok;
    noScale.Header.PixelsPerCm = 0;
    for (const VectorDocument *d : {&fromVec, &rescaled, &shifted, &offGrid, &twoOnOne, &noScale}) {
        std::optional<UserMessage> refusal;
        EXPECT_EQ(WriteDatFile(*d, path, &refusal), SaveResult::WriteFailed);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, gridText);
        EXPECT_EQ(refusal->title, "Fehler beim Speichern");
    }

    VectorDocument comma = ok;
    comma.Header.Recording2 = "Ebene 2, Lauf 3";
    ExpectOpenFailure(Layout(comma));
    VectorDocument lineEnd = ok;
    lineEnd.Header.Algorithm = "FFT\r\nzweiter Durchgang";
    for (const VectorDocument *d : {&comma, &lineEnd}) {
        std::optional<UserMessage> refusal;
        EXPECT_EQ(WriteDatFile(*d, path, &refusal), SaveResult::WriteFailed);
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->text.find("des Dateikopfs enthält ein Komma oder einen Zeilenumbruch"), std::string::npos);
    }
    EXPECT_EQ(DatRefusal(comma)->text.rfind("Der Eintrag \"Recording 2\"", 0), 0u);
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(path, kept));
    EXPECT_EQ(kept, "alt");
    std::remove(path.c_str());
}

// A mirrored field's columns or rows stand in descending order; the reader
// lays them out ascending again, every vector at its own coordinates.
TEST(DatFile, MirroredFieldsReadBackWithEveryVectorAtItsCoordinates) {
    VectorDocument field = SmallField();
    // a fifth of a pixel off the nodes, so that the writer rounds
    for (double &x : field.PosXs) x += 0.01;
    for (double &y : field.PosYs) y -= 0.01;
    const double halfPixel = 0.5 / field.Header.PixelsPerCm * 10;
    auto at = [&](const auto &positions, double p) {
        int found = 0;
        for (size_t k = 0; k < positions.size(); ++k)
            if (std::fabs(positions[k] - p) <= halfPixel) found = found ? -1 : static_cast<int>(k) + 1;
        return found;
    };
    VectorDocument wider = field;  // a header grid four columns wider than the field
    wider.Header.ImageWidth += 64;
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        VectorDocument src = c == 3 ? wider : field;
        MirrorField(src, c != 1, c != 0);
        const std::optional<std::string> bytes = DatBytes(src);
        ASSERT_TRUE(bytes);
        VectorDocument back;
        ASSERT_TRUE(ReadDatBytes(*bytes, back).ok);
        ASSERT_EQ(back.NX, src.NX + (c == 3 ? 4 : 0));
        ASSERT_EQ(back.NY, src.NY);
        EXPECT_LT(back.PosX(1), back.PosX(2));
        EXPECT_GT(back.PosY(1), back.PosY(2));
        EXPECT_EQ(back.CountValid(), src.CountValid());
        for (int j = 1; j <= src.NY; ++j)
            for (int i = 1; i <= src.NX; ++i) {
                if (src.Status(i, j) <= 0) continue;
                const int bi = at(back.PosXs, src.PosX(i)), bj = at(back.PosYs, src.PosY(j));
                ASSERT_GT(bi, 0) << i;
                ASSERT_GT(bj, 0) << j;
                EXPECT_EQ(back.Status(bi, bj), StatusValid);
                EXPECT_NEAR(back.U(bi, bj), src.U(i, j), 0.5e-4);
                EXPECT_NEAR(back.V(bi, bj), src.V(i, j), 0.5e-4);
            }
    }
}

namespace {

// W x H for an nx x ny grid of 32-pixel windows on a 16-pixel grid.
Geometry GridOf(int nx, int ny) {
    Geometry g;
    g.W = (nx - 1) * 16 + 32;
    g.H = (ny - 1) * 16 + 32;
    return g;
}

struct NodeLimit {
    explicit NodeLimit(uint64_t n) { SetMaxDocumentNodes(n); }
    ~NodeLimit() { SetMaxDocumentNodes(kMaxDocumentNodes); }
};

}  // namespace

TEST(DatFile, SparseFilesOpenHoweverFewTheirDataLines) {
    // 511 x 511 nodes and 137 data lines, scattered over the grid
    std::string text = Header(GridOf(511, 511));
    std::vector<std::pair<int, int>> nodes;
    for (int k = 0; k < 137; ++k) nodes.push_back({1 + (k * 97) % 511, 1 + (k * 211) % 511});
    for (const auto &n : nodes) text += Line(16 + (n.first - 1) * 16, 8176 - (n.second - 1) * 16, 0.25, -0.5);
    VectorDocument doc;
    const ReadResult r = ReadDatBytes(text, doc);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(doc.NX, 511);
    EXPECT_EQ(doc.NY, 511);
    EXPECT_EQ(doc.CountValid(), 137);
    for (const auto &n : nodes) {
        EXPECT_EQ(doc.Status(n.first, n.second), StatusValid);
        EXPECT_DOUBLE_EQ(doc.V(n.first, n.second), -0.5);
    }

    // a header and no data line at all
    ASSERT_TRUE(ReadDatBytes(Header(GridOf(300, 200)), doc = VectorDocument()).ok);
    EXPECT_EQ(doc.NodeCount(), 60000u);
    EXPECT_EQ(doc.CountValid(), 0);
}

TEST(DatFile, SparseDocumentRoundTripsThroughADiskFile) {
    SampleFieldOptions o;
    o.nx = o.ny = 511;
    VectorDocument src = MakeSampleField(o);
    for (size_t k = 0; k < src.NodeCount(); ++k) src.Statuses[k] = k % 1907 == 0 ? StatusValid : StatusInvalid;
    src.ValidCount = src.CountValid();
    ASSERT_EQ(src.ValidCount, 137);
    const std::string path = testing::TempDir() + "datfile_sparse.dat";
    ASSERT_EQ(WriteDatFile(src, path), SaveResult::Ok);
    VectorDocument doc;
    const ReadResult r = ReadDatFile(path, doc);
    std::remove(path.c_str());
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(doc.NX, 511);
    ASSERT_EQ(doc.NY, 511);
    EXPECT_EQ(doc.PosXs, src.PosXs);
    EXPECT_EQ(doc.PosYs, src.PosYs);
    EXPECT_EQ(doc.ValidCount, 137);
    for (size_t k = 0; k < src.NodeCount(); ++k) {
        ASSERT_EQ(doc.Statuses[k], src.Statuses[k] > 0 ? StatusValid : StatusInvalid) << k;
        if (src.Statuses[k] > 0) {
            EXPECT_NEAR(doc.Us[k], src.Us[k], 0.5e-4);
        }
    }
}

TEST(DatFile, GridsAboveTheNodeBoundAreRefusedByTheirSize) {
    // 10^8 nodes claimed by a few hundred header bytes
    VectorDocument doc;
    ReadResult r = ReadDatBytes(Header(GridOf(10000, 10000)) + Line(16, 16, 1, 1), doc);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text,
              "Das Vektorfeld mit 10000 x 10000 Vektoren ist zu groß; höchstens 16777216 Vektoren können geöffnet "
              "werden.");
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(r.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(r.messages[0].title, "Fehler beim Öffnen");
    EXPECT_TRUE(doc.Us.empty());

    // beyond 32 bits per side, the product not overflowing
    Geometry g;
    g.W = g.H = 2000000000;
    r = ReadDatBytes(Header(g), doc = VectorDocument());
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text.substr(0, 48), "Das Vektorfeld mit 124999999 x 124999999 Vektore");

    // one node over the bound, either way round
    r = ReadDatBytes(Header(GridOf(4097, 4096)), doc = VectorDocument());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messages.at(0).title, "Fehler beim Öffnen");
    EXPECT_FALSE(ReadDatBytes(Header(GridOf(4096, 4097)), doc = VectorDocument()).ok);
}

TEST(DatFile, AGridAtTheBoundOpens) {
    VectorDocument doc;
    const ReadResult r = ReadDatBytes(Header(GridOf(4096, 4096)) + Line(16 + 4095 * 16, 16, 1.5, 2), doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(doc.NodeCount(), kMaxDocumentNodes);
    EXPECT_EQ(doc.Status(4096, 4096), StatusValid);
    EXPECT_DOUBLE_EQ(doc.U(4096, 4096), 1.5);
}

TEST(DatFile, TheBoundCountsNodesNotSides) {
    NodeLimit limit(1000);
    VectorDocument doc;
    EXPECT_TRUE(ReadDatBytes(Header(GridOf(40, 25)), doc).ok);
    EXPECT_TRUE(ReadDatBytes(Header(GridOf(1000, 1)), doc = VectorDocument()).ok);
    const ReadResult r = ReadDatBytes(Header(GridOf(40, 26)), doc = VectorDocument());
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text,
              "Das Vektorfeld mit 40 x 26 Vektoren ist zu groß; höchstens 1000 Vektoren können geöffnet werden.");
}

TEST(DatFile, ValuesThatWouldNotReadBackAreNotWritten) {
    const std::string path = testing::TempDir() + "datfile_nan.dat";
    ASSERT_EQ(WriteFileAtomically(path, "alt"), SaveResult::Ok);
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e307}) {
        VectorDocument doc = SmallField();
        doc.Status(4, 4) = StatusValid;
        doc.V(4, 4) = bad;
        EXPECT_FALSE(DatBytes(doc)) << bad;
        EXPECT_EQ(WriteDatFile(doc, path), SaveResult::WriteFailed);
        // an invalid node is not written, whatever it holds
        doc.Status(4, 4) = StatusInvalid;
        EXPECT_TRUE(DatBytes(doc)) << bad;
    }
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(path, kept));
    EXPECT_EQ(kept, "alt");
    std::remove(path.c_str());
}

namespace {

// Node (1, 1)'s line as the layout lays it out, without asking whether it
// reads back; nothing when a pixel coordinate is no integer.
std::optional<std::string> LaidOutLine(const VectorDocument &d) {
    const double R = d.Header.PixelsPerCm, T = d.Header.TimeInterval;
    const std::optional<int32_t> px = RoundToInt32(d.PosX(1) / 10 * R), py = RoundToInt32(d.PosY(1) / 10 * R);
    if (!px || !py) return std::nullopt;
    std::string line = std::to_string(*px);
    if (line.size() < 7) line.append(7 - line.size(), ' ');
    const std::string y = std::to_string(*py);
    line += y;
    long r = 11 - static_cast<long>(y.size());
    const double u = d.U(1, 1), v = d.V(1, 1);
    const std::pair<double, int> fields[] = {
        {T * u / 10000 * R, 4}, {T * v / 10000 * R, 4}, {d.PosX(1), 3}, {d.PosY(1), 3}, {u, 4}, {v, 4}};
    const long next[] = {5, 6, 6, 5, 5, 5};
    for (int k = 0; k < 6; ++k) {
        const std::string t = FormatFixed(fields[k].first, fields[k].second, '.');
        const long pad = r - static_cast<long>(t.rfind('.'));
        if (pad > 0) line.append(static_cast<size_t>(pad), ' ');
        line += t;
        r = next[k];
    }
    return line;
}

// Fields as the reader finds them: runs of digits, "-", "," and ".".
int FieldCount(const std::string &line) {
    int n = 0;
    bool in = false;
    for (char c : line) {
        const bool field = (c >= '0' && c <= '9') || c == '-' || c == ',' || c == '.';
        n += field && !in;
        in = field;
    }
    return n;
}

}  // namespace

TEST(DatFile, EveryColumnWritesExactlyWhatReadsBack) {
    // magnitudes on both sides of every place where a whole part gains a
    // digit, with the roundings that carry into it
    std::vector<double> values;
    for (int k = 0; k <= 9; ++k) {
        const double m = std::pow(10.0, k);
        for (double off : {-1e-3, -6e-4, -5e-4, -4e-4, -1e-4, -6e-5, -5e-5, -4e-5, 0.0, 1e-4}) {
            for (double sign : {1.0, -1.0}) {
                const double x = sign * (m + off);
                values.insert(values.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, sign * HUGE_VAL)});
            }
        }
    }
    VectorDocument d;
    d.Resize(1, 1);
    d.Status(1, 1) = StatusValid;
    int refused = 0, cases = 0;
    auto check = [&](int T, int R, double x, double y, double u, double v) {
        d.Header.TimeInterval = T;
        d.Header.PixelsPerCm = R;
        d.PosX(1) = x;
        d.PosY(1) = y;
        d.U(1, 1) = u;
        d.V(1, 1) = v;
        const std::optional<std::string> laid = LaidOutLine(d);
        const bool readable = laid && FieldCount(*laid) == 8;
        const std::optional<UserMessage> refusal = DatColumnRefusal(d);
        ++cases;
        refused += refusal.has_value();
        const std::string what = "T " + std::to_string(T) + " R " + std::to_string(R) + " x " + StrNumber(x) + " y " +
                                 StrNumber(y) + " u " + StrNumber(u) + " v " + StrNumber(v);
        ASSERT_EQ(!refusal, readable) << what << "\n" << (laid ? *laid : "(no pixel)");
        if (readable) {
            ASSERT_EQ(Lines(Layout(d)).at(16), *laid) << what;
        }
    };
    for (const auto &[T, R] : {std::pair{1, 100}, {100, 100}, {10000, 100}, {1, 1}, {7, 100000}}) {
        for (double x : values) {
            check(T, R, 1.6, 1.6, x, 0.25);  // vx[pix], Vx[m/s]
            check(T, R, 1.6, 1.6, -0.5, x);  // vy[pix], Vy[m/s]
        }
    }
    for (int R : {1, 10, 100, 1000, 100000}) {
        for (double x : values) {
            check(100, R, x, 1.6, 0.5, 0.5);  // x[pix], X[mm]
            // y[pix] with whole parts of vx[pix] of one to four places
            for (double u : {0.0, -0.3, 55.5, -777.7}) check(100, R, 1.6, x, u, 0.5);  // y[pix], Y[mm]
        }
    }
    // both sides of every boundary were met
    EXPECT_GT(refused, cases / 10);
    EXPECT_LT(refused, cases - cases / 10);
}

TEST(DatFile, AValueTooWideForItsColumnIsNamedAndNothingIsWritten) {
    // a 3 x 3 grid whose header fits its positions, with T = R = 100: vx[pix] = U
    VectorDocument src = ValidField(
        3, 3, [](int i) { return 1.6 * i; }, [](int j) { return 4.8 - 1.6 * (j - 1); },
        [](int, int, double &u, double &v) { u = v = 0.5; });
    src.Header = {"heute", "a", "b", "c", "d", "e", "f", 64, 64, 32, 32, 16, 16, 16, 48, 100, 100};
    // the widest values of the velocity columns read back
    VectorDocument doc = src;
    doc.U(2, 3) = 9999.9999;
    doc.V(2, 3) = -999.9999;
    doc.U(1, 1) = -999.99994;
    const std::optional<std::string> bytes = DatBytes(doc);
    ASSERT_TRUE(bytes);
    VectorDocument back;
    ASSERT_TRUE(ReadDatBytes(*bytes, back).ok);
    EXPECT_NEAR(back.U(2, 3), 9999.9999, 1e-9);
    EXPECT_NEAR(back.V(2, 3), -999.9999, 1e-9);
    EXPECT_NEAR(back.U(1, 1), -999.9999, 1e-9);

    const std::string path = testing::TempDir() + "datfile_columns.dat";
    ASSERT_EQ(WriteFileAtomically(path, "alt"), SaveResult::Ok);
    const std::pair<double, std::string> wide[] = {
        {10000, "10000 des Vektors (2, 3) passt nicht in die Spalte Vx"},
        {-1000, "-1000 des Vektors (2, 3) passt nicht in die Spalte Vx"},
        {9999.99996, "9999.99996 des Vektors (2, 3) passt nicht in die Spalte Vx"},
        {1e300, "1E+300 des Vektors (2, 3) passt nicht in die Spalte vx[pix]"}};
    for (const auto &[u, named] : wide) {
        SCOPED_TRACE(u);
        doc = src;
        doc.U(2, 3) = u;
        doc.U(3, 3) = u;  // only the first line in the file's order is named
        EXPECT_FALSE(DatBytes(doc));
        std::optional<UserMessage> refusal;
        EXPECT_EQ(WriteDatFile(doc, path, &refusal), SaveResult::WriteFailed);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text.find("Der Wert " + named), 0u) << refusal->text;
        EXPECT_EQ(refusal->title, "Fehler beim Speichern");
        EXPECT_EQ(refusal->icon, MsgIcon::Exclamation);
        EXPECT_EQ(refusal->buttons, MsgButtons::Ok);
        // an invalid node is not written, whatever it holds
        doc.Status(2, 3) = doc.Status(3, 3) = StatusInvalid;
        EXPECT_FALSE(DatRefusal(doc));
    }
    doc = src;
    doc.U(2, 3) = 10000;
    EXPECT_EQ(DatRefusal(doc)->text,
              "Der Wert 10000 des Vektors (2, 3) passt nicht in die Spalte Vx[m/s] der DAT-Datei; die Datei wäre nicht "
              "mehr lesbar. Speichern Sie das Vektorfeld im SDX-Format.");
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(path, kept));
    EXPECT_EQ(kept, "alt");
    std::remove(path.c_str());
}

TEST(DatFile, LongHeaderTextsOpenCutAndLongDataLinesAreRefused) {
    VectorDocument src = SmallField();
    src.Header.Recording1 = "kurz";
    src.Header.Algorithm = "lang";
    const std::string file = *DatBytes(src);
    VectorDocument want, doc;
    ASSERT_TRUE(ReadDatBytes(file, want).ok);
    auto replaced = [&](const std::string &old, const std::string &text) {
        std::string b = file;
        return b.replace(b.find(old + "\r\n"), old.size(), text);
    };
    // a header text at the bound reads whole
    ReadResult r = ReadDatBytes(replaced("kurz", std::string(kMaxTextBytes, 'r')), doc);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.textsCut);
    EXPECT_EQ(doc.Header.Recording1.size(), kMaxTextBytes);
    // one byte more, or a line far beyond the line bound: cut to the bound, the rest of the file as usual
    struct Longer {
        std::string bytes;
        std::string *text;
        char fill;
    };
    const Longer longer[] = {{replaced("kurz", std::string(kMaxTextBytes, 'r') + "X"), &want.Header.Recording1, 'r'},
                             {replaced("lang", std::string(3 * kMaxDatLineBytes, 'a')), &want.Header.Algorithm, 'a'}};
    for (const Longer &l : longer) {
        r = ReadDatBytes(l.bytes, doc = VectorDocument());
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.messages.empty());
        EXPECT_TRUE(r.textsCut);
        const std::string before = *l.text;
        l.text->assign(kMaxTextBytes, l.fill);
        // and it saves again
        ASSERT_TRUE(DatBytes(doc));
        EXPECT_TRUE(*DatBytes(doc) == *DatBytes(want));
        *l.text = before;
    }
    // the writer writes no longer text
    src.Header.Algorithm.assign(kMaxTextBytes + 1, 'a');
    EXPECT_FALSE(DatBytes(src));
    EXPECT_EQ(DatRefusal(src)->text.rfind("Ein Text des Dateikopfs ist zu lang: höchstens 1048576 Zeichen", 0), 0u);

    // a data line at the bound reads; longer, also in items cut by commas, it is a damaged line
    const std::string line = Line(48, 984, 1.5, -2.5);
    const std::string atBound = std::string(kMaxDatLineBytes - (line.size() - 2), ' ') + line;
    ASSERT_TRUE(ReadDatBytes(Header({}) + atBound, doc = VectorDocument()).ok);
    EXPECT_EQ(doc.U(3, 1), 1.5);
    ExpectOpenFailure(Header({}) + " " + atBound);
    std::string commas;
    while (commas.size() <= kMaxDatLineBytes) commas += "   ,";
    ASSERT_TRUE(ReadDatBytes(Header({}) + "  ,  , \r\n" + line, doc = VectorDocument()).ok);
    ExpectOpenFailure(Header({}) + commas + "\r\n" + line);

    // 600 MB in one line (sparse on disk): the first line is cut and skipped
    // to its end, a data line refused, neither read whole
    const std::string path = testing::TempDir() + "datfile_long_line.dat";
    const std::string header = Header({});
    const std::string afterFirst = header.substr(header.find("\r\n")) + line;
    for (const std::string &start : {std::string("Date and time: "), header + line + "7 "}) {
        const bool first = start.size() < header.size();
        std::FILE *f = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(f);
        std::fwrite(start.data(), 1, start.size(), f);
        ASSERT_EQ(::fseeko(f, off_t{600} << 20, SEEK_SET), 0);
        if (first) std::fwrite(afterFirst.data(), 1, afterFirst.size(), f);
        std::fclose(f);
        if (!first) {
            ASSERT_EQ(::truncate(path.c_str(), off_t{600} << 20), 0);
        }
        const std::optional<double> peak = PeakGrowthMiB([&] { r = ReadDatFile(path, doc = VectorDocument()); });
        if (first) {
            ASSERT_TRUE(r.ok);
            EXPECT_TRUE(r.textsCut);
            EXPECT_EQ(doc.Header.DateAndTime, std::string(kMaxTextBytes, '\0'));
            EXPECT_EQ(doc.Header.Recording2, "b.tif");
            EXPECT_EQ(doc.U(3, 1), 1.5);
        } else {
            EXPECT_FALSE(r.ok);
            ASSERT_EQ(r.messages.size(), 1u);
            EXPECT_EQ(r.messages[0].text, kOpenFailure);
        }
        if (peak) {
            EXPECT_LT(*peak, 16.0);
        }
    }
    std::remove(path.c_str());
}
