#pragma once
// Where the file writers put their bytes: a file being saved through the
// atomic writer, or a string. Writers fill a fixed-size piece and hand it
// over when it is full, so that no file is ever held whole in memory.

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "AtomicFile.h"
#include "Numbers.h"

namespace sx {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be taken; the writer should stop then.
    virtual bool Write(const char *data, size_t size) = 0;
    bool Write(const std::string &s) { return Write(s.data(), s.size()); }
};

class StringSink final : public ByteSink {
public:
    explicit StringSink(std::string &out) : out_(out) {}
    using ByteSink::Write;
    bool Write(const char *data, size_t size) override {
        out_.append(data, size);
        return true;
    }

private:
    std::string &out_;
};

class AtomicFileSink final : public ByteSink {
public:
    explicit AtomicFileSink(AtomicFileWriter &file) : file_(file) {}
    using ByteSink::Write;
    bool Write(const char *data, size_t size) override { return file_.Write(data, size); }

private:
    AtomicFileWriter &file_;
};

// Opens `path` through the atomic writer, lets `write` stream the content
// into it and commits: on any failure the old file stays whole and no
// temporary file is left. `write` returns false when it gave up.
SaveResult SaveThroughSink(const std::string &path, const std::function<bool(ByteSink &)> &write);

// Text collected in one piece of fixed size, handed to the sink whenever the
// next item would not fit.
class TextPieces {
public:
    explicit TextPieces(ByteSink &sink, size_t pieceSize = size_t{1} << 18);
    TextPieces(const TextPieces &) = delete;
    TextPieces &operator=(const TextPieces &) = delete;

    void Put(char c) {
        Room(1);
        *p_++ = c;
    }
    void Put(const char *s, size_t n);
    void Put(const char *s) { Put(s, std::strlen(s)); }
    void Put(const std::string &s) { Put(s.data(), s.size()); }
    // StrNumber, PrintNumber and FormatFixed.
    void Str(double x) { p_ = WriteStrNumber(Room(kNumberRoom), x); }
    void Print(double x, char decimalSeparator) { p_ = WritePrintNumber(Room(kNumberRoom), x, decimalSeparator); }
    void Fixed(double x, int decimals, char decimalSeparator) {
        p_ = WriteFixed(Room(FixedRoom(decimals)), x, decimals, decimalSeparator);
    }
    // Hands over the rest; false when the sink refused any piece.
    bool Finish() {
        Hand();
        return !failed_;
    }
    // The sink refused a piece: what is put from now on goes nowhere.
    bool Failed() const { return failed_; }

private:
    // At least n free bytes at the returned place, where the next item goes.
    char *Room(size_t n) {
        if (static_cast<size_t>(end_ - p_) < n) MakeRoom(n);
        return p_;
    }
    void MakeRoom(size_t n);
    void Hand();

    ByteSink &sink_;
    std::unique_ptr<char[]> buf_;
    char *p_, *end_;
    bool failed_ = false;
};

}  // namespace sx
