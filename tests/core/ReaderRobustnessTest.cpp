// Damaged input of every kind must end in a clean failure or a consistent
// document, never in a crash (run under the sanitizers by `make sanitize`).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

#include "DatFile.h"
#include "DocumentLimit.h"
#include "FileBytes.h"
#include "ReadOutcome.h"
#include "SampleField.h"
#include "SdxFile.h"
#include "SplitMix64.h"
#include "VecFile.h"
#include "VecWriter.h"

using namespace sx;

namespace {

using Reader = std::function<ReadResult(const std::string &, VectorDocument &)>;

struct Format {
    const char *name;
    Reader read;
    std::string valid;
};

// Returns false (with a test failure) when the outcome is not sound.
bool CheckOutcome(const Reader &read, const std::string &bytes) {
    VectorDocument doc;
    SetLoadDefaults(doc);
    const ReadResult r = read(bytes, doc);
    const std::string fault = UnsoundReadOutcome(r, doc);
    EXPECT_EQ(fault, "");
    return fault.empty();
}

std::vector<Format> Formats() {
    SampleFieldOptions o;
    o.nx = 10;
    o.ny = 8;
    o.invalidShare = 0.1;
    o.removedShare = 0.05;
    const VectorDocument doc = MakeSampleField(o);
    int asked = 0;
    auto vec = [asked](const std::string &b, VectorDocument &d) mutable {
        return ReadVecBytes(b, d, [&](const UserMessage &) { return ++asked % 2 == 0; });
    };
    return {
        {"sdx", ReadSdxBytes, SdxBytes(doc)}, {"vec1", vec, VecBytes(doc, 1)},       {"vec2", vec, VecBytes(doc, 2)},
        {"vec3", vec, VecBytes(doc, 3)},      {"dat", ReadDatBytes, *DatBytes(doc)},
    };
}

std::string Mutate(const std::string &src, SplitMix64 &rnd, bool text) {
    std::string b = src;
    static const char kTextBytes[] = "0123456789 -.,:x\r\n_e";
    static const int32_t kExtremes[] = {0,     -1,     1,          2,         9,          10,        20,
                                        32767, -32768, 0x7FFFFFFF, INT32_MIN, 0x7F800000, 0x7FC00000};
    const size_t edits = 1 + rnd.Below(4);
    for (size_t e = 0; e < edits && !b.empty(); ++e) {
        const size_t at = rnd.Below(b.size());
        switch (rnd.Below(5)) {
            case 0: b[at] = static_cast<char>(rnd.Next()); break;
            case 1:
                b[at] = text ? kTextBytes[rnd.Below(sizeof kTextBytes - 1)] : static_cast<char>(rnd.Below(4));
                break;
            case 2: {  // an extreme number over 2 or 4 bytes
                const int32_t v = kExtremes[rnd.Below(sizeof kExtremes / sizeof kExtremes[0])];
                const size_t n = std::min<size_t>(rnd.Below(2) ? 4 : 2, b.size() - at);
                std::memcpy(&b[at], &v, n);
                break;
            }
            case 3: b.erase(at, 1 + rnd.Below(16)); break;
            default: b.insert(at, b.substr(rnd.Below(b.size()), 1 + rnd.Below(32))); break;
        }
    }
    return b;
}

}  // namespace

TEST(ReaderRobustness, EveryTruncationFailsCleanlyOrReadsConsistently) {
    for (const Format &f : Formats()) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(CheckOutcome(f.read, f.valid));
        for (size_t n = 0; n < f.valid.size(); ++n)
            if (!CheckOutcome(f.read, f.valid.substr(0, n))) FAIL() << "cut at " << n;
    }
}

TEST(ReaderRobustness, MutatedFilesNeverCrash) {
    SplitMix64 rnd(20240611);
    for (const Format &f : Formats()) {
        SCOPED_TRACE(f.name);
        const bool text = std::string(f.name) == "dat";
        for (int k = 0; k < 4000; ++k) {
            const std::string bad = Mutate(f.valid, rnd, text);
            if (!CheckOutcome(f.read, bad)) FAIL() << "mutation " << k;
        }
    }
}

TEST(ReaderRobustness, GrownGridsStopAtTheBoundWithAMessage) {
    // the sample fields have 80 nodes; mutations that claim more than 100 are refused
    struct Lowered {
        Lowered() { SetMaxDocumentNodes(100); }
        ~Lowered() { SetMaxDocumentNodes(kMaxDocumentNodes); }
    } lowered;
    SplitMix64 rnd(77);
    size_t refusedBySize = 0;
    for (const Format &f : Formats()) {
        SCOPED_TRACE(f.name);
        const bool text = std::string(f.name) == "dat";
        for (int k = 0; k < 3000; ++k) {
            const std::string bad = Mutate(f.valid, rnd, text);
            VectorDocument doc;
            const ReadResult r = f.read(bad, doc);
            if (r.ok) {
                EXPECT_LE(doc.NodeCount(), 100u);
            } else if (!r.messages.empty() && r.messages[0].text.rfind("Das Vektorfeld mit ", 0) == 0) {
                EXPECT_EQ(r.messages.size(), 1u);
                EXPECT_TRUE(doc.Us.empty());
                ++refusedBySize;
            }
        }
    }
    EXPECT_GT(refusedBySize, 0u);
}

TEST(ReaderRobustness, FuzzerFindingsStayFixed) {
    const std::filesystem::path root = std::filesystem::path(STRUDELAX_FIXTURES) / "fuzz";
    const std::pair<const char *, Reader> readers[] = {
        {"sdx", ReadSdxBytes},
        {"vec", [](const std::string &b,
                   VectorDocument &d) { return ReadVecBytes(b, d, [](const UserMessage &) { return true; }); }},
        {"dat", ReadDatBytes},
    };
    for (const auto &[name, read] : readers) {
        const std::filesystem::path dir = root / name;
        ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
        size_t fed = 0;
        for (const auto &entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file()) continue;
            std::string bytes;
            ASSERT_TRUE(ReadWholeFile(entry.path().string(), bytes));
            SCOPED_TRACE(entry.path().string());
            EXPECT_TRUE(CheckOutcome(read, bytes));
            ++fed;
        }
        EXPECT_GT(fed, 0u) << "no findings under " << dir;
    }
}
