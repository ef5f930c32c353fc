#include "DatFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "ByteSink.h"
#include "Cp1252.h"
#include "DocumentLimit.h"
#include "Numbers.h"

namespace sx {

namespace {

// Reading -------------------------------------------------------------------

UserMessage OpenFailure() {
    return {"Öffnen dieser DAT-Datei fehlgeschlagen! Falsches Dateiformat?", MsgIcon::Exclamation, MsgButtons::OkCancel,
            "Fehler"};
}

// Character classes of the item and field scanners, looked up per byte.
enum : unsigned char { kEndsItem = 1, kInField = 2 };
struct CharClasses {
    unsigned char of[256] = {};
    constexpr CharClasses() {
        of[static_cast<unsigned char>(',')] = kEndsItem | kInField;
        of[static_cast<unsigned char>('\n')] = of[static_cast<unsigned char>('\r')] = kEndsItem;
        for (int c = '0'; c <= '9'; ++c) of[c] = kInField;
        of[static_cast<unsigned char>('-')] = of[static_cast<unsigned char>('.')] = kInField;
    }
};
constexpr CharClasses kClasses;
inline bool EndsItem(char c) { return kClasses.of[static_cast<unsigned char>(c)] & kEndsItem; }
// digits, "-", "," and "."; everything else separates fields
inline bool IsFieldChar(char c) { return kClasses.of[static_cast<unsigned char>(c)] & kInField; }

// Items end at a comma or at a line end (CR LF, LF or CR). Either all bytes
// are in memory, or the file is read in chunks as the items need them, so
// that a large file is never held whole. A line longer than the bound (its
// items and commas) is cut there: the item at the bound ends with it (Cut)
// and the rest of the line is skipped a chunk at a time, so a file without
// line ends is not held whole either.
class ItemReader {
public:
    ItemReader(const char *data, size_t size) : p_(data), end_(data + size), eof_(true) {}
    explicit ItemReader(int fd) : fd_(fd) {}

    // The next item [b, e), valid until the next call; false at the end of the
    // input or on a read error (see Failed).
    bool Next(const char *&b, const char *&e) {
        if (skipping_ && !SkipRestOfLine()) return false;
        cut_ = false;
        const size_t room = kMaxDatLineBytes - line_;
        const char *q = p_;
        for (;;) {
            const char *stop = static_cast<size_t>(end_ - p_) > room ? p_ + room : end_;
            while (q < stop && !EndsItem(*q)) ++q;
            if (q < end_) {
                // at the bound only a line end ends the item: else the line goes on past it
                if (q == p_ + room && *q != '\r' && *q != '\n') {
                    cut_ = skipping_ = true;
                    break;
                }
                // a CR as the last byte read may still be followed by its LF
                if (!(*q == '\r' && q + 1 == end_ && !eof_)) break;
            }
            if (eof_) {
                if (p_ >= end_) return false;
                break;
            }
            const size_t scanned = static_cast<size_t>(q - p_);
            if (!Refill()) return false;
            q = p_ + scanned;
        }
        b = p_;
        e = q;
        if (cut_) {
            p_ = q;
            return true;
        }
        line_ = q < end_ && *q == ',' ? line_ + static_cast<size_t>(q - p_) + 1 : 0;
        if (q < end_) q += (*q == '\r' && q + 1 < end_ && q[1] == '\n') ? 2 : 1;
        p_ = q;
        return true;
    }
    // The last item ended at the bound of its line, whose rest is skipped.
    bool Cut() const { return cut_; }
    bool Failed() const { return failed_; }

private:
    // Drops the rest of a cut line with its line end, keeping nothing of it.
    bool SkipRestOfLine() {
        for (;;) {
            const size_t n = static_cast<size_t>(end_ - p_);
            const char *lf = static_cast<const char *>(std::memchr(p_, '\n', n));
            const char *cr = static_cast<const char *>(std::memchr(p_, '\r', lf ? static_cast<size_t>(lf - p_) : n));
            const char *q = cr ? cr : lf;
            if (!q) {
                p_ = end_;  // nothing of it is kept
                if (eof_) break;
            } else if (q == cr && q + 1 == end_ && !eof_) {
                p_ = q;  // a CR as the last byte read may still be followed by its LF
            } else {
                p_ = q + ((q == cr && q + 1 < end_ && q[1] == '\n') ? 2 : 1);
                break;
            }
            if (!Refill()) return false;
        }
        skipping_ = false;
        line_ = 0;
        return true;
    }
    bool Refill() {
        const size_t keep = static_cast<size_t>(end_ - p_);
        if (!buf_ || cap_ - keep < cap_ / 2) {  // first chunk, or a long item: make room
            const size_t cap = std::max<size_t>(2 * cap_, size_t{1} << 20);
            std::unique_ptr<char[]> grown(new char[cap]);
            if (keep) std::memcpy(grown.get(), p_, keep);
            buf_ = std::move(grown);
            cap_ = cap;
        } else if (keep) {
            std::memmove(buf_.get(), p_, keep);
        }
        p_ = buf_.get();
        end_ = p_ + keep;
        ssize_t got;
        do got = ::read(fd_, buf_.get() + keep, cap_ - keep);
        while (got < 0 && errno == EINTR);
        if (got < 0) {
            failed_ = eof_ = true;
            return false;
        }
        if (got == 0) eof_ = true;
        end_ += got;
        return true;
    }

    const char *p_ = nullptr;
    const char *end_ = nullptr;
    bool eof_ = false;
    bool failed_ = false;
    bool cut_ = false, skipping_ = false;
    size_t line_ = 0;  // bytes of the current line before the item (earlier items and their commas)
    int fd_ = -1;
    std::unique_ptr<char[]> buf_;
    size_t cap_ = 0;
};

// The text after the first ":", blanks removed at both ends; nothing when there is no ":".
std::optional<std::string> ValueAfterColon(const char *b, const char *e) {
    const char *c = static_cast<const char *>(std::memchr(b, ':', static_cast<size_t>(e - b)));
    if (!c) return std::nullopt;
    const char *s = c + 1;
    while (s < e && *s == ' ') ++s;
    while (e > s && e[-1] == ' ') --e;
    return std::string(s, e);
}

std::optional<int32_t> HeaderInteger(const std::string &text) { return RoundToInt32(ParseNumber(text)); }

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The leading number of a run of [0-9,.-]: a sign only in front, digits, one point.
double FieldValue(const char *b, const char *e) {
    const char *p = b;
    const bool negative = p < e && *p == '-';
    if (negative) ++p;
    uint64_t mantissa = 0;
    int significant = 0;
    int64_t decimals = 0;
    bool point = false, exact = true;
    for (; p < e; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            if (mantissa == 0 && c == '0') {
                if (point) ++decimals;
            } else if (significant < 15) {
                mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
                ++significant;
                if (point) ++decimals;
            } else {
                exact = false;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (mantissa == 0 && exact) {
        // "-0.0000" stays negative so that it is written back as it was; a lone "-" is 0
        const bool digit = std::any_of(b, p, [](char c) { return c >= '0' && c <= '9'; });
        return negative && digit ? -0.0 : 0.0;
    }
    // both operands exact: one division rounds correctly
    if (exact && decimals <= 22) {
        const double v = static_cast<double>(mantissa) / kPow10[decimals];
        return negative ? -v : v;
    }
    return ParseNumeral(std::string(b, p).c_str());
}

// The grid a header describes. The loops of the fit, in closed form: x0 is
// the first multiple of gx not below w/2, and the window is too wide when
// that passes W - w/2.
enum class DatFit { Ok, TooWide, TooHigh, Broken };
struct DatGrid {
    int64_t gx = 0, gy = 0, x0 = 0, y0 = 0, nx = 0, ny = 0;
};

DatFit FitDatGrid(const RecordingHeader &h, DatGrid &g) {
    const int64_t W = h.ImageWidth, H = h.ImageHeight;
    const int64_t hw = h.InterrogationWidth / 2, hh = h.InterrogationHeight / 2;
    g.gx = h.GridStepX;
    g.gy = h.GridStepY;
    if (g.gx <= 0 || g.gy <= 0) return DatFit::Broken;
    g.x0 = g.gx;
    if (g.x0 < hw) {
        g.x0 = (hw + g.gx - 1) / g.gx * g.gx;
        if (g.x0 > W - hw) return DatFit::TooWide;
    }
    g.y0 = H - g.gy;
    if (H - g.y0 < hh) {
        g.y0 = H - (hh + g.gy - 1) / g.gy * g.gy;
        if (g.y0 < hh) return DatFit::TooHigh;
    }
    g.nx = (W - g.x0 - hw) / g.gx + 1;
    g.ny = (g.y0 - hh) / g.gy + 1;
    if (g.nx < 1 || g.ny < 1) return DatFit::Broken;
    if (g.x0 < INT32_MIN || g.x0 > INT32_MAX || g.y0 < INT32_MIN || g.y0 > INT32_MAX) return DatFit::Broken;
    if (h.PixelsPerCm == 0) return DatFit::Broken;
    return DatFit::Ok;
}

class DatReader {
public:
    DatReader(ItemReader &items, VectorDocument &doc, Messages &msgs) : items_(items), doc_(doc), msgs_(msgs) {}
    bool TextsCut() const { return textsCut_; }

    bool Run() {
        const char *b = nullptr, *e = nullptr;
        static const char kFirst[] = "Date and time: ";
        const bool first = items_.Next(b, e);
        if (!first && items_.Failed()) return Fail();
        if (!first || static_cast<size_t>(e - b) < 15 || std::memcmp(b, kFirst, 15) != 0) {
            msgs_.push_back({"Ungültiges Dateiformat", MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Öffnen"});
            return false;
        }
        RecordingHeader &h = doc_.Header;
        if (!Text(b, e, h.DateAndTime)) return Fail();
        for (std::string *t : {&h.Recording1, &h.Recording2, &h.FlowType, &h.PhaseType, &h.RecordingType, &h.Algorithm})
            if (!items_.Next(b, e) || !Text(b, e, *t)) return Fail();
        for (auto pair : {std::make_pair(&h.ImageWidth, &h.ImageHeight),
                          std::make_pair(&h.InterrogationWidth, &h.InterrogationHeight),
                          std::make_pair(&h.GridStepX, &h.GridStepY)}) {
            std::optional<std::string> v = NextValue();
            if (!v) return Fail();
            const size_t x = v->find('x');
            if (x == std::string::npos) return Fail();
            std::optional<int32_t> a = HeaderInteger(v->substr(0, x)), c = HeaderInteger(v->substr(x + 1));
            if (!a || !c) return Fail();
            *pair.first = *a;
            *pair.second = *c;
        }
        for (int32_t *t : {&h.PixelsPerCm, &h.TimeInterval, &doc_.ValidCount}) {
            std::optional<std::string> v = NextValue();
            if (!v) return Fail();
            std::optional<int32_t> n = HeaderInteger(*v);
            if (!n) return Fail();
            *t = *n;
        }
        for (int k = 14; k <= 16; ++k)
            if (!items_.Next(b, e)) return Fail();

        if (!FitGrid()) return false;
        if (!DataLines() || items_.Failed()) return Fail();

        for (int32_t i = 1; i <= doc_.NX; ++i)
            doc_.PosX(i) = static_cast<double>(static_cast<int64_t>(i - 1) * gx_ + x0_) / h.PixelsPerCm * 10;
        for (int32_t j = 1; j <= doc_.NY; ++j)
            doc_.PosY(j) = static_cast<double>(y0_ - static_cast<int64_t>(j - 1) * gy_) / h.PixelsPerCm * 10;
        return true;
    }

private:
    bool Fail() {
        msgs_.push_back(OpenFailure());
        return false;
    }

    // A header text: the value after the colon, cut to the bound when it or
    // its line is longer (one byte a character, so any cut is whole).
    bool Text(const char *b, const char *e, std::string &out) {
        std::optional<std::string> v = ValueAfterColon(b, e);
        if (!v) return false;
        if (v->size() > kMaxTextBytes || items_.Cut()) {
            textsCut_ = true;
            if (v->size() > kMaxTextBytes) v->resize(kMaxTextBytes);
            while (!v->empty() && v->back() == ' ') v->pop_back();  // a value ends in no blank
        }
        out = Cp1252ToUtf8(*v);
        return true;
    }

    std::optional<std::string> NextValue() {
        const char *b, *e;
        if (!items_.Next(b, e)) return std::nullopt;
        return ValueAfterColon(b, e);
    }

    bool FitGrid() {
        DatGrid g;
        switch (FitDatGrid(doc_.Header, g)) {
            case DatFit::Ok: break;
            case DatFit::TooWide:
                msgs_.push_back({"Interrogation Window zu breit!", MsgIcon::None, MsgButtons::Ok, "Strudelax"});
                return false;
            case DatFit::TooHigh:
                msgs_.push_back({"Interrogation Window zu hoch!", MsgIcon::None, MsgButtons::Ok, "Strudelax"});
                return false;
            case DatFit::Broken: return Fail();
        }
        gx_ = g.gx;
        gy_ = g.gy;
        x0_ = g.x0;
        y0_ = g.y0;
        // however sparse the data lines, the grid is allocated whole
        if (!GridFitsDocument(g.nx, g.ny)) {
            msgs_.push_back(FieldTooLargeMessage(g.nx, g.ny));
            return false;
        }
        doc_.Header.FirstColumnPixel = static_cast<int32_t>(x0_);
        doc_.Header.FirstRowPixel = static_cast<int32_t>(y0_);
        doc_.Resize(static_cast<int32_t>(g.nx), static_cast<int32_t>(g.ny));
        return true;
    }

    bool DataLines() {
        const char *b, *e;
        double *us = doc_.Us.data(), *vs = doc_.Vs.data();
        int32_t *status = doc_.Statuses.data();
        const int64_t nx = doc_.NX, ny = doc_.NY;
        while (items_.Next(b, e)) {
            // a line cut at the bound cannot be read whole: damaged like any unreadable line
            if (items_.Cut()) return false;
            double x = 0, y = 0, u = 0, v = 0;
            int fields = 0;
            const char *q = b;
            while (fields < 8) {
                while (q < e && !IsFieldChar(*q)) ++q;
                if (q >= e) break;
                const char *start = q;
                while (q < e && IsFieldChar(*q)) ++q;
                switch (++fields) {
                    case 1: x = FieldValue(start, q); break;
                    case 2: y = FieldValue(start, q); break;
                    case 7: u = FieldValue(start, q); break;
                    case 8: v = FieldValue(start, q); break;
                    default: break;
                }
            }
            if (fields < 8) {
                // a blank line (say at the end of the file) is no data line
                bool blank = true;
                for (const char *c = b; c < e && blank; ++c) blank = *c == ' ' || *c == '\t';
                if (blank) continue;
                return false;
            }
            if (!std::isfinite(u) || !std::isfinite(v)) return false;
            const std::optional<int32_t> dxPixels = RoundToInt32(x - static_cast<double>(x0_));
            const std::optional<int32_t> yPixels = RoundToInt32(y);
            if (!dxPixels || !yPixels) return false;
            const int64_t i = *dxPixels / gx_ + 1;
            const int64_t j = (y0_ - *yPixels) / gy_ + 1;
            if (i < 1 || i > nx || j < 1 || j > ny) return false;
            const size_t k = static_cast<size_t>((j - 1) * nx + (i - 1));
            us[k] = u;
            vs[k] = v;
            status[k] = StatusValid;
        }
        return true;
    }

    ItemReader &items_;
    VectorDocument &doc_;
    Messages &msgs_;
    int64_t gx_ = 0, gy_ = 0, x0_ = 0, y0_ = 0;
    bool textsCut_ = false;
};

// Writing -------------------------------------------------------------------

void AppendUnsigned(std::string &out, uint64_t v) {
    char buf[24];
    char *p = buf + sizeof buf;
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    out.append(p, static_cast<size_t>(buf + sizeof buf - p));
}

void AppendInteger(std::string &out, int64_t v) {
    if (v < 0) out += '-';
    AppendUnsigned(out, v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v));
}

// N(v) of the header: a blank or "-", then the digits.
void AppendHeaderNumber(std::string &out, int32_t v) {
    if (v >= 0) out += ' ';
    AppendInteger(out, v);
}

// Spaces(r - (p - 1)) and the text, p the position of the text's last ".".
void AppendAligned(std::string &out, const std::string &text, int r) {
    const size_t dot = text.rfind('.');
    const long p = dot == std::string::npos ? 0 : static_cast<long>(dot) + 1;
    const long pad = r - (p - 1);
    if (pad > 0) out.append(static_cast<size_t>(pad), ' ');
    out += text;
}

class DatWriter {
public:
    explicit DatWriter(ByteSink &sink) : sink_(sink) { buf_.reserve(kChunk + 4096); }

    bool Write(const VectorDocument &doc) {
        const RecordingHeader &h = doc.Header;
        const std::pair<const char *, const std::string *> texts[] = {
            {"Date and time:                 ", &h.DateAndTime}, {"Recording 1:                   ", &h.Recording1},
            {"Recording 2:                   ", &h.Recording2},  {"Flow type:                     ", &h.FlowType},
            {"Phase type:                   ", &h.PhaseType},    {"Recording type:                ", &h.RecordingType},
            {"Algorithm:                     ", &h.Algorithm}};
        for (const auto &t : texts) {
            buf_ += t.first;
            buf_ += Utf8ToCp1252(*t.second);
            buf_ += "\r\n";
        }
        const std::pair<const char *, std::pair<int32_t, int32_t>> sizes[] = {
            {"Image size           [pixels]:", {h.ImageWidth, h.ImageHeight}},
            {"Interrogation Window [pixels]:", {h.InterrogationWidth, h.InterrogationHeight}},
            {"Interrogation Grid   [pixels]:", {h.GridStepX, h.GridStepY}}};
        for (const auto &s : sizes) {
            buf_ += s.first;
            AppendHeaderNumber(buf_, s.second.first);
            buf_ += " x";
            AppendHeaderNumber(buf_, s.second.second);
            buf_ += "\r\n";
        }
        const std::pair<const char *, int32_t> numbers[] = {{"Image/objekt ratio[pixels/cm]:", h.PixelsPerCm},
                                                            {"Time interval   [microsecond]:", h.TimeInterval},
                                                            {"Interrogation points:         ", doc.ValidCount}};
        for (const auto &n : numbers) {
            buf_ += n.first;
            AppendHeaderNumber(buf_, n.second);
            buf_ += "\r\n";
        }
        buf_ += "\r\n";
        buf_ += "x[pix] y[pix]   vx[pix]   vy[pix]     X[mm]     Y[mm]   Vx[m/s]   Vy[m/s]\r\n";
        buf_ += "\r\n";

        const double R = h.PixelsPerCm, T = h.TimeInterval;
        // the column and row parts of a line are the same on every line
        std::vector<std::string> colPixel(static_cast<size_t>(doc.NX)), colMm(static_cast<size_t>(doc.NX));
        std::vector<std::string> rowPixel(static_cast<size_t>(doc.NY)), rowMm(static_cast<size_t>(doc.NY));
        for (int32_t i = 1; i <= doc.NX; ++i) {
            const std::optional<int32_t> px = RoundToInt32(doc.PosX(i) / 10 * R);
            if (!px) return false;
            std::string &t = colPixel[static_cast<size_t>(i - 1)];
            AppendInteger(t, *px);
            if (t.size() < 7) t.append(7 - t.size(), ' ');
            AppendFixed(colMm[static_cast<size_t>(i - 1)], doc.PosX(i), 3, '.');
        }
        for (int32_t j = 1; j <= doc.NY; ++j) {
            const std::optional<int32_t> py = RoundToInt32(doc.PosY(j) / 10 * R);
            if (!py) return false;
            AppendInteger(rowPixel[static_cast<size_t>(j - 1)], *py);
            AppendFixed(rowMm[static_cast<size_t>(j - 1)], doc.PosY(j), 3, '.');
        }

        std::string field;
        field.reserve(64);
        for (int32_t j = 1; j <= doc.NY; ++j) {
            const std::string &yPix = rowPixel[static_cast<size_t>(j - 1)];
            const std::string &yMm = rowMm[static_cast<size_t>(j - 1)];
            for (int32_t i = 1; i <= doc.NX; ++i) {
                if (doc.Status(i, j) <= 0) continue;
                const double u = doc.U(i, j), v = doc.V(i, j);
                buf_ += colPixel[static_cast<size_t>(i - 1)];
                buf_ += yPix;
                int r = 11 - static_cast<int>(yPix.size());
                const double values[] = {T * u / 10000 * R, T * v / 10000 * R};
                // "nan" or "inf" would not read back
                if (!std::isfinite(values[0]) || !std::isfinite(values[1]) || !std::isfinite(u) || !std::isfinite(v))
                    return false;
                for (double value : values) {
                    field.clear();
                    AppendFixed(field, value, 4, '.');
                    AppendAligned(buf_, field, r);
                    r = 5;
                }
                AppendAligned(buf_, colMm[static_cast<size_t>(i - 1)], 6);
                AppendAligned(buf_, yMm, 6);
                for (double value : {u, v}) {
                    field.clear();
                    AppendFixed(field, value, 4, '.');
                    AppendAligned(buf_, field, 5);
                }
                buf_ += "\r\n";
                if (buf_.size() >= kChunk && !Flush()) return false;
            }
        }
        return Flush();
    }

private:
    static constexpr size_t kChunk = size_t{1} << 20;

    bool Flush() {
        const bool ok = sink_.Write(buf_);
        buf_.clear();
        return ok;
    }

    ByteSink &sink_;
    std::string buf_;
};

// The writer's check ----------------------------------------------------------
//
// The reader splits a data line at its blanks, so every field needs at least
// one blank before the next. The writer pads each field to put its decimal
// point in a fixed column; a text too wide for that room gets no blank and
// runs into its neighbour, and the line no longer reads back. So the whole
// document is checked before anything is written.

struct Overflow {
    int32_t i, j;
    double value;
    const char *column;
};

// Whether FormatFixed(x, decimals) has at most `room` characters before its
// point (a minus for every negative value, then the rounded whole part).
class PointRoom {
public:
    PointRoom(int decimals, int room) : decimals_(decimals), room_(room) {
        // rounding moves a value by half a unit of its last decimal at most
        const double unit = 1 / kPow10[decimals];
        if (room >= 1) hi_ = kPow10[std::min(room, 15)] - unit;
        if (room >= 2) lo_ = unit - kPow10[std::min(room - 1, 15)];
    }
    // Values strictly between the two limits fit whatever their rounding;
    // near a limit the text itself decides.
    bool Fits(double x) const { return (x > lo_ && x < hi_) || Exactly(x); }

private:
    bool Exactly(double x) const {
        if (!std::isfinite(x)) return false;
        const int digits = room_ - (std::signbit(x) ? 1 : 0);
        if (digits < 1) return false;
        if (digits > 15 || std::fabs(x) < kPow10[digits] / 2) return true;
        return FormatFixed(x, decimals_, '.').find('.') <= static_cast<size_t>(room_);
    }
    int decimals_, room_;
    double lo_ = 0, hi_ = 0;
};

int IntegerLength(int32_t v) {
    int n = v < 0 ? 2 : 1;
    for (int64_t a = v < 0 ? -static_cast<int64_t>(v) : v; a >= 10; a /= 10) ++n;
    return n;
}

// The first line (rows outer, columns inner, as written) with a field that
// would run into the next, or a pixel coordinate the writer cannot form.
std::optional<Overflow> FindOverflow(const VectorDocument &doc) {
    const double R = doc.Header.PixelsPerCm, T = doc.Header.TimeInterval;
    const PointRoom pixels(4, 4), mm(3, 5), velocity(4, 4);
    // x[pix] and X[mm] are the same on every line of a column, y[pix] and Y[mm] on every line of a row
    std::vector<char> xPixelFits(static_cast<size_t>(doc.NX)), xMmFits(static_cast<size_t>(doc.NX));
    std::vector<int> yPixelLength(static_cast<size_t>(doc.NY), 0);  // 0: no integer
    std::optional<Overflow> unwritable;  // the writer forms the pixel coordinates of lines it does not write too
    for (int32_t i = 1; i <= doc.NX; ++i) {
        const std::optional<int32_t> px = RoundToInt32(doc.PosX(i) / 10 * R);
        xPixelFits[static_cast<size_t>(i - 1)] = px && IntegerLength(*px) <= 6;
        xMmFits[static_cast<size_t>(i - 1)] = mm.Fits(doc.PosX(i));
        if (!px && !unwritable) unwritable = Overflow{i, 1, doc.PosX(i) / 10 * R, "x[pix]"};
    }
    for (int32_t j = 1; j <= doc.NY; ++j) {
        const std::optional<int32_t> py = RoundToInt32(doc.PosY(j) / 10 * R);
        if (py) yPixelLength[static_cast<size_t>(j - 1)] = IntegerLength(*py);
        if (!py && !unwritable) unwritable = Overflow{1, j, doc.PosY(j) / 10 * R, "y[pix]"};
    }
    for (int32_t j = 1; j <= doc.NY; ++j) {
        const int yLength = yPixelLength[static_cast<size_t>(j - 1)];
        const double yPixel = doc.PosY(j) / 10 * R;
        // y[pix] and the whole part of vx[pix] share eleven columns, with a blank between them
        const PointRoom vxRoom(4, 10 - yLength);
        const bool yMmFits = mm.Fits(doc.PosY(j));
        const int32_t *status = &doc.Statuses[static_cast<size_t>(j - 1) * static_cast<size_t>(doc.NX)];
        for (int32_t i = 1; i <= doc.NX; ++i) {
            if (status[i - 1] <= 0) continue;
            const size_t col = static_cast<size_t>(i - 1);
            const double u = doc.U(i, j), v = doc.V(i, j);
            const double vx = T * u / 10000 * R, vy = T * v / 10000 * R;
            // the fields in the order of the line; the first one that does not fit is named
            if (!xPixelFits[col]) return Overflow{i, j, doc.PosX(i) / 10 * R, "x[pix]"};
            if (yLength == 0) return Overflow{i, j, yPixel, "y[pix]"};
            if (!vxRoom.Fits(vx)) {
                // a vx[pix] that would fit the four places of vy[pix] is pushed out by a wide y[pix]
                if (pixels.Fits(vx)) return Overflow{i, j, yPixel, "y[pix]"};
                return Overflow{i, j, vx, "vx[pix]"};
            }
            if (!pixels.Fits(vy)) return Overflow{i, j, vy, "vy[pix]"};
            if (!xMmFits[col]) return Overflow{i, j, doc.PosX(i), "X[mm]"};
            if (!yMmFits) return Overflow{i, j, doc.PosY(j), "Y[mm]"};
            if (!velocity.Fits(u)) return Overflow{i, j, u, "Vx[m/s]"};
            if (!velocity.Fits(v)) return Overflow{i, j, v, "Vy[m/s]"};
        }
    }
    return unwritable;
}

}  // namespace

namespace {

// The reader ends an item at a comma or a line end, so such a character in a
// header text would cut the header apart.
std::optional<UserMessage> HeaderTextCutMessage(const RecordingHeader &h) {
    const std::pair<const char *, const std::string *> texts[] = {
        {"Date and time", &h.DateAndTime}, {"Recording 1", &h.Recording1}, {"Recording 2", &h.Recording2},
        {"Flow type", &h.FlowType},        {"Phase type", &h.PhaseType},   {"Recording type", &h.RecordingType},
        {"Algorithm", &h.Algorithm}};
    for (const auto &t : texts)
        if (t.second->find_first_of(",\r\n") != std::string::npos)
            return UserMessage{std::string("Der Eintrag \"") + t.first +
                                   "\" des Dateikopfs enthält ein Komma oder einen Zeilenumbruch; die DAT-Datei wäre "
                                   "nicht mehr lesbar. Speichern Sie das Vektorfeld im SDX-Format.",
                               MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern"};
    return std::nullopt;
}

// The reader's column (or row) of a pixel coordinate the writer writes: the
// node the reader places the line on, when that node lies at exactly these
// pixels; 0 when the line would not land there. `sign` is -1 for the rows,
// which count down from the first row's pixel.
int64_t ReaderNode(std::optional<int32_t> pixel, int64_t first, int64_t step, int64_t count, int64_t sign) {
    if (!pixel) return 0;
    const int64_t k = sign * (*pixel - first) / step + 1;  // the reader's truncating division
    return k >= 1 && k <= count && first + sign * (k - 1) * step == *pixel ? k : 0;
}

// Marks the used entries whose reader node another used entry has too; false when there is none.
bool MarkShared(const std::vector<int64_t> &node, const std::vector<char> &used, std::vector<char> &shared) {
    std::vector<size_t> order;
    for (size_t k = 0; k < node.size(); ++k)
        if (used[k]) order.push_back(k);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return node[a] < node[b]; });
    shared.assign(node.size(), 0);
    bool any = false;
    for (size_t k = 1; k < order.size(); ++k) {
        if (node[order[k]] != node[order[k - 1]]) continue;
        shared[order[k]] = shared[order[k - 1]] = 1;
        any = true;
    }
    return any;
}

// The reader places a data line by its pixel coordinates on the grid that the
// header describes. A document reads back when every written line lands on a
// node at exactly the pixels written, one line a node. The reader's grid may
// be larger than the document's; a mirrored field's columns and rows come
// back in the reader's order.
bool EveryLineLandsOnItsNode(const VectorDocument &doc) {
    DatGrid g;
    if (FitDatGrid(doc.Header, g) != DatFit::Ok || !GridFitsDocument(g.nx, g.ny)) return false;
    const double R = doc.Header.PixelsPerCm;
    const size_t nx = static_cast<size_t>(doc.NX), ny = static_cast<size_t>(doc.NY);
    // a column's lines all share its x pixel, a row's lines its y pixel
    std::vector<int64_t> col(nx), row(ny);
    for (size_t i = 0; i < nx; ++i) col[i] = ReaderNode(RoundToInt32(doc.PosXs[i] / 10 * R), g.x0, g.gx, g.nx, 1);
    for (size_t j = 0; j < ny; ++j) row[j] = ReaderNode(RoundToInt32(doc.PosYs[j] / 10 * R), g.y0, g.gy, g.ny, -1);
    std::vector<char> colUsed(nx, 1), rowUsed(ny, 1), colShared, rowShared;
    const bool allLand =
        std::find(col.begin(), col.end(), 0) == col.end() && std::find(row.begin(), row.end(), 0) == row.end();
    if (allLand && !MarkShared(col, colUsed, colShared) && !MarkShared(row, rowUsed, rowShared)) return true;

    // only the columns and rows that hold written lines count
    std::fill(colUsed.begin(), colUsed.end(), 0);
    std::fill(rowUsed.begin(), rowUsed.end(), 0);
    for (size_t j = 0; j < ny; ++j) {
        const int32_t *status = &doc.Statuses[j * nx];
        for (size_t i = 0; i < nx; ++i)
            if (status[i] > 0) colUsed[i] = rowUsed[j] = 1;
    }
    for (size_t i = 0; i < nx; ++i)
        if (colUsed[i] && col[i] == 0) return false;
    for (size_t j = 0; j < ny; ++j)
        if (rowUsed[j] && row[j] == 0) return false;
    const bool colsShared = MarkShared(col, colUsed, colShared), rowsShared = MarkShared(row, rowUsed, rowShared);
    if (!colsShared && !rowsShared) return true;
    // two lines meet on a node only in columns that share a reader column or rows that share a reader row
    std::vector<uint64_t> nodes;
    for (size_t j = 0; j < ny; ++j) {
        const int32_t *status = &doc.Statuses[j * nx];
        for (size_t i = 0; i < nx; ++i)
            if (status[i] > 0 && (colShared[i] || rowShared[j]))
                nodes.push_back(static_cast<uint64_t>(row[j] - 1) * static_cast<uint64_t>(g.nx) +
                                static_cast<uint64_t>(col[i] - 1));
    }
    std::sort(nodes.begin(), nodes.end());
    return std::adjacent_find(nodes.begin(), nodes.end()) == nodes.end();
}

}  // namespace

std::optional<UserMessage> DatRefusal(const VectorDocument &doc) {
    if (std::optional<UserMessage> m = TextTooLongMessage(doc, true)) return m;
    if (std::optional<UserMessage> m = HeaderTextCutMessage(doc.Header)) return m;
    if (!EveryLineLandsOnItsNode(doc))
        return UserMessage{
            "Bildgröße, Interrogation Window, Gitterabstand und Maßstab im Dateikopf beschreiben nicht "
            "das Gitter dieses Vektorfeldes; die Vektoren der DAT-Datei kämen beim Öffnen nicht an "
            "ihre Stelle. Speichern Sie das Vektorfeld im SDX-Format.",
            MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern"};
    return DatColumnRefusal(doc);
}

std::optional<UserMessage> DatColumnRefusal(const VectorDocument &doc) {
    const std::optional<Overflow> o = FindOverflow(doc);
    if (!o) return std::nullopt;
    return UserMessage{"Der Wert " + StrNumber(o->value) + " des Vektors (" + std::to_string(o->i) + ", " +
                           std::to_string(o->j) + ") passt nicht in die Spalte " + o->column +
                           " der DAT-Datei; die Datei wäre nicht mehr lesbar. Speichern Sie das Vektorfeld im "
                           "SDX-Format.",
                       MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern"};
}

namespace {

ReadResult ReadItems(ItemReader &items, VectorDocument &doc) {
    ReadResult res;
    DatReader reader(items, doc, res.messages);
    res.ok = reader.Run();
    res.textsCut = res.ok && reader.TextsCut();
    return res;
}

}  // namespace

ReadResult ReadDatBytes(const std::string &bytes, VectorDocument &doc) {
    ItemReader items(bytes.data(), bytes.size());
    return ReadItems(items, doc);
}

ReadResult ReadDatFile(const std::string &path, VectorDocument &doc) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) ::close(fd);
        ReadResult res;
        res.messages.push_back(OpenFailure());
        return res;
    }
    ItemReader items(fd);
    const ReadResult res = ReadItems(items, doc);
    ::close(fd);
    return res;
}

bool WriteDat(const VectorDocument &doc, ByteSink &sink) { return DatWriter(sink).Write(doc); }

SaveResult WriteDatFile(const VectorDocument &doc, const std::string &path, std::optional<UserMessage> *refusal) {
    if (std::optional<UserMessage> m = DatRefusal(doc)) {
        if (refusal) *refusal = std::move(m);
        return SaveResult::WriteFailed;
    }
    return SaveThroughSink(path, [&](ByteSink &sink) { return WriteDat(doc, sink); });
}

}  // namespace sx
