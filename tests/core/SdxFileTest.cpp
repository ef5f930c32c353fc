#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>

#include <unistd.h>

#include "AtomicFile.h"
#include "BinaryIO.h"
#include "DocumentLimit.h"
#include "FileBytes.h"
#include "PeakMemory.h"
#include "SameField.h"
#include "SampleField.h"
#include "SaveFaults.h"
#include "SdxFile.h"

using namespace sx;

namespace {

VectorDocument SmallDocument() {
    VectorDocument d;
    d.Header.DateAndTime = "02.02.98 17:30:01";
    d.Header.Recording1 = "Bild A";
    d.Header.Recording2 = "Bild B";
    d.Header.FlowType = "Strömung";
    d.Header.PhaseType = "";
    d.Header.RecordingType = "PIV";
    d.Header.Algorithm = "FFT, 32";
    d.Header.ImageWidth = 1024;
    d.Header.ImageHeight = 768;
    d.Header.InterrogationWidth = 32;
    d.Header.InterrogationHeight = 16;
    d.Header.GridStepX = 16;
    d.Header.GridStepY = 8;
    d.Header.FirstColumnPixel = 24;
    d.Header.FirstRowPixel = 700;
    d.Header.PixelsPerCm = 120;
    d.Header.TimeInterval = 250;
    d.Resize(3, 2);
    for (int i = 1; i <= 3; ++i) d.PosX(i) = 1.5 * i;
    for (int j = 1; j <= 2; ++j) d.PosY(j) = -2.0 * j;
    for (int j = 1; j <= 2; ++j)
        for (int i = 1; i <= 3; ++i) {
            d.U(i, j) = i + 0.1 * j;
            d.V(i, j) = -i * 0.5 + j;
            d.Status(i, j) = (i + j) % 3 - 1;
        }
    d.ValidCount = 42;  // kept as stored, whatever the statuses say
    d.TrafoShiftX = 0.25;
    d.TrafoShiftY = -1;
    d.View.CritPointShown = true;
    d.CritPointX = 3;
    d.CritPointY = 4;
    d.GalileiU = 0.5;
    d.GalileiV = -0.5;
    d.Trajectories.Count = 2;
    d.Trajectories.Last = 2;
    d.Trajectories.X0[0] = 1;
    d.Trajectories.Y0[0] = 2;
    d.Trajectories.Step[0] = 0.01;
    d.Trajectories.Spare[0] = 7;
    d.Trajectories.X0[1] = 3;
    d.Trajectories.Y0[1] = 4;
    d.Trajectories.Step[1] = -0.01;
    d.VectorScale = 2.5;
    d.Colors[ColVector] = Rgb(1, 2, 3);
    d.BackMinValue = -5;
    d.BackNullValue = 0.5;
    d.BackMaxValue = 6;
    d.View.ShowHeader = false;
    d.View.ShowTable = true;
    d.View.ShowVectorfield = false;
    d.View.ShowCoordSystem = true;
    d.View.AspectRatioCorrection = false;
    d.View.Background = BackVorticity;
    d.SpareValue2 = 9.75;
    d.InfoText = "Zeile 1\r\nZeile 2";
    return d;
}

std::string Text(const std::string &s) {
    std::string out;
    ByteWriter w(out);
    w.Write(static_cast<int32_t>(s.size()));
    w.WriteBytes(s);
    return out;
}

// The same document, laid out field by field as the format prescribes.
std::string HandBuilt() {
    std::string f = "Strudelax";
    ByteWriter w(f);
    w.Write(int16_t{1});
    f += Text("02.02.98 17:30:01") + Text("Bild A") + Text("Bild B") + Text("Str\xF6mung") + Text("") + Text("PIV") +
         Text("FFT, 32");
    for (int32_t v : {1024, 768, 32, 16, 16, 8, 24, 700, 120, 250, 3, 2, 42}) w.Write(v);
    for (double x : {1.5, 3.0, 4.5}) w.Write(x);
    for (double y : {-2.0, -4.0}) w.Write(y);
    for (int j = 1; j <= 2; ++j)
        for (int i = 1; i <= 3; ++i) w.Write(i + 0.1 * j);
    for (int j = 1; j <= 2; ++j)
        for (int i = 1; i <= 3; ++i) w.Write(-i * 0.5 + j);
    for (int j = 1; j <= 2; ++j)
        for (int i = 1; i <= 3; ++i) w.Write(static_cast<int32_t>((i + j) % 3 - 1));
    w.Write(int32_t{0});
    w.Write(0.25);
    w.Write(-1.0);
    w.Write(int16_t{-1});
    for (double v : {3.0, 4.0, 0.5, -0.5}) w.Write(v);
    w.Write(int32_t{2});
    for (double v : {1.0, 2.0, 0.01, 7.0, 3.0, 4.0, -0.01, 0.0}) w.Write(v);
    w.Write(int32_t{2});
    w.Write(2.5);
    const ColorTable defaults = DefaultColors();
    for (int k = 0; k < ColorCount; ++k) w.Write(k == ColVector ? Rgb(1, 2, 3) : defaults[k]);
    for (int k = 0; k < 7; ++k) w.Write(int32_t{0});
    for (double v : {-5.0, 0.5, 6.0}) w.Write(v);
    w.Write(int32_t{2});
    for (double v : {0.0, 9.75, 0.0}) w.Write(v);
    w.Write(int16_t{-1});
    w.Write(int16_t{0});
    w.Write(int32_t{2});
    f += Text("Zeile 1\r\nZeile 2");
    w.Write(int32_t{-1});
    return f;
}

// Offsets in the hand-built file (its texts take 7 x 4 + 47 bytes).
constexpr size_t kGeometryAt = 9 + 2 + 7 * 4 + 47;
constexpr size_t kNxAt = kGeometryAt + 10 * 4;
constexpr size_t kArraysAt = kGeometryAt + 13 * 4;
constexpr size_t kUAt = kArraysAt + 3 * 8 + 2 * 8;
constexpr size_t kCountAt = kArraysAt + 3 * 8 + 2 * 8 + 6 * 8 * 2 + 6 * 4 + 4 + 16 + 2 + 32;

}  // namespace

TEST(SdxFile, WritesTheByteLayoutExactly) { EXPECT_EQ(SdxBytes(SmallDocument()), HandBuilt()); }

TEST(SdxFile, ReadsEveryStoredField) {
    VectorDocument d;
    SetLoadDefaults(d);
    ReadResult r = ReadSdxBytes(HandBuilt(), d);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    const VectorDocument e = SmallDocument();
    EXPECT_EQ(d.Header.FlowType, "Strömung");
    EXPECT_EQ(d.Header.Algorithm, "FFT, 32");
    EXPECT_EQ(d.Header.FirstRowPixel, 700);
    EXPECT_EQ(d.NX, 3);
    EXPECT_EQ(d.NY, 2);
    EXPECT_EQ(d.ValidCount, 42);
    EXPECT_EQ(d.PosXs, e.PosXs);
    EXPECT_EQ(d.PosYs, e.PosYs);
    EXPECT_EQ(d.Us, e.Us);
    EXPECT_EQ(d.Vs, e.Vs);
    EXPECT_EQ(d.Statuses, e.Statuses);
    EXPECT_EQ(d.BackValues.size(), 6u);
    EXPECT_TRUE(d.View.CritPointShown);
    EXPECT_EQ(d.GalileiV, -0.5);
    EXPECT_EQ(d.Trajectories.Count, 2);
    EXPECT_EQ(d.Trajectories.Spare[0], 7);
    EXPECT_EQ(d.Trajectories.Step[1], -0.01);
    EXPECT_EQ(d.VectorScale, 2.5);
    EXPECT_EQ(d.Colors[ColVector], Rgb(1, 2, 3));
    EXPECT_EQ(d.BackNullValue, 0.5);
    EXPECT_FALSE(d.View.ShowHeader);
    EXPECT_TRUE(d.View.ShowTable);
    EXPECT_FALSE(d.View.ShowVectorfield);
    EXPECT_TRUE(d.View.ShowCoordSystem);
    EXPECT_EQ(d.View.Background, BackVorticity);
    EXPECT_EQ(d.SpareValue2, 9.75);
    EXPECT_EQ(d.InfoText, "Zeile 1\r\nZeile 2");
}

TEST(SdxFile, BufferBackgroundIsNotStoredAndTextsOutsideTheCodePageDegrade) {
    VectorDocument d = SmallDocument();
    d.View.Background = BackFromBuffer;
    d.Header.Recording1 = "Wirbel \xE2\x86\xBB";  // a symbol outside Windows-1252
    VectorDocument back;
    ASSERT_TRUE(ReadSdxBytes(SdxBytes(d), back).ok);
    EXPECT_EQ(back.View.Background, BackNone);
    EXPECT_EQ(back.Header.Recording1, "Wirbel ?");
}

TEST(SdxFile, MoreThanFiftyStreamlinesWarnAndKeepTheRestOfTheFile) {
    VectorDocument d = SmallDocument();
    std::string bytes = SdxBytes(d);
    const size_t countAt = kCountAt;
    int32_t count;
    std::memcpy(&count, bytes.data() + countAt, 4);
    ASSERT_EQ(count, 2);
    std::string records;
    ByteWriter w(records);
    for (int k = 1; k <= 60; ++k)
        for (double v : {1.0 * k, 2.0 * k, 0.5, 0.0}) w.Write(v);
    std::string big = bytes.substr(0, countAt);
    ByteWriter wb(big);
    wb.Write(int32_t{60});
    big += records + bytes.substr(countAt + 4 + 2 * 32);
    VectorDocument back;
    ReadResult r = ReadSdxBytes(big, back);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Warnung: Es können nicht alle Stromlinien eingelesen werden!");
    EXPECT_EQ(r.messages[0].title, "Datei öffnen");
    EXPECT_EQ(back.Trajectories.Count, 50);
    EXPECT_EQ(back.Trajectories.X0[49], 50.0);
    EXPECT_EQ(back.VectorScale, 2.5);
    EXPECT_EQ(back.InfoText, d.InfoText);
}

TEST(SdxFile, WrongMagicShowsBothMessages) {
    std::string bytes = HandBuilt();
    bytes[0] = 's';
    VectorDocument d;
    ReadResult r = ReadSdxBytes(bytes, d);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].text, "Fehler: Dies ist keine gültige SDX-Datei!");
    EXPECT_EQ(r.messages[0].title, "Fehler beim Öffnen");
    EXPECT_EQ(r.messages[1].text, "Fehler in dieser SDX-Datei! Datei beschädigt oder falsches Format?");
    EXPECT_EQ(r.messages[1].buttons, MsgButtons::OkCancel);
}

TEST(SdxFile, MissingFileIsAnOpenFailure) {
    VectorDocument d;
    ReadResult r = ReadSdxFile("/nonexistent/folder/x.sdx", d);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text,
              "Öffnen dieser SDX-Datei fehlgeschlagen! Datei schreibgeschützt oder bereits verwendet?");
}

TEST(SdxFile, EveryTruncationIsAReadFailure) {
    const std::string bytes = HandBuilt();
    for (size_t n = 0; n < bytes.size(); ++n) {
        VectorDocument d;
        ReadResult r = ReadSdxBytes(bytes.substr(0, n), d);
        EXPECT_FALSE(r.ok) << "truncated at " << n;
        ASSERT_FALSE(r.messages.empty());
        EXPECT_EQ(r.messages.back().text, "Fehler in dieser SDX-Datei! Datei beschädigt oder falsches Format?");
    }
}

TEST(SdxFile, HostileSizesAndValuesAreRefusedWithoutHugeAllocations) {
    const std::string good = HandBuilt();
    const size_t nxAt = kNxAt;
    auto patched = [&](size_t at, int32_t v) {
        std::string b = good;
        std::memcpy(&b[at], &v, 4);
        return b;
    };
    for (int32_t nx : {0, -1, 1 << 30, INT32_MAX}) {
        VectorDocument d;
        EXPECT_FALSE(ReadSdxBytes(patched(nxAt, nx), d).ok) << nx;
    }
    VectorDocument d;
    EXPECT_FALSE(ReadSdxBytes(patched(nxAt + 4, 100000), d).ok);
    // a negative or huge text length in the first text
    EXPECT_FALSE(ReadSdxBytes(patched(11, -5), d).ok);
    EXPECT_FALSE(ReadSdxBytes(patched(11, INT32_MAX), d).ok);
    // a NaN in U
    std::string nan = good;
    const double q = std::nan("");
    std::memcpy(&nan[kUAt + 5 * 8], &q, 8);
    EXPECT_FALSE(ReadSdxBytes(nan, d).ok);
}

TEST(SdxFile, RandomMutationsNeverCrash) {
    const std::string good = HandBuilt();
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string b = good;
        const int flips = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < flips; ++k) b[rng() % b.size()] = static_cast<char>(rng() & 0xFF);
        if (rng() % 4 == 0) b.resize(rng() % b.size());
        VectorDocument d;
        ReadResult r = ReadSdxBytes(b, d);
        if (r.ok) {
            EXPECT_EQ(d.Us.size(), static_cast<size_t>(d.NX) * static_cast<size_t>(d.NY));
            EXPECT_LE(d.Trajectories.Count, 50);
            EXPECT_LE(d.Trajectories.Last, 50);
        }
    }
}

TEST(SdxFile, RoundTripThroughADiskFileKeepsTheOldFileOnFailure) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("sdx-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "feld.sdx").string();
    VectorDocument d = SmallDocument();
    ASSERT_EQ(WriteSdxFile(d, path), SaveResult::Ok);
    VectorDocument back;
    ASSERT_TRUE(ReadSdxFile(path, back).ok);
    EXPECT_EQ(SdxBytes(back), SdxBytes(d));
    // truncated copies on disk fail like truncated buffers
    const std::string bytes = SdxBytes(d);
    const std::string cut = (dir / "cut.sdx").string();
    for (size_t n = 0; n < bytes.size(); n += 7) {
        std::FILE *f = std::fopen(cut.c_str(), "wb");
        std::fwrite(bytes.data(), 1, n, f);
        std::fclose(f);
        VectorDocument t;
        EXPECT_FALSE(ReadSdxFile(cut, t).ok) << n;
    }
    fs::remove(cut);
    // a folder that is gone: the save fails and nothing is left behind
    EXPECT_NE(WriteSdxFile(d, (dir / "weg" / "feld.sdx").string()), SaveResult::Ok);
    // no temporary files remain beside the target
    int files = 0;
    for (auto &e : fs::directory_iterator(dir)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
    fs::remove_all(dir);
}

TEST(SdxFile, LargeSavesAreStreamedAndAFailedStepKeepsTheOldFile) {
    SampleFieldOptions o;
    o.nx = 500;
    o.ny = 400;
    VectorDocument d = MakeSampleField(o);
    d.InfoText = "gespeichert";
    TestFolder folder("sdx-streamed");
    const std::string path = folder.Path("feld.sdx");
    ASSERT_EQ(WriteSdxFile(d, path), SaveResult::Ok);
    std::string written;
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_GT(written.size(), 3u << 20);  // arrays larger than the writer's buffer
    EXPECT_TRUE(written == SdxBytes(d));
    d.U(3, 3) = 99;
    ExpectEveryFailedStepKeepsTheOldFile(folder, path, [&] { return WriteSdxFile(d, path); });
}

TEST(SdxFile, GridsAboveTheNodeBoundAreRefusedByTheirSize) {
    std::string b = HandBuilt();
    const int32_t nx = 5000, ny = 4000;
    std::memcpy(&b[kNxAt], &nx, 4);
    std::memcpy(&b[kNxAt + 4], &ny, 4);
    VectorDocument d;
    const ReadResult r = ReadSdxBytes(b, d);
    EXPECT_FALSE(r.ok);
    // one box naming the grid, not the damaged-file box as well
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text,
              "Das Vektorfeld mit 5000 x 4000 Vektoren ist zu groß; höchstens 16777216 Vektoren können geöffnet "
              "werden.");
    EXPECT_EQ(r.messages[0].title, "Fehler beim Öffnen");
    EXPECT_TRUE(d.Us.empty());

    // the same from a file on disk
    const std::string path = testing::TempDir() + "sdx_too_large.sdx";
    ASSERT_EQ(WriteFileAtomically(path, b), SaveResult::Ok);
    const ReadResult f = ReadSdxFile(path, d = VectorDocument());
    std::remove(path.c_str());
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].text, r.messages[0].text);
}

TEST(SdxFile, DocumentsTheReaderWouldRefuseAreNotWritten) {
    const std::string path = testing::TempDir() + "sdx_not_finite.sdx";
    const VectorDocument good = SmallDocument();
    ASSERT_EQ(WriteSdxFile(good, path), SaveResult::Ok);
    const std::string before = SdxBytes(good);
    const double nan = std::nan(""), inf = HUGE_VAL;
    std::vector<std::function<void(VectorDocument &)>> spoil = {
        [&](VectorDocument &d) { d.U(2, 1) = nan; },
        [&](VectorDocument &d) { d.V(3, 2) = -inf; },
        [&](VectorDocument &d) { d.PosX(1) = inf; },
        [&](VectorDocument &d) { d.PosY(2) = nan; },
        [&](VectorDocument &d) { d.GalileiU = nan; },
        [&](VectorDocument &d) { d.TrafoShiftY = inf; },
        [&](VectorDocument &d) { d.VectorScale = nan; },
        [&](VectorDocument &d) { d.BackMaxValue = inf; },
        [&](VectorDocument &d) { d.SpareValue3 = nan; },
        [&](VectorDocument &d) { d.Trajectories.Spare[1] = nan; },
        [&](VectorDocument &d) { d.Trajectories.Count = 51; },
        [&](VectorDocument &d) { d.Us.pop_back(); },
    };
    for (size_t k = 0; k < spoil.size(); ++k) {
        SCOPED_TRACE(k);
        VectorDocument d = SmallDocument();
        spoil[k](d);
        EXPECT_FALSE(SdxWritable(d));
        EXPECT_EQ(WriteSdxFile(d, path), SaveResult::WriteFailed);
        std::string kept;
        ASSERT_TRUE(ReadWholeFile(path, kept));
        EXPECT_EQ(kept, before);
    }
    // a NaN in a streamline slot beyond the stored ones is never written
    VectorDocument d = SmallDocument();
    d.Trajectories.X0[10] = nan;
    EXPECT_TRUE(SdxWritable(d));
    std::remove(path.c_str());
}

TEST(SdxFile, TextsAboveTheBoundOpenCutAndEveryOtherFieldIntact) {
    const std::string path = testing::TempDir() + "sdx_long_text.sdx";
    const std::string atBound(kMaxTextBytes, 'r');
    struct Case {
        const char *what;
        bool header, info;
    };
    for (const Case &c : {Case{"header text", true, false}, Case{"info text", false, true}, Case{"both", true, true}}) {
        SCOPED_TRACE(c.what);
        VectorDocument d = SmallDocument();
        VectorDocument want = d;
        // one byte over the bound, a later text a megabyte over
        if (c.header) {
            d.Header.Recording2 = atBound + "X";
            want.Header.Recording2 = atBound;
        }
        if (c.info) {
            d.InfoText = atBound + std::string(kMaxTextBytes, 'Y');
            want.InfoText = atBound;
        }
        const std::string bytes = SdxBytes(d);
        ASSERT_TRUE(WriteFileAtomically(path, bytes) == SaveResult::Ok);
        VectorDocument fromFile, fromBytes;
        for (const ReadResult &r : {ReadSdxFile(path, fromFile), ReadSdxBytes(bytes, fromBytes)}) {
            EXPECT_TRUE(r.ok);
            EXPECT_TRUE(r.messages.empty());
            EXPECT_TRUE(r.textsCut);
        }
        EXPECT_EQ(fromFile.Header.Recording2.size(), want.Header.Recording2.size());
        EXPECT_EQ(fromFile.InfoText.size(), want.InfoText.size());
        // everything else as stored, and the cut document saves again
        EXPECT_TRUE(SameField(fromFile, d));
        EXPECT_TRUE(SdxBytes(fromFile) == SdxBytes(want));
        EXPECT_TRUE(SdxBytes(fromBytes) == SdxBytes(want));
        EXPECT_TRUE(SdxWritable(fromFile));
    }
    // at the bound nothing is cut
    VectorDocument d = SmallDocument(), back;
    d.InfoText = atBound;
    const ReadResult r = ReadSdxBytes(SdxBytes(d), back);
    EXPECT_TRUE(r.ok && !r.textsCut);
    EXPECT_EQ(back.InfoText, atBound);
    std::remove(path.c_str());
}

TEST(SdxFile, AHugeTextIsSkippedAndALengthPastTheEndRefusedWithoutGrowingMemory) {
    const char kReadFailure[] = "Fehler in dieser SDX-Datei! Datei beschädigt oder falsches Format?";
    const std::string path = testing::TempDir() + "sdx_huge_text.sdx";
    // the first text 2 GiB long (a hole on disk), the rest of the document after it
    VectorDocument d = SmallDocument();
    d.Header.DateAndTime.clear();
    const std::string whole = SdxBytes(d);
    const size_t afterLength = 15;  // magic, version, the first text's length
    {
        std::string head = whole.substr(0, afterLength - 4);
        ByteWriter w(head);
        w.Write(int32_t{INT32_MAX});
        std::FILE *f = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(f);
        std::fwrite(head.data(), 1, head.size(), f);
        ASSERT_EQ(::fseeko(f, static_cast<off_t>(afterLength) + INT32_MAX, SEEK_SET), 0);
        std::fwrite(whole.data() + afterLength, 1, whole.size() - afterLength, f);
        std::fclose(f);
    }
    ReadResult r;
    VectorDocument back;
    std::optional<double> peak = PeakGrowthMiB([&] { r = ReadSdxFile(path, back); });
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.textsCut);
    d.Header.DateAndTime.assign(kMaxTextBytes, '\0');
    EXPECT_TRUE(SdxBytes(back) == SdxBytes(d));
    if (peak) {
        EXPECT_LT(*peak, 8.0);
    }

    // the same length in a small file points past its end: refused before anything is sized by it
    ASSERT_EQ(::truncate(path.c_str(), 4096), 0);
    peak = PeakGrowthMiB([&] { r = ReadSdxFile(path, back = VectorDocument()); });
    std::remove(path.c_str());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.textsCut);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, kReadFailure);
    if (peak) {
        EXPECT_LT(*peak, 8.0);
    }
}

TEST(SdxFile, AnInfoTextAboveTheBoundIsNotWritten) {
    const std::string path = testing::TempDir() + "sdx_long_info.sdx";
    const VectorDocument good = SmallDocument();
    ASSERT_EQ(WriteSdxFile(good, path), SaveResult::Ok);
    // the bound counts the file's bytes, one a character: umlauts take two bytes in memory
    VectorDocument d = SmallDocument();
    d.InfoText.clear();
    for (size_t k = 0; k < kMaxTextBytes; ++k) d.InfoText += "ä";
    std::optional<UserMessage> refusal;
    ASSERT_EQ(WriteSdxFile(d, path, &refusal), SaveResult::Ok);
    EXPECT_FALSE(refusal);
    VectorDocument back;
    ASSERT_TRUE(ReadSdxFile(path, back).ok);
    EXPECT_EQ(back.InfoText, d.InfoText);

    d.InfoText += "!";
    EXPECT_FALSE(SdxWritable(d));
    EXPECT_EQ(WriteSdxFile(d, path, &refusal), SaveResult::WriteFailed);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text,
              "Der Infotext ist zu lang: höchstens 1048576 Zeichen lassen sich speichern, ein längerer Text käme beim "
              "Öffnen abgeschnitten zurück. Kürzen Sie den Text.");
    EXPECT_EQ(refusal->title, "Fehler beim Speichern");
    EXPECT_EQ(refusal->icon, MsgIcon::Exclamation);
    EXPECT_EQ(refusal->buttons, MsgButtons::Ok);
    VectorDocument kept;
    ASSERT_TRUE(ReadSdxFile(path, kept).ok);
    EXPECT_EQ(kept.InfoText, back.InfoText);
    std::remove(path.c_str());
}
