#pragma once
// Little-endian reading from a byte buffer with bounds checks, and writing into one.

#include <cstdint>
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
    size_t Offset(const char *base) const { return static_cast<size_t>(p_ - base); }

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
    template <typename T>
    bool ReadArray(std::vector<T> &out, size_t n) {
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
    template <typename T>
    void WriteArray(const std::vector<T> &v) {
        if (!v.empty()) out_.append(reinterpret_cast<const char *>(v.data()), v.size() * sizeof(T));
    }

private:
    std::string &out_;
};

}  // namespace sx
