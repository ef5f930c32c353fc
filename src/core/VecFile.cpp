#include "VecFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#include "Cp1252.h"
#include "DocumentLimit.h"
#include "Numbers.h"

namespace sx {

namespace {

constexpr size_t kHeaderSize = 256;
constexpr int16_t kImageTypeFloat = 20;

const char kNoInformation[] = "No information (DaVis)";

UserMessage HeaderError(const std::string &text) {
    return {text, MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Einlesen"};
}

UserMessage DamagedFile() {
    return {"Fehler in dieser VEC-Datei! Datei beschädigt oder falsches Format?", MsgIcon::Exclamation,
            MsgButtons::OkCancel, "Fehler"};
}

UserMessage OpenFailure() {
    return {"Öffnen dieser VEC-Datei fehlgeschlagen! Datei schreibgeschützt oder bereits verwendet?",
            MsgIcon::Exclamation, MsgButtons::OkCancel, "Fehler"};
}

UserMessage NullVectorQuestion() {
    return {
        "Unterformat der VEC-Datei: 'simple vector format'\r\n\r\n"
        "Dieses Format enthält keine Informationen über die Gültigkeit der Vektoren, "
        "es kommen aber Null-Vektoren vor.\r\n"
        "Sollen diese automatisch als 'ungültig' interpretiert werden?",
        MsgIcon::Question, MsgButtons::YesNo, "Datei enthält Null-Vektoren"};
}

// Where the frames come from: a buffer in memory or a file read chunk by chunk,
// so that a large file is never held twice.
class Source {
public:
    virtual ~Source() = default;
    uint64_t Size() const { return size_; }
    // `len` bytes at `offset` (within Size()), valid until the next call; null when reading fails.
    virtual const char *Get(uint64_t offset, size_t len) = 0;

protected:
    uint64_t size_ = 0;
};

class BytesSource : public Source {
public:
    explicit BytesSource(const std::string &bytes) : data_(bytes.data()) { size_ = bytes.size(); }
    const char *Get(uint64_t offset, size_t len) override {
        if (offset > size_ || len > size_ - offset) return nullptr;
        return data_ + offset;
    }

private:
    const char *data_;
};

class FileSource : public Source {
public:
    ~FileSource() override {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Open(const std::string &path) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) return false;
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return false;
        size_ = static_cast<uint64_t>(st.st_size);
        return true;
    }
    const char *Get(uint64_t offset, size_t len) override {
        if (offset > size_ || len > size_ - offset) return nullptr;
        if (len > cap_) {
            buf_.reset(new char[len]);  // no zero fill: every byte is read over
            cap_ = len;
        }
        size_t done = 0;
        while (done < len) {
            ssize_t got = ::pread(fd_, buf_.get() + done, len - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return nullptr;  // error, or the file shrank under us
            done += static_cast<size_t>(got);
        }
        return buf_.get();
    }

private:
    int fd_ = -1;
    std::unique_ptr<char[]> buf_;
    size_t cap_ = 0;
};

template <typename T>
T At(const unsigned char *header, size_t offset) {
    T v;
    std::memcpy(&v, header + offset, sizeof v);
    return v;
}

// A header text: the bytes up to the first zero byte (real files carry leftovers after it).
std::string HeaderText(const unsigned char *header, size_t offset, size_t len) {
    const char *p = reinterpret_cast<const char *>(header + offset);
    const void *zero = std::memchr(p, 0, len);
    size_t n = zero ? static_cast<size_t>(static_cast<const char *>(zero) - p) : len;
    return Cp1252ToUtf8(std::string(p, n));
}

inline float FloatAt(const char *frame, size_t index) {
    float f;
    std::memcpy(&f, frame + 4 * index, 4);
    return f;
}

class VecReader {
public:
    VecReader(Source &src, VectorDocument &doc, const AskYesNo &ask, ReadResult &res)
        : src_(src), doc_(doc), ask_(ask), res_(res) {}

    bool Run() {
        // a header cut short reads as zeros, so the header checks still speak first
        unsigned char h[kHeaderSize] = {};
        const size_t headerLen = static_cast<size_t>(std::min<uint64_t>(kHeaderSize, src_.Size()));
        if (headerLen) {
            const char *p = src_.Get(0, headerLen);
            if (!p) return Damaged();
            std::memcpy(h, p, headerLen);
        }

        if (At<int16_t>(h, 0) != kImageTypeFloat) return HeaderFailure("Ungültiges VEC-Format: ImageType nicht FLOAT!");
        const int16_t rows = At<int16_t>(h, 10);
        const int16_t columns = At<int16_t>(h, 12);
        const int16_t subType = At<int16_t>(h, 14);
        int frames;      // frames the sub-type stores
        int framesRead;  // frames this reader uses (the peak ratio of sub-type 3 is not)
        switch (subType) {
            case 1:
                if (rows % 9 != 0)
                    return HeaderFailure(
                        "Ungültiges VEC-Format: Anzahl der zeilen nicht durch 9 teilbar (für 9 frames)!");
                frames = framesRead = 9;
                break;
            case 2:
                if (rows % 2 != 0)
                    return HeaderFailure(
                        "Ungültiges VEC-Format: Anzahl der zeilen nicht durch 2 teilbar (für 2 frames)!");
                frames = framesRead = 2;
                break;
            case 3:
                if (rows % 10 != 0)
                    return HeaderFailure(
                        "Ungültiges VEC-Format: Anzahl der zeilen nicht durch 10 teilbar (für 10 frames)!");
                frames = 10;
                framesRead = 9;
                break;
            default:
                return HeaderFailure(
                    "Ungültiges VEC-Format ('image sub type' ungültig)!\r\n"
                    "Es können nur folgende Formate gelesen werden:\r\n"
                    "   1: extended (PIV) vector format\r\n"
                    "   2: simple vector format\r\n"
                    "   3: extended vector format with peak ratio");
        }
        const int32_t nx = columns;
        const int32_t ny = rows / frames;
        if (nx <= 0 || ny <= 0) return Damaged();
        if (!GridFitsDocument(nx, ny)) {
            res_.messages.push_back(FieldTooLargeMessage(nx, ny));
            return false;
        }
        nodes_ = static_cast<size_t>(nx) * static_cast<size_t>(ny);
        frameBytes_ = nodes_ * 4;
        // check the length before sizing anything by it
        if (src_.Size() < kHeaderSize + static_cast<uint64_t>(framesRead) * frameBytes_) return Damaged();

        const int16_t grid = At<int16_t>(h, 20);
        const double fx = At<float>(h, 54), ox = At<float>(h, 58);
        const double fy = At<float>(h, 86), oy = At<float>(h, 90);
        const double fi = At<float>(h, 118);
        const double dx = fx * grid, dy = fy * grid;
        const double x0 = ox + dx / 2, y0 = oy + dy / 2;
        if (dx == 0) return Damaged();
        scaleU_ = fi;
        scaleV_ = dy * fi / dx;
        for (double v : {dx, dy, x0, y0, scaleU_, scaleV_})
            if (!std::isfinite(v)) return Damaged();
        std::optional<int32_t> pixelsPerCm = fx == 0 ? std::optional<int32_t>(0) : RoundToInt32(1.0 / fx);
        std::optional<int32_t> timeInterval =
            (fi == 0 || grid == 0) ? std::optional<int32_t>(0) : RoundToInt32(dx / grid / fi * 1000);
        if (!pixelsPerCm || !timeInterval) return Damaged();

        doc_.Resize(nx, ny);
        RecordingHeader &hd = doc_.Header;
        hd.GridStepX = hd.GridStepY = grid;
        hd.DateAndTime = HeaderText(h, 34, 9);
        if (h[43] != 0) hd.DateAndTime += " " + HeaderText(h, 43, 9);
        for (std::string *t :
             {&hd.Recording1, &hd.Recording2, &hd.FlowType, &hd.PhaseType, &hd.RecordingType, &hd.Algorithm})
            *t = kNoInformation;
        hd.ImageWidth = hd.ImageHeight = hd.InterrogationWidth = hd.InterrogationHeight = 0;
        hd.FirstColumnPixel = hd.FirstRowPixel = 0;
        hd.PixelsPerCm = *pixelsPerCm;
        hd.TimeInterval = *timeInterval;
        for (int32_t i = 1; i <= nx; ++i) doc_.PosX(i) = (i - 1) * dx + x0;
        for (int32_t j = 1; j <= ny; ++j) doc_.PosY(j) = (j - 1) * dy + y0;
        const std::string info1 = HeaderText(h, 148, 40), info2 = HeaderText(h, 188, 40);
        doc_.InfoText = info1 + (info1.empty() ? "" : "\r\n") + info2 + (info2.empty() ? "" : "\r\n");

        if (subType == 2) {
            if (!SimpleFrames()) return Damaged();
        } else {
            if (!PeakFrames()) return Damaged();
        }
        doc_.ValidCount = doc_.CountValid();
        return true;
    }

private:
    bool HeaderFailure(const char *text) {
        res_.messages.push_back(HeaderError(text));
        return Damaged();
    }
    bool Damaged() {
        res_.messages.push_back(DamagedFile());
        return false;
    }
    const char *Frame(int number) {
        return src_.Get(kHeaderSize + static_cast<uint64_t>(number - 1) * frameBytes_, frameBytes_);
    }

    bool PeakFrames() {
        const int32_t nx = doc_.NX, ny = doc_.NY;
        const char *f = Frame(1);
        if (!f) return false;
        int32_t *status = doc_.Statuses.data();
        size_t perPeak[5] = {};
        // the first node outside 0..4 in the order i outer, j inner
        int32_t badI = 0, badStatus = 0;
        size_t k = 0;
        for (int32_t j = 1; j <= ny; ++j) {
            for (int32_t i = 1; i <= nx; ++i, ++k) {
                const float v = FloatAt(f, k);
                int32_t s;
                if (v >= 0.f && v <= 4.f && v == static_cast<float>(static_cast<int32_t>(v))) {
                    s = static_cast<int32_t>(v);
                } else {
                    std::optional<int32_t> r = RoundToInt32(v);
                    if (!r) return false;
                    s = *r;
                }
                status[k] = s;
                if (s >= 0 && s <= 4) {
                    ++perPeak[s];
                } else if (badI == 0 || i < badI) {
                    badI = i;
                    badStatus = s;
                }
            }
        }
        // each node takes its components from the frames of its own peak
        for (int32_t peak = 1; peak <= 4; ++peak) {
            if (perPeak[peak] == 0) continue;
            for (int c = 0; c < 2; ++c) {
                const char *frame = Frame(2 * peak + c);
                if (!frame) return false;
                double *out = c == 0 ? doc_.Us.data() : doc_.Vs.data();
                const double scale = c == 0 ? scaleU_ : scaleV_;
                for (size_t n = 0; n < nodes_; ++n) {
                    if (status[n] != peak) continue;
                    const double v = FloatAt(frame, n) * scale;
                    if (!std::isfinite(v)) return false;
                    out[n] = v;
                }
            }
        }
        if (badI != 0)
            res_.messages.push_back({"Ungültiger Status eines Vektors:  frame " + StrNumber(badStatus), MsgIcon::None,
                                     MsgButtons::Ok, "Strudelax"});
        return true;
    }

    bool SimpleFrames() {
        bool nullVectors = false;
        for (int c = 0; c < 2; ++c) {
            const char *frame = Frame(1 + c);
            if (!frame) return false;
            double *out = c == 0 ? doc_.Us.data() : doc_.Vs.data();
            const double scale = c == 0 ? scaleU_ : scaleV_;
            for (size_t n = 0; n < nodes_; ++n) {
                const double v = FloatAt(frame, n) * scale;
                if (!std::isfinite(v)) return false;
                out[n] = v;
            }
        }
        std::fill(doc_.Statuses.begin(), doc_.Statuses.end(), static_cast<int32_t>(StatusValid));
        for (size_t n = 0; n < nodes_ && !nullVectors; ++n) nullVectors = doc_.Us[n] == 0 && doc_.Vs[n] == 0;
        if (nullVectors && ask_ && ask_(NullVectorQuestion())) {
            for (size_t n = 0; n < nodes_; ++n)
                if (doc_.Us[n] == 0 && doc_.Vs[n] == 0) doc_.Statuses[n] = StatusInvalid;
        }
        return true;
    }

    Source &src_;
    VectorDocument &doc_;
    const AskYesNo &ask_;
    ReadResult &res_;
    size_t nodes_ = 0;
    uint64_t frameBytes_ = 0;
    double scaleU_ = 0, scaleV_ = 0;
};

ReadResult Read(Source &src, VectorDocument &doc, const AskYesNo &ask) {
    ReadResult res;
    VecReader reader(src, doc, ask, res);
    res.ok = reader.Run();
    return res;
}

}  // namespace

ReadResult ReadVecBytes(const std::string &bytes, VectorDocument &doc, const AskYesNo &ask) {
    BytesSource src(bytes);
    return Read(src, doc, ask);
}

ReadResult ReadVecFile(const std::string &path, VectorDocument &doc, const AskYesNo &ask) {
    FileSource src;
    if (!src.Open(path)) {
        ReadResult res;
        res.messages.push_back(OpenFailure());
        return res;
    }
    return Read(src, doc, ask);
}

}  // namespace sx
