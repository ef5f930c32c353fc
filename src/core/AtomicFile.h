#pragma once
// Writes a file beside its target and renames it over the target only when
// every byte was written and synced, so a failed save or a power cut never
// destroys the file on disk.

#include <cstddef>
#include <string>

namespace sx {

enum class SaveResult { Ok, OpenFailed, WriteFailed };

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // False when the target is write-protected or nothing can be opened.
    // When the folder refuses a temporary file but the target itself is
    // writable, the target is rewritten in place at Commit instead, with its
    // old bytes held in memory and put back if that write fails.
    bool Open(const std::string &target);
    bool Write(const void *data, size_t size);
    bool Write(const std::string &s) { return Write(s.data(), s.size()); }
    // Flushes, syncs and renames the temporary file over the target, then
    // syncs the folder; on any failure the target keeps its old content and
    // no temporary file is left.
    SaveResult Commit();
    // The target is being rewritten in place (the folder is not writable).
    bool InPlace() const { return inPlace_; }

private:
    bool OpenInPlace();
    bool Drain();
    SaveResult CommitInPlace();
    void Discard();

    std::string target_, temp_;
    int fd_ = -1;
    bool inPlace_ = false;
    bool failed_ = false;
    std::string pending_;  // bytes not yet written; in place: the whole new content
    std::string old_;      // in place: the content to put back
};

// Whole content at once.
SaveResult WriteFileAtomically(const std::string &target, const void *data, size_t size);
inline SaveResult WriteFileAtomically(const std::string &target, const std::string &bytes) {
    return WriteFileAtomically(target, bytes.data(), bytes.size());
}

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string &path, std::string &bytes);

// Test seam: the steps of a save that can be made to fail.
enum class FileStep { Open, Write, Flush, Sync, Rename };

// While it lives, the next `times` uses of `step` by any writer fail with
// the errno `error` (ENOSPC, EIO, EACCES, ...); times < 0 fails every use.
// Open covers the temporary file and the in-place opening, Write every
// Write call, Flush the writing of the buffered rest at Commit, Sync the
// fsync of the written file, Rename the final rename.
class InjectedFileFault {
public:
    InjectedFileFault(FileStep step, int error, int times = -1);
    ~InjectedFileFault();
    InjectedFileFault(const InjectedFileFault &) = delete;
    InjectedFileFault &operator=(const InjectedFileFault &) = delete;
    int Hits() const { return hits_; }

private:
    friend bool FaultStrikes(FileStep step);
    FileStep step_;
    int error_;
    int times_;
    int hits_ = 0;
};

}  // namespace sx
