#include "AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

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
    const ino_t inode = Inode();
    {
        // the folder refuses the temporary file once; the target itself opens
        InjectedFileFault folder(FileStep::Open, EACCES, 1);
        AtomicFileWriter w;
        ASSERT_TRUE(w.Open(target));
        EXPECT_TRUE(w.InPlace());
        w.Write("kurz");
        EXPECT_EQ(Content(), kOld);  // untouched until the content is complete
        ASSERT_EQ(w.Commit(), SaveResult::Ok);
    }
    EXPECT_EQ(Content(), "kurz");  // the longer old content is cut off
    EXPECT_EQ(Inode(), inode);
    EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});

    // a refusal for any other reason does not fall back
    InjectedFileFault full(FileStep::Open, ENOSPC, 1);
    EXPECT_EQ(WriteFileAtomically(target, "x"), SaveResult::OpenFailed);
    EXPECT_EQ(Content(), "kurz");
}

TEST_F(AtomicFile, AFailedWriteInPlacePutsTheOldBytesBack) {
    const std::string longer = kOld + kOld + kOld;
    for (FileStep step : {FileStep::Write, FileStep::Flush, FileStep::Sync}) {
        for (int error : {ENOSPC, EIO}) {
            SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(step) << " errno " << error);
            InjectedFileFault folder(FileStep::Open, EACCES, 1);
            InjectedFileFault fault(step, error);
            AtomicFileWriter w;
            ASSERT_TRUE(w.Open(target));
            ASSERT_TRUE(w.InPlace());
            w.Write(longer);
            EXPECT_EQ(w.Commit(), SaveResult::WriteFailed);
            EXPECT_EQ(Content(), kOld);
            EXPECT_EQ(Files(), std::vector<std::string>{"feld.sdx"});
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
