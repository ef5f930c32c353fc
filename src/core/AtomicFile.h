#pragma once
// Writes a file beside its target and renames it over the target only when
// every byte was written, so a failed save never destroys the file on disk.

#include <cstddef>
#include <cstdio>
#include <string>

namespace sx {

enum class SaveResult { Ok, OpenFailed, WriteFailed };

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // False when the target is write-protected or the temporary file cannot be made.
    bool Open(const std::string &target);
    bool Write(const void *data, size_t size);
    bool Write(const std::string &s) { return Write(s.data(), s.size()); }
    // Renames the temporary file over the target; on any failure removes it.
    SaveResult Commit();

private:
    void Discard();
    std::string target_, temp_;
    std::FILE *file_ = nullptr;
    bool failed_ = false;
};

// Whole content at once.
SaveResult WriteFileAtomically(const std::string &target, const std::string &bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string &path, std::string &bytes);

}  // namespace sx
