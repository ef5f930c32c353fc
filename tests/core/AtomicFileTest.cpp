#include "AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "PeakMemory.h"

using namespace sx;
namespace fs = std::filesystem;

namespace {

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("atomic-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        target = (dir / "feld.sdx").string();
        ASSERT_EQ(WriteFileAtomically(target, kOld), SaveResult::Ok);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    std::string Content() const {
        std::string s;
        EXPECT_TRUE(ReadWholeFile(target, s));
        return s;
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        return names;
    }
    ino_t Inode() const {
        struct stat st {};
        ::stat(target.c_str(), &st);
        return st.st_ino;
    }

    const std::string kOld = "alter Inhalt, der bleiben soll";
    fs::path dir;
    std::string target;
};

const FileStep kSteps[] = {FileStep::Open, FileStep::Write, FileStep::Flush, FileStep::Sync, FileStep::Rename};
const int kErrors[] = {ENOSPC, EIO, EACCES};

}  // namespace

TEST_F(AtomicFile, ReplacesTheTargetAndKeepsItsMode) {
    ::chmod(target.c_str(), 0640);
    const std::string big(3 * 1024 * 1024 + 17, 'x');  // more than the buffer, in pieces and at once
    AtomicFileWriter w;
    ASSERT_TRUE(w.Open(target));
    EXPECT_FALSE(w.InPlace());
    ASSERT_TRUE(w.Write("kopf"));
    ASSERT_TRUE(w.Write(big));
    for (int k = 0; k < 1000; ++k) ASSERT_TRUE(w.Write(std::string(1000, 'y')));
    EXPECT_EQ(Content(), kOld);  // nothing visible before the commit
    ASSERT_EQ(w.Commit(), SaveResult::Ok);
    EXPECT_EQ(Content(), "kopf" + big + std::string(1000000, 'y'));
    EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(AtomicFile, EveryFailingStepLeavesTheOldFileAndNoTemporaryFile) {
    for (FileStep step : kSteps) {
        for (int error : kErrors) {
            SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(step) << " errno " << error);
            InjectedFileFault fault(step, error);
            const SaveResult r = WriteFileAtomically(target, "neu");
            EXPECT_EQ(r, step == FileStep::Open ? SaveResult::OpenFailed : SaveResult::WriteFailed);
            EXPECT_GE(fault.Hits(), 1);
            EXPECT_EQ(Content(), kOld);
            EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
        }
    }
    // the seam is gone with its object
    EXPECT_EQ(WriteFileAtomically(target, "neu"), SaveResult::Ok);
    EXPECT_EQ(Content(), "neu");
}

TEST_F(AtomicFile, AWriterAbandonedBeforeCommitRemovesItsTemporaryFile) {
    {
        AtomicFileWriter w;
        ASSERT_TRUE(w.Open(target));
        w.Write("halb");
        EXPECT_EQ(Files().size(), 2u);
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
    EXPECT_EQ(Content(), kOld);
}

TEST_F(AtomicFile, NewFilesAndRefusedTargets) {
    const std::string fresh = (dir / "neu.dat").string();
    EXPECT_EQ(WriteFileAtomically(fresh, "a"), SaveResult::Ok);
    EXPECT_EQ(WriteFileAtomically((dir / "weg" / "x.dat").string(), "a"), SaveResult::OpenFailed);
    EXPECT_EQ(WriteFileAtomically(dir.string(), "a"), SaveResult::OpenFailed);  // a folder
    // a new file in a folder that refuses it: nothing to rewrite in place
    InjectedFileFault fault(FileStep::Open, EACCES, 1);
    EXPECT_EQ(WriteFileAtomically((dir / "zweit.dat").string(), "a"), SaveResult::OpenFailed);
    EXPECT_FALSE(fs::exists(dir / "zweit.dat"));
}

TEST_F(AtomicFile, AFolderWithoutWriteRightsIsWrittenInPlace) {
    // the bytes wait in an unnamed file, or in memory when none can be made
    for (bool spooled : {true, false}) {
        SCOPED_TRACE(spooled ? "spooled" : "in memory");
        ASSERT_EQ(WriteFileAtomically(target, kOld), SaveResult::Ok);
        const ino_t inode = Inode();
        // the folder refuses the temporary file once; the target itself opens
        InjectedFileFault folder(FileStep::Open, EACCES, 1);
        InjectedFileFault noSpool(FileStep::Spool, EIO, spooled ? 0 : 1);
        AtomicFileWriter w;
        ASSERT_TRUE(w.Open(target));
        EXPECT_TRUE(w.InPlace());
        EXPECT_EQ(w.Spooled(), spooled);
        w.Write("kurz");
        EXPECT_EQ(Content(), kOld);  // untouched until the content is complete
        ASSERT_EQ(w.Commit(), SaveResult::Ok);
        EXPECT_EQ(Content(), "kurz");  // the longer old content is cut off
        EXPECT_EQ(Inode(), inode);
        EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
    }

    // a refusal for any other reason does not fall back
    InjectedFileFault full(FileStep::Open, ENOSPC, 1);
    EXPECT_EQ(WriteFileAtomically(target, "x"), SaveResult::OpenFailed);
    EXPECT_EQ(Content(), "kurz");
}

TEST_F(AtomicFile, AFailedWriteInPlacePutsTheOldBytesBack) {
    const std::string longer = kOld + kOld + kOld;
    for (bool spooled : {true, false}) {
        for (FileStep step : {FileStep::Write, FileStep::Flush, FileStep::Sync}) {
            for (int error : {ENOSPC, EIO}) {
                SCOPED_TRACE(testing::Message() << (spooled ? "spooled" : "in memory") << ", step "
                                                << static_cast<int>(step) << " errno " << error);
                InjectedFileFault folder(FileStep::Open, EACCES, 1);
                InjectedFileFault noSpool(FileStep::Spool, EIO, spooled ? 0 : 1);
                InjectedFileFault fault(step, error);
                AtomicFileWriter w;
                ASSERT_TRUE(w.Open(target));
                ASSERT_TRUE(w.InPlace());
                ASSERT_EQ(w.Spooled(), spooled);
                w.Write(longer);
                EXPECT_EQ(w.Commit(), SaveResult::WriteFailed);
                EXPECT_EQ(Content(), kOld);
                EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
            }
        }
    }
    // the in-place opening itself can fail too
    InjectedFileFault fault(FileStep::Open, EACCES);
    EXPECT_EQ(WriteFileAtomically(target, "neu"), SaveResult::OpenFailed);
    EXPECT_EQ(Content(), kOld);
}

TEST_F(AtomicFile, RealFolderWithoutWriteRights) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir.c_str(), W_OK) == 0) GTEST_SKIP() << "running as a user that may write anything";
    EXPECT_EQ(WriteFileAtomically(target, "neu"), SaveResult::Ok);
    EXPECT_EQ(Content(), "neu");
    EXPECT_EQ(WriteFileAtomically((dir / "anders.dat").string(), "neu"), SaveResult::OpenFailed);
    ::chmod(target.c_str(), 0444);
    EXPECT_EQ(WriteFileAtomically(target, "nochmal"), SaveResult::OpenFailed);
    EXPECT_EQ(Content(), "neu");
}

TEST_F(AtomicFile, InPlaceALargeFileWaitsOnDiskNotInMemory) {
    // 48 MB of old bytes and 48 MB of new content: held in memory they would
    // add some 100 MB; spooled, only the copying buffers
    constexpr size_t kSize = size_t{48} << 20;
    std::string old(kSize, 'a'), fresh(kSize, 'b');
    for (size_t k = 0; k < kSize; k += 4096) old[k] = static_cast<char>('A' + k % 23);
    ASSERT_EQ(WriteFileAtomically(target, old), SaveResult::Ok);
    for (bool fails : {true, false}) {
        SCOPED_TRACE(fails ? "sync fails" : "succeeds");
        InjectedFileFault folder(FileStep::Open, EACCES, 1);
        InjectedFileFault sync(FileStep::Sync, EIO, fails ? 1 : 0);
        SaveResult r = SaveResult::OpenFailed;
        const std::optional<double> peak = PeakGrowthMiB([&] { r = WriteFileAtomically(target, fresh); });
        EXPECT_EQ(folder.Hits(), 1);
        EXPECT_EQ(r, fails ? SaveResult::WriteFailed : SaveResult::Ok);
        if (peak) {
            EXPECT_LT(*peak, 24.0);
        }
        // all or nothing: the whole old file back, or the whole new one
        EXPECT_TRUE(Content() == (fails ? old : fresh));
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
}

TEST_F(AtomicFile, InPlaceASpoolThatFillsHandsItsBytesToMemory) {
    // bytes without a period, so that a lost or doubled piece shows
    const auto noise = [](size_t size, uint32_t x) {
        std::string s(size, '\0');
        for (char &c : s) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
        return s;
    };
    const std::string old = noise((size_t{2} << 20) + 11, 1), fresh = noise((size_t{5} << 20) + 333, 2);
    enum Outcome { Saves, ReadBackFails, TargetFails };
    for (bool atCommit : {false, true}) {
        for (Outcome outcome : {Saves, ReadBackFails, TargetFails}) {
            SCOPED_TRACE(testing::Message()
                         << (atCommit ? "full at the commit" : "full while writing") << ", outcome " << outcome);
            ASSERT_EQ(WriteFileAtomically(target, old), SaveResult::Ok);
            const ino_t inode = Inode();
            InjectedFileFault folder(FileStep::Open, EACCES, 1);
            AtomicFileWriter w;
            ASSERT_TRUE(w.Open(target));
            ASSERT_TRUE(w.Spooled());
            // pieces above the buffer's size and below it, so both ways to the spool are taken
            const auto write = [&](size_t from, size_t to) {
                for (size_t k = 0; from < to; ++k) {
                    const size_t n = std::min(to - from, k % 3 == 0 ? size_t{1536} << 10 : size_t{99991});
                    w.Write(fresh.data() + from, n);
                    from += n;
                }
            };
            const size_t firstPart = atCommit ? fresh.size() - 5000 : size_t{3} << 20;
            write(0, firstPart);
            InjectedFileFault full(FileStep::SpoolWrite, outcome == Saves ? ENOSPC : EIO);
            InjectedFileFault readBack(FileStep::Spool, EIO, outcome == ReadBackFails ? -1 : 0);
            InjectedFileFault sync(FileStep::Sync, EIO, outcome == TargetFails ? -1 : 0);
            write(firstPart, fresh.size());
            EXPECT_EQ(Content(), old);  // untouched until the content is complete
            EXPECT_EQ(w.Commit(), outcome == Saves ? SaveResult::Ok : SaveResult::WriteFailed);
            EXPECT_EQ(full.Hits(), 1);
            EXPECT_FALSE(w.Spooled());
            EXPECT_TRUE(Content() == (outcome == Saves ? fresh : old));
            EXPECT_EQ(Inode(), inode);
            EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
        }
    }
}

// In place with its bytes in memory, a save larger than the memory left
// fails as a save: the program goes on and the file keeps its old bytes.
// Run in a child whose address space is capped a little above its use.
TEST_F(AtomicFile, InPlaceContentThatMemoryCannotHoldFailsTheSaveNotTheProgram) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not live under an address-space cap";
#endif
    const std::string old((size_t{48} << 20) + 7, 'a');
    ASSERT_EQ(WriteFileAtomically(target, old), SaveResult::Ok);
    const std::string piece(size_t{1} << 20, 'n');
    for (bool spoolFills : {false, true}) {
        SCOPED_TRACE(spoolFills ? "the spool fills" : "in memory from the start");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            InjectedFileFault folder(FileStep::Open, EACCES, 1);
            InjectedFileFault noSpool(FileStep::Spool, EIO, spoolFills ? 0 : -1);
            InjectedFileFault full(FileStep::SpoolWrite, ENOSPC, spoolFills ? -1 : 0);
            const long pages = StatusKiB("VmSize:") / 4;  // what the child has mapped now, in 4 KiB pages
            const rlimit cap{static_cast<rlim_t>(pages + (160 << 8)) * 4096, RLIM_INFINITY};  // and 160 MiB more
            try {
                AtomicFileWriter w;
                if (::setrlimit(RLIMIT_AS, &cap) != 0 || !w.Open(target)) ::_exit(2);
                for (int k = 0; k < 400 && w.Write(piece); ++k) {}
                ::_exit(w.Commit() == SaveResult::WriteFailed ? 0 : 3);
            } catch (...) {
                ::_exit(4);  // what would end the program
            }
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "the child died of signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_TRUE(Content() == old);
        EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
    }
}

TEST_F(AtomicFile, ThroughASymbolicLinkTheFileItPointsToIsReplaced) {
    fs::create_directories(dir / "daten");
    const fs::path real = dir / "daten" / "echt.sdx";
    ASSERT_EQ(WriteFileAtomically(real.string(), kOld), SaveResult::Ok);
    fs::create_symlink("daten/echt.sdx", dir / "link.sdx");
    fs::create_symlink("link.sdx", dir / "kette.sdx");  // a link to a link
    auto read = [](const fs::path &p) {
        std::string s;
        EXPECT_TRUE(ReadWholeFile(p.string(), s));
        return s;
    };
    EXPECT_EQ(WriteFileAtomically((dir / "link.sdx").string(), "eins"), SaveResult::Ok);
    EXPECT_EQ(read(real), "eins");
    EXPECT_EQ(WriteFileAtomically((dir / "kette.sdx").string(), "zwei"), SaveResult::Ok);
    EXPECT_EQ(read(real), "zwei");
    {
        // in place too (the folder refuses the temporary file)
        InjectedFileFault folder(FileStep::Open, EACCES, 1);
        EXPECT_EQ(WriteFileAtomically((dir / "link.sdx").string(), "drei"), SaveResult::Ok);
        EXPECT_EQ(folder.Hits(), 1);
    }
    EXPECT_EQ(read(real), "drei");
    EXPECT_TRUE(fs::is_symlink(dir / "link.sdx"));
    EXPECT_EQ(fs::read_symlink(dir / "link.sdx"), "daten/echt.sdx");
    EXPECT_TRUE(fs::is_symlink(dir / "kette.sdx"));
    EXPECT_EQ(fs::read_symlink(dir / "kette.sdx"), "link.sdx");
    std::vector<std::string> beside;
    for (const auto &e : fs::directory_iterator(dir / "daten")) beside.push_back(e.path().filename().string());
    EXPECT_EQ(beside, std::vector<std::string>{"echt.sdx"});

    // links that lead nowhere are refused, and nothing changes
    fs::create_symlink("fehlt.sdx", dir / "lose.sdx");
    fs::create_symlink("schleife-b.sdx", dir / "schleife-a.sdx");
    fs::create_symlink("schleife-a.sdx", dir / "schleife-b.sdx");
    const std::vector<std::string> files = Files();
    for (const char *name : {"lose.sdx", "schleife-a.sdx"}) {
        SCOPED_TRACE(name);
        AtomicFileWriter w;
        EXPECT_FALSE(w.Open((dir / name).string()));
        EXPECT_EQ(w.Commit(), SaveResult::OpenFailed);
        EXPECT_EQ(WriteFileAtomically((dir / name).string(), "neu"), SaveResult::OpenFailed);
    }
    EXPECT_EQ(Files(), files);
    EXPECT_TRUE(fs::is_symlink(dir / "lose.sdx"));
    EXPECT_FALSE(fs::exists(dir / "fehlt.sdx"));
    EXPECT_EQ(read(real), "drei");
    EXPECT_EQ(Content(), kOld);
}

TEST_F(AtomicFile, TheNextSaveRemovesWhatKilledSavesOfTheSameFileLeft) {
    // a save killed halfway leaves its temporary file, full of new bytes
    const auto killASave = [&](const std::string &path) {
        const std::vector<std::string> before = Files();
        const pid_t child = ::fork();
        if (child == 0) {
            AtomicFileWriter w;
            if (w.Open(path)) w.Write(std::string(3 << 20, 'k'));
            ::_exit(0);  // no destructor, no commit
        }
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        std::vector<std::string> added;
        for (const std::string &name : Files())
            if (std::find(before.begin(), before.end(), name) == before.end()) added.push_back(name);
        EXPECT_EQ(added.size(), 1u) << path;
        return added.empty() ? std::string() : added[0];
    };
    const std::string leftover = killASave(target);
    const std::string prefix = ".feld.sdx.strudelax-";
    EXPECT_EQ(leftover.rfind(prefix, 0), 0u);
    EXPECT_EQ(leftover.size(), prefix.size() + 6);
    EXPECT_EQ(fs::file_size(dir / leftover), size_t{3} << 20);

    // names of the longest kind still save; two alike in their first 250 bytes keep apart
    std::string umlauts;
    for (int k = 0; k < 12; ++k) umlauts += "\xC3\xA4";
    const std::string longName = std::string(227, 'n') + umlauts + ".sdx",
                      twin = std::string(227, 'n') + umlauts + ".dat";
    ASSERT_EQ(longName.size(), 255u);
    for (const std::string &name : {longName, twin})
        ASSERT_EQ(WriteFileAtomically((dir / name).string(), "x"), SaveResult::Ok);
    const std::string longLeftover = killASave((dir / longName).string());
    const std::string twinLeftover = killASave((dir / twin).string());
    ASSERT_FALSE(longLeftover.empty() || twinLeftover.empty());

    // a user's files stay: the old pattern, and names not exactly this one
    const std::vector<std::string> others = {
        "feld.sdx.tmp-abcdef",        "feld.sdx.tmp-backup",         "feld.sdx.tmp-kopie1",
        ".feld.sdx.strudelax-abc12",  ".feld.sdx.strudelax-abc1234", ".feld.sdx.strudelax-ab_123",
        "feld.sdx.strudelax-abc123",  "..feld.sdx.strudelax-abc123", ".xfeld.sdx.strudelax-abc123",
        ".feld.dat.strudelax-abc123", ".feld.sdx.strudelax-abc123x", ".feld.sdx.strudel-abc123"};
    for (const std::string &name : others) ASSERT_EQ(WriteFileAtomically((dir / name).string(), "x"), SaveResult::Ok);
    fs::create_directory(dir / (prefix + "ordner"));
    fs::create_symlink("feld.sdx.tmp-abcdef", dir / (prefix + "zeiger"));
    // and so does the temporary file of a save still under way
    AtomicFileWriter running;
    ASSERT_TRUE(running.Open(target));
    ASSERT_TRUE(running.Write("laufend"));

    EXPECT_EQ(WriteFileAtomically(target, "neu"), SaveResult::Ok);
    EXPECT_EQ(Content(), "neu");
    EXPECT_FALSE(fs::exists(dir / leftover));
    for (const std::string &name : others) EXPECT_TRUE(fs::exists(dir / name)) << name;
    EXPECT_TRUE(fs::is_directory(dir / (prefix + "ordner")));
    EXPECT_TRUE(fs::is_symlink(dir / (prefix + "zeiger")));
    EXPECT_EQ(running.Commit(), SaveResult::Ok);
    EXPECT_EQ(Content(), "laufend");

    EXPECT_TRUE(fs::exists(dir / longLeftover));
    EXPECT_EQ(WriteFileAtomically((dir / longName).string(), "neu"), SaveResult::Ok);
    EXPECT_FALSE(fs::exists(dir / longLeftover));
    EXPECT_TRUE(fs::exists(dir / twinLeftover));
    EXPECT_EQ(WriteFileAtomically((dir / twin).string(), "neu"), SaveResult::Ok);
    EXPECT_FALSE(fs::exists(dir / twinLeftover));
}
