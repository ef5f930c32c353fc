#pragma once
// Writes a file beside its target and renames it over the target only when
// every byte was written and synced, so a failed save or a power cut never
// destroys the file on disk. A target that is a symbolic link is resolved:
// the file it points to is replaced and the link stays.

#include <sys/types.h>

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

    // False when the target is write-protected, a link that leads nowhere,
    // or nothing can be opened. Removes the temporary files that earlier
    // saves of the same target left behind (killed before their commit).
    // When the folder refuses a temporary file but the target itself is
    // writable, the target is rewritten in place at Commit instead: its old
    // bytes and the new content wait in an unnamed file in $TMPDIR or /tmp
    // (in memory when no such file can be made, or once it is full), and the
    // old bytes are put back if that write fails.
    bool Open(const std::string &target);
    bool Write(const void *data, size_t size);
    bool Write(const std::string &s) { return Write(s.data(), s.size()); }
    // Flushes, syncs and renames the temporary file over the target, then
    // syncs the folder; on any failure the target keeps its old content and
    // no temporary file is left.
    SaveResult Commit();
    // The target is being rewritten in place (the folder is not writable).
    bool InPlace() const { return inPlace_; }
    // In place, the bytes wait in an unnamed file rather than in memory.
    bool Spooled() const { return inPlace_ && fd_ >= 0; }

private:
    bool Opened() const { return fd_ >= 0 || targetFd_ >= 0; }
    bool OpenInPlace();
    bool OpenSpool();
    // Appends to the spool; how many bytes reached it.
    size_t SpoolAppend(const char *p, size_t size);
    // Moves the spool's bytes and `rest` of the new content to memory.
    bool Unspool(const char *rest, size_t size);
    // Writes on to the temporary file or the spool.
    bool Put(const char *p, size_t size);
    bool Drain();
    SaveResult CommitInPlace();
    void Discard();

    std::string target_, temp_;
    int fd_ = -1;        // the temporary file; in place the spool, or -1 when the bytes stay in memory
    int lockFd_ = -1;    // holds the temporary file's lock until the rename, so no other save takes it for a leftover
    int targetFd_ = -1;  // in place: the target
    bool inPlace_ = false;
    bool failed_ = false;
    std::string pending_;  // bytes not yet written; in place in memory: the whole new content
    std::string old_;      // in place in memory: the content to put back
    off_t oldSize_ = 0;    // in place: the length to restore (spooled: the old bytes lead the spool)
    off_t spoolSize_ = 0;  // the bytes that reached the spool, counted here so that a short write loses none
};

// Whole content at once.
SaveResult WriteFileAtomically(const std::string &target, const void *data, size_t size);
inline SaveResult WriteFileAtomically(const std::string &target, const std::string &bytes) {
    return WriteFileAtomically(target, bytes.data(), bytes.size());
}

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string &path, std::string &bytes);

// Test seam: the steps of a save that can be made to fail.
enum class FileStep { Open, Write, Flush, Sync, Rename, Spool, SpoolWrite };

// While it lives, the next `times` uses of `step` by any writer fail with
// the errno `error` (ENOSPC, EIO, EACCES, ...); times < 0 fails every use.
// Open covers the temporary file and the in-place opening, Write every
// Write call, Flush the writing of the buffered rest at Commit, Sync the
// fsync of the written file, Rename the final rename, Spool the making of
// the unnamed file of an in-place save (which then keeps its bytes in memory)
// and the reading back of a full one, SpoolWrite each writing of new content
// to that file (half the piece gets there, as when the disk fills; the save
// goes on in memory).
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
