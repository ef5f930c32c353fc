#include "AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace sx {

namespace {

constexpr size_t kBufferSize = size_t{1} << 20;

std::vector<InjectedFileFault *> &Faults() {
    static std::vector<InjectedFileFault *> faults;
    return faults;
}

bool WriteAll(int fd, const char *p, size_t n) {
    while (n > 0) {
        const ssize_t got = ::write(fd, p, n);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        n -= static_cast<size_t>(got);
    }
    return true;
}

// How many of the bytes reached the file, also when a write stopped short.
size_t PwriteSome(int fd, const char *p, size_t n, off_t at) {
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pwrite(fd, p + done, n - done, at + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool PwriteAll(int fd, const char *p, size_t n, off_t at) { return PwriteSome(fd, p, n, at) == n; }

bool PreadAll(int fd, char *p, size_t n, off_t at) {
    while (n > 0) {
        const ssize_t got = ::pread(fd, p, n, at);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        n -= static_cast<size_t>(got);
        at += got;
    }
    return true;
}

// Copies `size` bytes at `from` of one file to `to` of another, a piece at a time.
bool CopyBytes(int src, off_t from, off_t size, int dst, off_t to) {
    std::unique_ptr<char[]> buf(new (std::nothrow) char[kBufferSize]);
    if (!buf) return false;
    while (size > 0) {
        const size_t want = static_cast<size_t>(std::min<off_t>(size, static_cast<off_t>(kBufferSize)));
        const ssize_t got = ::pread(src, buf.get(), want, from);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || !PwriteAll(dst, buf.get(), static_cast<size_t>(got), to)) return false;
        from += got;
        to += got;
        size -= got;
    }
    return true;
}

// Temporary files are ".NAME.strudelax-" and six letters or digits: hidden,
// and a name no user gives a file of their own.
const char kTempMark[] = ".strudelax-";
constexpr size_t kTempRandom = 6;  // mkostemp's XXXXXX

// The temporary files' name without the six characters, for a target
// named `name`. A name too long to take all of it keeps its start and a
// checksum of the whole, the same each time for the same name.
std::string TempPrefix(const std::string &name) {
    const size_t room = NAME_MAX - 1 - (sizeof kTempMark - 1) - kTempRandom;
    if (name.size() <= room) return "." + name + kTempMark;
    uint32_t sum = 2166136261u;  // FNV-1a
    for (const char c : name) sum = (sum ^ static_cast<unsigned char>(c)) * 16777619u;
    char tail[10];
    std::snprintf(tail, sizeof tail, "~%08x", static_cast<unsigned>(sum));
    size_t keep = room - (sizeof tail - 1);
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;  // not inside a UTF-8 character
    return "." + name.substr(0, keep) + tail + kTempMark;
}

// The part of a path after its last slash.
std::string BaseName(const std::string &path) { return path.substr(path.rfind('/') + 1); }

// The file a name leads to: the name itself unless it is a symbolic link,
// then the file at the end of the link's chain; false for a link that
// leads nowhere (dangling, looping).
bool ResolveLink(const std::string &name, std::string &file) {
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        file = name;
        return true;
    }
    char *real = ::realpath(name.c_str(), nullptr);
    if (!real) return false;
    file = real;
    std::free(real);
    return true;
}

// The folder a file lies in, as the system opens it.
std::string FolderForOpening(const std::string &path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Removes the temporary files beside `target` that earlier saves of it left
// when they were killed before their commit. A save still running holds the
// lock on its file, which is therefore left alone.
void RemoveLeftovers(const std::string &target) {
    const std::string folder = FolderForOpening(target);
    const std::string prefix = TempPrefix(BaseName(target));
    DIR *dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent *e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() != prefix.size() + kTempRandom || name.compare(0, prefix.size(), prefix) != 0) continue;
        if (!std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                         [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }))
            continue;
        const std::string path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// Makes the rename itself durable. Some file systems cannot sync a folder;
// the new content is complete by then, so a failure here changes nothing.
void SyncFolderOf(const std::string &path) {
    const int fd = ::open(FolderForOpening(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool FaultStrikes(FileStep step) {
    for (InjectedFileFault *f : Faults()) {
        if (f->step_ != step || f->times_ == 0) continue;
        if (f->times_ > 0) --f->times_;
        ++f->hits_;
        errno = f->error_;
        return true;
    }
    return false;
}

InjectedFileFault::InjectedFileFault(FileStep step, int error, int times) : step_(step), error_(error), times_(times) {
    Faults().push_back(this);
}

InjectedFileFault::~InjectedFileFault() {
    auto &f = Faults();
    f.erase(std::remove(f.begin(), f.end(), this), f.end());
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
    for (int *fd : {&fd_, &targetFd_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    if (lockFd_ >= 0) ::close(lockFd_);  // after the unlink: no other save may take the file before
    lockFd_ = -1;
    pending_ = std::string();
    old_ = std::string();
    oldSize_ = spoolSize_ = 0;
}

bool AtomicFileWriter::Open(const std::string &target) {
    Discard();
    failed_ = false;
    inPlace_ = false;
    if (!ResolveLink(target, target_)) return false;
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && (S_ISDIR(st.st_mode) || ::access(target_.c_str(), W_OK) != 0)) return false;
    RemoveLeftovers(target_);
    // beside the target: the rename must not leave its file system
    const std::string base = BaseName(target_);
    std::string name = target_.substr(0, target_.size() - base.size()) + TempPrefix(base) + "XXXXXX";
    const int fd = FaultStrikes(FileStep::Open) ? -1 : ::mkostemp(&name[0], O_CLOEXEC);
    if (fd < 0) {
        const bool folderRefuses = errno == EACCES || errno == EPERM || errno == EROFS;
        return exists && S_ISREG(st.st_mode) && folderRefuses && OpenInPlace();
    }
    fd_ = fd;
    temp_ = name;
    // a second descriptor keeps the lock while the first is closed before the rename
    lockFd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (lockFd_ >= 0) ::flock(lockFd_, LOCK_EX | LOCK_NB);
    mode_t mode;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd_, mode);
    pending_.reserve(kBufferSize);
    return true;
}

bool AtomicFileWriter::OpenInPlace() {
    if (FaultStrikes(FileStep::Open)) return false;
    const int fd = ::open(target_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    targetFd_ = fd;
    inPlace_ = true;
    if (OpenSpool()) return true;
    // without the old bytes a failed write could not be undone
    bool read = false;
    try {
        read = ReadWholeFile(target_, old_);
    } catch (const std::bad_alloc &) {  // in memory the save fails, not the program
    }
    if (!read) {
        Discard();
        inPlace_ = false;
        return false;
    }
    oldSize_ = static_cast<off_t>(old_.size());
    return true;
}

bool AtomicFileWriter::OpenSpool() {
    if (FaultStrikes(FileStep::Spool)) return false;
    int fd = -1;
    const char *const folders[] = {std::getenv("TMPDIR"), "/tmp"};
    for (const char *folder : folders) {
        if (!folder || !*folder) continue;
        fd = ::open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) break;
        // a file system without unnamed files: a named one, unlinked at once
        std::string name = std::string(folder) + "/strudelax-spool-XXXXXX";
        fd = ::mkostemp(&name[0], O_CLOEXEC);
        if (fd >= 0) {
            ::unlink(name.c_str());
            break;
        }
    }
    if (fd < 0) return false;
    // the old bytes lead the spool; the new content follows them
    const off_t size = ::lseek(targetFd_, 0, SEEK_END);
    if (size < 0 || !CopyBytes(targetFd_, 0, size, fd, 0)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    oldSize_ = spoolSize_ = size;
    return true;
}

size_t AtomicFileWriter::SpoolAppend(const char *p, size_t n) {
    size_t room = n;
    int error = 0;
    if (FaultStrikes(FileStep::SpoolWrite)) {
        error = errno;
        room = n / 2;  // as a disk that fills takes part of a piece
    }
    const size_t done = PwriteSome(fd_, p, room, spoolSize_);
    spoolSize_ += static_cast<off_t>(done);
    if (error != 0) errno = error;
    return done;
}

bool AtomicFileWriter::Unspool(const char *rest, size_t size) {
    if (FaultStrikes(FileStep::Spool)) return false;
    std::string old(static_cast<size_t>(oldSize_), '\0');
    std::string fresh(static_cast<size_t>(spoolSize_ - oldSize_), '\0');
    if (!PreadAll(fd_, &old[0], old.size(), 0) || !PreadAll(fd_, &fresh[0], fresh.size(), oldSize_)) return false;
    fresh.append(rest, size);  // before pending_ changes: the rest may lie in it
    old_ = std::move(old);
    pending_ = std::move(fresh);
    ::close(fd_);
    fd_ = -1;
    return true;
}

bool AtomicFileWriter::Put(const char *p, size_t size) {
    if (!inPlace_) return WriteAll(fd_, p, size);
    const size_t done = SpoolAppend(p, size);
    return done == size || Unspool(p + done, size - done);
}

bool AtomicFileWriter::Drain() {
    if (pending_.empty()) return true;
    const bool ok = Put(pending_.data(), pending_.size());
    if (fd_ >= 0) pending_.clear();  // in memory now, it holds the whole new content
    return ok;
}

bool AtomicFileWriter::Write(const void *data, size_t size) {
    if (!Opened() || failed_) return false;
    if (FaultStrikes(FileStep::Write)) {
        failed_ = true;
        return false;
    }
    const char *p = static_cast<const char *>(data);
    try {
        // in place nothing touches the target before the content is complete
        if ((inPlace_ && fd_ < 0) || pending_.size() + size <= kBufferSize) {
            pending_.append(p, size);
            return true;
        }
        if (!Drain()) {
            failed_ = true;
            return false;
        }
        if (size < kBufferSize || fd_ < 0)
            pending_.append(p, size);
        else if (!Put(p, size))
            failed_ = true;
    } catch (const std::bad_alloc &) {
        // content that must wait in memory and does not fit: the save fails, the target stays
        failed_ = true;
    }
    return !failed_;
}

SaveResult AtomicFileWriter::Commit() {
    if (!Opened()) return SaveResult::OpenFailed;
    if (inPlace_) {
        try {
            return CommitInPlace();
        } catch (const std::bad_alloc &) {  // the move to memory comes before the target is touched
            Discard();
            return SaveResult::WriteFailed;
        }
    }
    bool ok = !failed_ && !FaultStrikes(FileStep::Flush) && Drain();
    ok = ok && !FaultStrikes(FileStep::Sync) && ::fsync(fd_) == 0;
    ok = (::close(fd_) == 0) && ok;
    fd_ = -1;
    if (ok && !FaultStrikes(FileStep::Rename) && std::rename(temp_.c_str(), target_.c_str()) == 0) {
        temp_.clear();
        Discard();
        SyncFolderOf(target_);
        return SaveResult::Ok;
    }
    Discard();
    return SaveResult::WriteFailed;
}

SaveResult AtomicFileWriter::CommitInPlace() {
    // the last bytes join the spool, or all move to memory when it is full
    bool ok = !failed_ && !FaultStrikes(FileStep::Flush) && (fd_ < 0 || Drain());
    const bool spooled = fd_ >= 0;
    bool touched = false;  // something of the new content may have reached the target
    off_t newSize = 0;
    if (ok && spooled) {
        touched = true;
        newSize = spoolSize_ - oldSize_;
        ok = CopyBytes(fd_, oldSize_, newSize, targetFd_, 0);
    } else if (ok) {
        touched = true;
        newSize = static_cast<off_t>(pending_.size());
        ok = PwriteAll(targetFd_, pending_.data(), pending_.size(), 0);
    }
    ok = ok && ::ftruncate(targetFd_, newSize) == 0;
    ok = ok && !FaultStrikes(FileStep::Sync) && ::fsync(targetFd_) == 0;
    if (!ok && touched) {
        if (spooled)
            CopyBytes(fd_, 0, oldSize_, targetFd_, 0);
        else
            PwriteAll(targetFd_, old_.data(), old_.size(), 0);
        ::ftruncate(targetFd_, oldSize_);
        ::fsync(targetFd_);
    }
    Discard();
    return ok ? SaveResult::Ok : SaveResult::WriteFailed;
}

SaveResult WriteFileAtomically(const std::string &target, const void *data, size_t size) {
    AtomicFileWriter w;
    if (!w.Open(target)) return SaveResult::OpenFailed;
    w.Write(data, size);
    return w.Commit();
}

bool ReadWholeFile(const std::string &path, std::string &bytes) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    struct stat st {};
    if (::fstat(::fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    bytes.clear();
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = bytes.empty() ? 0 : std::fread(&bytes[0], 1, bytes.size(), f);
    bool ok = got == bytes.size() && !std::ferror(f);
    // a file that grew while we read it: take the rest too
    char chunk[65536];
    size_t more;
    while (ok && (more = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, more);
    std::fclose(f);
    return ok;
}

}  // namespace sx
