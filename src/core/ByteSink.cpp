#include "ByteSink.h"

#include <algorithm>

namespace sx {

SaveResult SaveThroughSink(const std::string &path, const std::function<bool(ByteSink &)> &write) {
    AtomicFileWriter file;
    if (!file.Open(path)) return SaveResult::OpenFailed;
    AtomicFileSink sink(file);
    // the temporary file goes with `file`
    if (!write(sink)) return SaveResult::WriteFailed;
    return file.Commit();
}

TextPieces::TextPieces(ByteSink &sink, size_t pieceSize)
    : sink_(sink), buf_(new char[pieceSize]), p_(buf_.get()), end_(buf_.get() + pieceSize) {}

void TextPieces::Put(const char *s, size_t n) {
    while (n > 0) {
        if (p_ == end_) Hand();
        const size_t m = std::min(n, static_cast<size_t>(end_ - p_));
        std::memcpy(p_, s, m);
        p_ += m;
        s += m;
        n -= m;
    }
}

void TextPieces::MakeRoom(size_t n) {
    Hand();
    const size_t size = static_cast<size_t>(end_ - buf_.get());
    if (size >= n) return;
    // an item larger than a piece (a fixed form with very many decimals)
    buf_.reset(new char[n]);
    p_ = buf_.get();
    end_ = p_ + n;
}

void TextPieces::Hand() {
    const size_t n = static_cast<size_t>(p_ - buf_.get());
    if (n > 0 && !failed_ && !sink_.Write(buf_.get(), n)) failed_ = true;
    p_ = buf_.get();
}

}  // namespace sx
