#pragma once
// Little-endian reading from a byte buffer with bounds checks, and writing into one.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace sx {

class ByteReader {
public:
    ByteReader(const char *data, size_t size) : p_(data), end_(data + size) {}
    explicit ByteReader(const std::string &s) : ByteReader(s.data(), s.size()) {}

    size_t Remaining() const { return static_cast<size_t>(end_ - p_); }

    template <typename T>
    bool Read(T &out) {
        static_assert(std::is_arithmetic<T>::value, "plain numbers only");
        if (Remaining() < sizeof(T)) return false;
        std::memcpy(&out, p_, sizeof(T));  // the machines we build for are little-endian
        p_ += sizeof(T);
        return true;
    }
    bool ReadBytes(std::string &out, size_t n) {
        if (Remaining() < n) return false;
        out.assign(p_, n);
        p_ += n;
        return true;
    }
    template <typename T, typename A, typename Check>
    bool ReadArray(std::vector<T, A> &out, size_t n, Check check) {
        return ReadArray(out, n) && check(out.data(), out.size());
    }
    template <typename T, typename A>
    bool ReadArray(std::vector<T, A> &out, size_t n) {
        if (n > Remaining() / sizeof(T)) return false;
        out.resize(n);
        if (n) std::memcpy(out.data(), p_, n * sizeof(T));
        p_ += n * sizeof(T);
        return true;
    }
    bool Skip(size_t n) {
        if (Remaining() < n) return false;
        p_ += n;
        return true;
    }

private:
    const char *p_;
    const char *end_;
};

// The same reading interface straight from an open file, so that large
// arrays land in their final place without an intermediate copy.
class FileByteReader {
public:
    FileByteReader(std::FILE *file, size_t size) : f_(file), remaining_(size) {}

    size_t Remaining() const { return remaining_; }

    template <typename T>
    bool Read(T &out) {
        static_assert(std::is_arithmetic<T>::value, "plain numbers only");
        return Take(&out, sizeof(T));
    }
    bool ReadBytes(std::string &out, size_t n) {
        if (remaining_ < n) return false;
        out.resize(n);
        return Take(n ? &out[0] : nullptr, n);
    }
    // Reads straight into the array (large reads bypass the stdio buffer), in
    // pieces that are checked while they are still in the cache.
    template <typename T, typename A, typename Check>
    bool ReadArray(std::vector<T, A> &out, size_t n, Check check) {
        if (n > remaining_ / sizeof(T)) return false;
        out.resize(n);
        constexpr size_t kPiece = (size_t(256) << 10) / sizeof(T);
        for (size_t k = 0; k < n; k += kPiece) {
            const size_t m = std::min(kPiece, n - k);
            if (!Take(out.data() + k, m * sizeof(T)) || !check(out.data() + k, m)) return false;
        }
        return true;
    }
    template <typename T, typename A>
    bool ReadArray(std::vector<T, A> &out, size_t n) {
        return ReadArray(out, n, [](const T *, size_t) { return true; });
    }
    bool Skip(size_t n) {
        if (remaining_ < n || std::fseek(f_, static_cast<long>(n), SEEK_CUR) != 0) return false;
        remaining_ -= n;
        return true;
    }

private:
    bool Take(void *dst, size_t n) {
        if (remaining_ < n) return false;
        if (n && std::fread(dst, 1, n, f_) != n) return false;
        remaining_ -= n;
        return true;
    }
    std::FILE *f_;
    size_t remaining_;
};

class ByteWriter {
public:
    explicit ByteWriter(std::string &out) : out_(out) {}
    template <typename T>
    void Write(T v) {
        static_assert(std::is_arithmetic<T>::value, "plain numbers only");
        char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        out_.append(b, sizeof(T));
    }
    void WriteBytes(const std::string &s) { out_.append(s); }

private:
    std::string &out_;
};

}  // namespace sx
