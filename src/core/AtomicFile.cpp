#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

bool PwriteAll(int fd, const char *p, size_t n, off_t at) {
    while (n > 0) {
        const ssize_t got = ::pwrite(fd, p, n, at);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        n -= static_cast<size_t>(got);
        at += got;
    }
    return true;
}

// Makes the rename itself durable. Some file systems cannot sync a folder;
// the new content is complete by then, so a failure here changes nothing.
void SyncFolderOf(const std::string &path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    pending_ = std::string();
    old_ = std::string();
}

bool AtomicFileWriter::Open(const std::string &target) {
    Discard();
    target_ = target;
    failed_ = false;
    inPlace_ = false;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && (S_ISDIR(st.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;
    std::vector<char> name(target.begin(), target.end());
    const char suffix[] = ".tmp-XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    const int fd = FaultStrikes(FileStep::Open) ? -1 : ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        const bool folderRefuses = errno == EACCES || errno == EPERM || errno == EROFS;
        return exists && S_ISREG(st.st_mode) && folderRefuses && OpenInPlace();
    }
    fd_ = fd;
    temp_ = name.data();
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
    // without the old bytes a failed write could not be undone
    if (!ReadWholeFile(target_, old_)) return false;
    const int fd = ::open(target_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        old_ = std::string();
        return false;
    }
    fd_ = fd;
    inPlace_ = true;
    return true;
}

bool AtomicFileWriter::Drain() {
    const bool ok = WriteAll(fd_, pending_.data(), pending_.size());
    pending_.clear();
    return ok;
}

bool AtomicFileWriter::Write(const void *data, size_t size) {
    if (fd_ < 0 || failed_) return false;
    if (FaultStrikes(FileStep::Write)) {
        failed_ = true;
        return false;
    }
    const char *p = static_cast<const char *>(data);
    // in place nothing touches the target before the content is complete
    if (inPlace_ || pending_.size() + size <= kBufferSize) {
        pending_.append(p, size);
        return true;
    }
    if (!Drain()) {
        failed_ = true;
        return false;
    }
    if (size < kBufferSize)
        pending_.append(p, size);
    else if (!WriteAll(fd_, p, size))
        failed_ = true;
    return !failed_;
}

SaveResult AtomicFileWriter::Commit() {
    if (fd_ < 0) return SaveResult::OpenFailed;
    if (inPlace_) return CommitInPlace();
    bool ok = !failed_ && !FaultStrikes(FileStep::Flush) && Drain();
    ok = ok && !FaultStrikes(FileStep::Sync) && ::fsync(fd_) == 0;
    ok = (::close(fd_) == 0) && ok;
    fd_ = -1;
    if (ok && !FaultStrikes(FileStep::Rename) && std::rename(temp_.c_str(), target_.c_str()) == 0) {
        temp_.clear();
        pending_ = std::string();
        SyncFolderOf(target_);
        return SaveResult::Ok;
    }
    Discard();
    return SaveResult::WriteFailed;
}

SaveResult AtomicFileWriter::CommitInPlace() {
    bool ok = !failed_ && !FaultStrikes(FileStep::Flush) && PwriteAll(fd_, pending_.data(), pending_.size(), 0) &&
              ::ftruncate(fd_, static_cast<off_t>(pending_.size())) == 0;
    ok = ok && !FaultStrikes(FileStep::Sync) && ::fsync(fd_) == 0;
    if (!ok && !failed_) {
        // something of the new content may have reached the file: put the old back
        PwriteAll(fd_, old_.data(), old_.size(), 0);
        ::ftruncate(fd_, static_cast<off_t>(old_.size()));
        ::fsync(fd_);
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
