#include "VecFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "SameField.h"
#include "SampleField.h"
#include "VecWriter.h"

using namespace sx;

namespace {

const char kDamaged[] = "Fehler in dieser VEC-Datei! Datei beschädigt oder falsches Format?";

// A 4 x 2 field of sub-format 1 with the given status frame; peak k holds
// (10k + node, -(10k + node)) so the peak a component came from is visible.
std::string PeakFile(const std::vector<float> &status, VecHeader h = {}) {
    const size_t n = status.size();
    std::vector<std::vector<float>> frames(9, std::vector<float>(n));
    frames[0] = status;
    for (int p = 1; p <= 4; ++p)
        for (size_t k = 0; k < n; ++k) {
            frames[static_cast<size_t>(2 * p - 1)][k] = static_cast<float>(10 * p + static_cast<int>(k));
            frames[static_cast<size_t>(2 * p)][k] = -static_cast<float>(10 * p + static_cast<int>(k));
        }
    h.subType = 1;
    h.columns = 4;
    h.rows = static_cast<int16_t>(9 * n / 4);
    return VecBytesRaw(h, frames);
}

std::string SimpleFile(const std::vector<float> &u, const std::vector<float> &v, int16_t columns) {
    VecHeader h;
    h.subType = 2;
    h.columns = columns;
    h.rows = static_cast<int16_t>(2 * u.size() / static_cast<size_t>(columns));
    return VecBytesRaw(h, {u, v});
}

template <typename T>
void Patch(std::string &bytes, size_t offset, T v) {
    std::memcpy(&bytes[offset], &v, sizeof v);
}

void ExpectOnlyDamaged(const ReadResult &r) {
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, kDamaged);
    EXPECT_EQ(r.messages[0].title, "Fehler");
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(r.messages[0].buttons, MsgButtons::OkCancel);
}

}  // namespace

TEST(VecFile, GeneratedFieldReadsBackInEverySubFormat) {
    SampleFieldOptions o;
    o.nx = 10;
    o.ny = 8;
    o.invalidShare = 0.1;
    o.removedShare = 0.1;
    const VectorDocument src = MakeSampleField(o);
    for (int sub : {1, 2, 3}) {
        SCOPED_TRACE(sub);
        VectorDocument doc;
        int asked = 0;
        ReadResult r = ReadVecBytes(VecBytes(src, sub), doc, [&](const UserMessage &) {
            ++asked;
            return true;
        });
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.messages.empty());
        ASSERT_EQ(doc.NX, 10);
        ASSERT_EQ(doc.NY, 8);
        EXPECT_EQ(asked, sub == 2 ? 1 : 0);  // invalid nodes were written as null vectors
        for (int i = 1; i <= 10; ++i) EXPECT_NEAR(doc.PosX(i), src.PosX(i), 1e-5);
        for (int j = 1; j <= 8; ++j) EXPECT_NEAR(doc.PosY(j), src.PosY(j), 1e-5);
        for (int j = 1; j <= 8; ++j)
            for (int i = 1; i <= 10; ++i) {
                if (src.Status(i, j) > 0) {
                    EXPECT_EQ(doc.Status(i, j), 1);
                    EXPECT_NEAR(doc.U(i, j), src.U(i, j), 1e-5);
                    EXPECT_NEAR(doc.V(i, j), src.V(i, j), 1e-5);
                } else {
                    EXPECT_EQ(doc.Status(i, j), 0);
                    EXPECT_EQ(doc.U(i, j), 0);
                    EXPECT_EQ(doc.V(i, j), 0);
                }
            }
        EXPECT_EQ(doc.ValidCount, src.CountValid());
        EXPECT_EQ(doc.Header.GridStepX, 16);
        EXPECT_EQ(doc.Header.GridStepY, 16);
        EXPECT_EQ(doc.Header.PixelsPerCm, 20);  // 1/fx with fx in mm per pixel
        EXPECT_EQ(doc.Header.TimeInterval, 25);
        EXPECT_EQ(doc.Header.DateAndTime, "17.03.99 14:22:05");
        EXPECT_EQ(doc.Header.Algorithm, "No information (DaVis)");
        EXPECT_EQ(doc.Header.ImageWidth, 0);
        EXPECT_EQ(doc.Header.FirstRowPixel, 0);
        EXPECT_EQ(doc.InfoText, "Zwei gegensinnige Lamb-Oseen-Wirbel\r\nin gleichförmiger Strömung\r\n");
        EXPECT_EQ(doc.BackValues.size(), 80u);
    }
}

TEST(VecFile, SubType3LoadsLikeItsNineFrameTwin) {
    SampleFieldOptions o;
    o.nx = 12;
    o.ny = 9;
    VectorDocument src = MakeSampleField(o);
    src.Status(3, 3) = 2;
    src.Status(4, 5) = 3;
    src.Status(7, 2) = 4;
    VectorDocument a, b;
    ASSERT_TRUE(ReadVecBytes(VecBytes(src, 1), a).ok);
    ASSERT_TRUE(ReadVecBytes(VecBytes(src, 3), b).ok);
    ExpectSameField(a, b);
    EXPECT_EQ(a.InfoText, b.InfoText);
    EXPECT_EQ(a.Header.TimeInterval, b.Header.TimeInterval);
    EXPECT_EQ(a.Status(7, 2), 4);
    EXPECT_NEAR(a.U(7, 2), src.U(7, 2), 1e-5);
}

TEST(VecFile, StatusRoundsHalvesToEvenAndComponentsComeFromTheOwnPeak) {
    // row 1: 2.5 3.5 -0.4 9 / row 2: 7 1 0 4.49
    VectorDocument doc;
    ReadResult r = ReadVecBytes(PeakFile({2.5f, 3.5f, -0.4f, 9.f, 7.f, 1.f, 0.f, 4.49f}), doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(doc.Status(1, 1), 2);
    EXPECT_EQ(doc.Status(2, 1), 4);
    EXPECT_EQ(doc.Status(3, 1), 0);
    EXPECT_EQ(doc.Status(4, 1), 9);
    EXPECT_EQ(doc.Status(1, 2), 7);
    EXPECT_EQ(doc.Status(4, 2), 4);
    // node k of peak p holds 10p + k
    EXPECT_EQ(doc.U(1, 1), 20);
    EXPECT_EQ(doc.V(1, 1), -20);
    EXPECT_EQ(doc.U(2, 1), 41);
    EXPECT_EQ(doc.U(2, 2), 15);
    EXPECT_EQ(doc.V(2, 2), -15);
    EXPECT_EQ(doc.U(4, 2), 47);
    // status 0 and the out-of-range statuses get no vector
    for (auto [i, j] : {std::pair{3, 1}, {4, 1}, {1, 2}, {3, 2}}) {
        EXPECT_EQ(doc.U(i, j), 0);
        EXPECT_EQ(doc.V(i, j), 0);
    }
    EXPECT_EQ(doc.ValidCount, 6);  // 2, 4, 9, 7, 1, 4
    // reported once per file, for the first node in column order (column 1, row 2)
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Ungültiger Status eines Vektors:  frame 7");
    EXPECT_EQ(r.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(r.messages[0].title, "Strudelax");
}

TEST(VecFile, StatusFiveIsReportedAndStaysQuestionable) {
    VectorDocument doc;
    ReadResult r = ReadVecBytes(PeakFile({1, 1, 5, 1, -1, 1, 1, 1}), doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(doc.Status(3, 1), StatusQuestionable);
    EXPECT_EQ(doc.U(3, 1), 0);
    EXPECT_EQ(doc.Status(1, 2), StatusRemoved);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Ungültiger Status eines Vektors:  frame -1");
}

TEST(VecFile, ManyInvalidStatusesGiveOneMessage) {
    std::vector<float> status(4 * 300, 6.f);
    VectorDocument doc;
    ReadResult r = ReadVecBytes(PeakFile(status), doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.messages.size(), 1u);
}

TEST(VecFile, ScalesAndDerivedHeaderValues) {
    VecHeader h;
    h.grid = 4;
    h.fx = 0.5f;    // dx = 2
    h.ox = 10;      // x0 = 11
    h.fy = -0.25f;  // dy = -1
    h.oy = 3;       // y0 = 2.5
    h.fi = 2;       // ScaleU 2, ScaleV = dy * fi / dx = -1
    VectorDocument doc;
    ASSERT_TRUE(ReadVecBytes(PeakFile({1, 1, 1, 1, 1, 1, 1, 1}, h), doc).ok);
    EXPECT_EQ(doc.PosX(1), 11);
    EXPECT_EQ(doc.PosX(4), 17);
    EXPECT_EQ(doc.PosY(1), 2.5);
    EXPECT_EQ(doc.PosY(2), 1.5);
    EXPECT_EQ(doc.U(3, 1), 2 * 12);
    EXPECT_EQ(doc.V(3, 1), 12);
    EXPECT_EQ(doc.Header.PixelsPerCm, 2);
    EXPECT_EQ(doc.Header.TimeInterval, 250);  // dx / g / fi * 1000
    EXPECT_EQ(doc.Header.GridStepX, 4);

    h.fi = 0;  // no velocity scale: no time interval, all null vectors
    ASSERT_TRUE(ReadVecBytes(PeakFile({1, 1, 1, 1, 1, 1, 1, 1}, h), doc = VectorDocument()).ok);
    EXPECT_EQ(doc.Header.TimeInterval, 0);
    EXPECT_EQ(doc.U(3, 1), 0);

    h.fi = 1;
    h.fx = 2;  // 1/fx = 0.5 rounds to the even 0
    ASSERT_TRUE(ReadVecBytes(PeakFile({1, 1, 1, 1, 1, 1, 1, 1}, h), doc = VectorDocument()).ok);
    EXPECT_EQ(doc.Header.PixelsPerCm, 0);
}

TEST(VecFile, HeaderTextsAreCutAtTheirFirstZeroByte) {
    VecHeader h;
    h.date = "02.02.98";
    h.time = "";
    h.info1 = "";
    h.info2 = "zweite Zeile";
    std::string bytes = PeakFile({1, 1, 1, 1, 1, 1, 1, 1}, h);
    std::memcpy(&bytes[188 + 13], "Reste", 5);  // leftovers after the zero byte
    std::memcpy(&bytes[44], "12:00", 5);        // time field starting with a zero byte
    VectorDocument doc;
    ASSERT_TRUE(ReadVecBytes(bytes, doc).ok);
    EXPECT_EQ(doc.Header.DateAndTime, "02.02.98");
    EXPECT_EQ(doc.InfoText, "zweite Zeile\r\n");

    h.time = "17:30:01";
    h.info1 = std::string(40, 'a');  // no zero byte: taken whole
    h.info2 = "";
    bytes = PeakFile({1, 1, 1, 1, 1, 1, 1, 1}, h);
    bytes[34 + 8] = 'X';  // a date of nine characters without a zero byte
    bytes[150] = '\xe4';  // Windows-1252 a-umlaut
    ASSERT_TRUE(ReadVecBytes(bytes, doc = VectorDocument()).ok);
    EXPECT_EQ(doc.Header.DateAndTime, "02.02.98X 17:30:01");
    EXPECT_EQ(doc.InfoText, "aa\xc3\xa4" + std::string(37, 'a') + "\r\n");
}

TEST(VecFile, SimpleFormatAsksAboutNullVectors) {
    const std::vector<float> u = {1, 0, 0, 2, 3, 0}, v = {1, 0, 5, 2, 3, -0.f};
    VectorDocument yes, no;
    std::vector<UserMessage> asked;
    ASSERT_TRUE(ReadVecBytes(SimpleFile(u, v, 3), yes, [&](const UserMessage &m) {
                    asked.push_back(m);
                    return true;
                }).ok);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              "Unterformat der VEC-Datei: 'simple vector format'\r\n\r\n"
              "Dieses Format enthält keine Informationen über die Gültigkeit der Vektoren, "
              "es kommen aber Null-Vektoren vor.\r\n"
              "Sollen diese automatisch als 'ungültig' interpretiert werden?");
    EXPECT_EQ(asked[0].icon, MsgIcon::Question);
    EXPECT_EQ(asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked[0].title, "Datei enthält Null-Vektoren");
    EXPECT_EQ(yes.Statuses, (FieldArray<int32_t>{1, 0, 1, 1, 1, 0}));
    EXPECT_EQ(yes.ValidCount, 4);

    ASSERT_TRUE(ReadVecBytes(SimpleFile(u, v, 3), no, [](const UserMessage &) { return false; }).ok);
    EXPECT_EQ(no.Statuses, FieldArray<int32_t>(6, 1));
    EXPECT_EQ(no.ValidCount, 6);

    int calls = 0;
    VectorDocument none;
    ASSERT_TRUE(
        ReadVecBytes(SimpleFile({1, 2}, {0, 0}, 2), none, [&](const UserMessage &) { return ++calls, true; }).ok);
    EXPECT_EQ(calls, 0);
}

TEST(VecFile, HeaderErrorsShowTheirMessageThenTheDamagedMessage) {
    const std::string good = PeakFile({1, 1, 1, 1, 1, 1, 1, 1});
    struct Case {
        size_t offset;
        int16_t value;
        const char *text;
    } cases[] = {
        {0, 21, "Ungültiges VEC-Format: ImageType nicht FLOAT!"},
        {10, 19, "Ungültiges VEC-Format: Anzahl der zeilen nicht durch 9 teilbar (für 9 frames)!"},
        {14, 4,
         "Ungültiges VEC-Format ('image sub type' ungültig)!\r\nEs können nur folgende Formate gelesen werden:\r\n"
         "   1: extended (PIV) vector format\r\n   2: simple vector format\r\n"
         "   3: extended vector format with peak ratio"},
    };
    for (const Case &c : cases) {
        std::string bytes = good;
        Patch(bytes, c.offset, c.value);
        VectorDocument doc;
        ReadResult r = ReadVecBytes(bytes, doc);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(r.messages.size(), 2u);
        EXPECT_EQ(r.messages[0].text, c.text);
        EXPECT_EQ(r.messages[0].title, "Fehler beim Einlesen");
        EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(r.messages[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(r.messages[1].text, kDamaged);
    }
    std::string two = SimpleFile({1, 2, 3}, {1, 2, 3}, 3);
    Patch<int16_t>(two, 10, 3);
    VectorDocument doc;
    EXPECT_EQ(ReadVecBytes(two, doc).messages.at(0).text,
              "Ungültiges VEC-Format: Anzahl der zeilen nicht durch 2 teilbar (für 2 frames)!");
    std::string three = good;
    Patch<int16_t>(three, 14, 3);  // 18 rows are not 10 frames
    EXPECT_EQ(ReadVecBytes(three, doc).messages.at(0).text,
              "Ungültiges VEC-Format: Anzahl der zeilen nicht durch 10 teilbar (für 10 frames)!");
    // nothing at all: the image type reads as 0
    EXPECT_EQ(ReadVecBytes("", doc).messages.at(0).text, "Ungültiges VEC-Format: ImageType nicht FLOAT!");
}

TEST(VecFile, UnusableHeadersAndDataFailSoundly) {
    const std::string good = PeakFile({1, 1, 2, 1, 1, 1, 1, 1});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<std::string> bad;
    auto patched = [&](auto mutate) {
        std::string b = good;
        mutate(b);
        bad.push_back(b);
    };
    patched([](std::string &b) { Patch<int16_t>(b, 12, 0); });                 // no columns
    patched([](std::string &b) { Patch<int16_t>(b, 12, -4); });                // negative columns
    patched([](std::string &b) { Patch<int16_t>(b, 10, 0); });                 // no rows
    patched([](std::string &b) { Patch<int16_t>(b, 10, -18); });               // negative rows
    patched([](std::string &b) { Patch<float>(b, 54, 0.f); });                 // dx = 0 by fx
    patched([](std::string &b) { Patch<int16_t>(b, 20, 0); });                 // dx = 0 by the grid
    patched([](std::string &b) { Patch<float>(b, 54, 1e-12f); });              // 1/fx beyond 32 bits
    patched([](std::string &b) { Patch<float>(b, 118, 1e-12f); });             // time interval beyond 32 bits
    patched([&](std::string &b) { Patch<float>(b, 86, nan); });                // fy
    patched([&](std::string &b) { Patch<float>(b, 58, inf); });                // ox
    patched([](std::string &b) { b.pop_back(); });                             // one byte short
    patched([](std::string &b) { b.resize(256); });                            // header only
    patched([&](std::string &b) { Patch<float>(b, 256 + 4, nan); });           // status
    patched([&](std::string &b) { Patch<float>(b, 256 + 4, 3e9f); });          // status beyond 32 bits
    patched([&](std::string &b) { Patch<float>(b, 256 + 32 + 4, inf); });      // peak-1 U of node 2
    patched([&](std::string &b) { Patch<float>(b, 256 + 4 * 32 + 8, nan); });  // peak-2 V of node 3
    for (size_t k = 0; k < bad.size(); ++k) {
        SCOPED_TRACE(k);
        VectorDocument doc;
        ExpectOnlyDamaged(ReadVecBytes(bad[k], doc));
    }
    // a NaN in a peak frame no node uses does no harm
    std::string unused = good;
    Patch<float>(unused, 256 + 7 * 32, nan);
    VectorDocument doc;
    EXPECT_TRUE(ReadVecBytes(unused, doc).ok);
    // a simple-format file with a NaN component
    std::string simple = SimpleFile({1, nan}, {1, 1}, 2);
    ExpectOnlyDamaged(ReadVecBytes(simple, doc = VectorDocument()));
}

TEST(VecFile, FileVariantReadsTheSameAndReportsOpenFailures) {
    SampleFieldOptions o;
    o.nx = 30;
    o.ny = 20;
    const std::string bytes = VecBytes(MakeSampleField(o), 1);
    const std::string path = testing::TempDir() + "vecfile_test.vec";
    ASSERT_EQ(WriteFileAtomically(path, bytes), SaveResult::Ok);
    VectorDocument a, b;
    ASSERT_TRUE(ReadVecFile(path, a).ok);
    ASSERT_TRUE(ReadVecBytes(bytes, b).ok);
    ExpectSameField(a, b);
    std::remove(path.c_str());

    for (const std::string &p : {path, testing::TempDir()}) {
        VectorDocument doc;
        ReadResult r = ReadVecFile(p, doc);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0].text,
                  "Öffnen dieser VEC-Datei fehlgeschlagen! Datei schreibgeschützt oder bereits verwendet?");
        EXPECT_EQ(r.messages[0].buttons, MsgButtons::OkCancel);
        EXPECT_EQ(r.messages[0].title, "Fehler");
    }
}

TEST(VecFile, RealDaVisSimpleFile) {
    const std::string path = std::string(STRUDELAX_REALDATA) + "/2D-PIV-Simple.vec";
    std::string probe;
    if (!ReadWholeFile(path, probe)) GTEST_SKIP() << "no real data at " << path;
    VectorDocument doc;
    bool asked = false;
    ReadResult r = ReadVecFile(path, doc, [&](const UserMessage &) { return asked = true; });
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_FALSE(asked);  // it holds no null vectors
    ASSERT_EQ(doc.NX, 20);
    ASSERT_EQ(doc.NY, 10);
    EXPECT_EQ(doc.Header.DateAndTime, "02.02.98 17:30:01");
    EXPECT_EQ(doc.InfoText, "created with WinSC\r\n");
    EXPECT_EQ(doc.Header.Recording1, "No information (DaVis)");
    EXPECT_EQ(doc.Header.GridStepX, 32);
    EXPECT_EQ(doc.Header.PixelsPerCm, 1);
    EXPECT_EQ(doc.Header.TimeInterval, 1000);
    EXPECT_EQ(doc.PosX(1), 16);
    EXPECT_EQ(doc.PosX(20), 16 + 19 * 32);
    EXPECT_EQ(doc.PosY(10), 16 + 9 * 32);
    EXPECT_EQ(doc.U(1, 1), 10);
    EXPECT_NEAR(doc.U(2, 1), 14.794255, 1e-5);
    EXPECT_NEAR(doc.U(20, 1), 9.248488, 1e-5);
    EXPECT_EQ(doc.V(1, 1), 10);
    EXPECT_NEAR(doc.V(20, 10), 0.252341, 1e-5);
    EXPECT_EQ(doc.ValidCount, 200);
}

TEST(VecFile, GridsAboveTheNodeBoundAreRefusedBeforeTheLengthCheck) {
    // a 256-byte header claiming 8192 x 4096 nodes of the simple format
    VecHeader h;
    h.subType = 2;
    h.columns = 8192;
    h.rows = 2 * 4096;
    const std::string header = VecBytesRaw(h, {});
    VectorDocument doc;
    const ReadResult r = ReadVecBytes(header, doc);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text,
              "Das Vektorfeld mit 8192 x 4096 Vektoren ist zu groß; höchstens 16777216 Vektoren können geöffnet "
              "werden.");
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(r.messages[0].title, "Fehler beim Öffnen");
    EXPECT_TRUE(doc.Us.empty());

    // at the bound, a file too short for its frames is damaged as before
    h.columns = 4096;
    ExpectOnlyDamaged(ReadVecBytes(VecBytesRaw(h, {}), doc = VectorDocument()));
}
