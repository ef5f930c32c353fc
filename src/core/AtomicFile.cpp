#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace sx {

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

bool AtomicFileWriter::Open(const std::string &target) {
    Discard();
    target_ = target;
    failed_ = false;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && (S_ISDIR(st.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;
    std::vector<char> name(target.begin(), target.end());
    const char suffix[] = ".tmp-XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    temp_ = name.data();
    mode_t mode;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        Discard();
        return false;
    }
    static thread_local std::vector<char> buffer(1 << 20);
    std::setvbuf(file_, buffer.data(), _IOFBF, buffer.size());
    return true;
}

bool AtomicFileWriter::Write(const void *data, size_t size) {
    if (!file_ || failed_) return false;
    if (size && std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
}

SaveResult AtomicFileWriter::Commit() {
    if (!file_) return SaveResult::OpenFailed;
    bool ok = !failed_ && std::fflush(file_) == 0 && !std::ferror(file_);
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (ok && std::rename(temp_.c_str(), target_.c_str()) == 0) {
        temp_.clear();
        return SaveResult::Ok;
    }
    Discard();
    return SaveResult::WriteFailed;
}

SaveResult WriteFileAtomically(const std::string &target, const std::string &bytes) {
    AtomicFileWriter w;
    if (!w.Open(target)) return SaveResult::OpenFailed;
    w.Write(bytes);
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
