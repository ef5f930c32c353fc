#pragma once
// A save that fails at each step of the atomic writer (open, write, flush,
// sync, rename) with no room, an I/O error or no permission: the result
// says so, the old file keeps its bytes and no temporary file is left.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "AtomicFile.h"

namespace sx {

// A folder of its own for one test, removed with it.
class TestFolder {
public:
    explicit TestFolder(const std::string &name)
        : dir_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~TestFolder() { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string &file) const { return (dir_ / file).string(); }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto &e : std::filesystem::directory_iterator(dir_)) names.insert(e.path().filename().string());
        return names;
    }

private:
    std::filesystem::path dir_;
};

// `save` writes `path`, which holds old bytes, in the folder.
inline void ExpectEveryFailedStepKeepsTheOldFile(const TestFolder &folder, const std::string &path,
                                                 const std::function<SaveResult()> &save) {
    std::string old;
    ASSERT_TRUE(ReadWholeFile(path, old));
    const std::set<std::string> files = folder.Files();
    for (FileStep step : {FileStep::Open, FileStep::Write, FileStep::Flush, FileStep::Sync, FileStep::Rename})
        for (int error : {ENOSPC, EIO, EACCES}) {
            SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(step) << ", errno " << error);
            InjectedFileFault fault(step, error);
            EXPECT_EQ(save(), step == FileStep::Open ? SaveResult::OpenFailed : SaveResult::WriteFailed);
            EXPECT_GE(fault.Hits(), 1);
            std::string now;
            EXPECT_TRUE(ReadWholeFile(path, now));
            EXPECT_TRUE(now == old) << "the old file changed";
            EXPECT_EQ(folder.Files(), files);
        }
}

}  // namespace sx
