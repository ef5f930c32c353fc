#include "SdxFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "BinaryIO.h"
#include "ByteSink.h"
#include "Cp1252.h"
#include "DocumentLimit.h"

namespace sx {

namespace {

const char kMagic[] = "Strudelax";
constexpr size_t kMagicLen = 9;

UserMessage ReadFailure() {
    return {"Fehler in dieser SDX-Datei! Datei beschädigt oder falsches Format?", MsgIcon::Exclamation,
            MsgButtons::OkCancel, "Fehler"};
}

// Branch-free over the exponent bits so that the loop vectorises: adding
// one to an all-ones exponent carries into the top bit, and only there.
// (out of line: inlined into the parser the loop is not vectorised; with
// wider vectors where the processor has them, as the check runs over every
// value of a file being opened)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
[[gnu::target_clones("avx2", "default")]]
#endif
[[gnu::noinline]] bool
AllFinite(const double *p, size_t n) {
    constexpr uint64_t kExponent = 0x7FF0000000000000ull, kOne = 0x0010000000000000ull;
    uint64_t acc = 0;
    for (size_t k = 0; k < n; ++k) {
        uint64_t bits;
        std::memcpy(&bits, p + k, sizeof bits);
        acc |= (bits & kExponent) + kOne;
    }
    return (acc >> 63) == 0;
}

// Reads fields 2..26 from a buffer or a file; false on any failure.
template <typename Reader>
class SdxParser {
public:
    SdxParser(Reader &r, VectorDocument &doc, Messages &msgs) : r_(r), doc_(doc), msgs_(msgs) {}
    // The grid was refused for its size and said so: no second box.
    bool TooLarge() const { return tooLarge_; }
    bool TextsCut() const { return textsCut_; }

    bool Run() {
        int16_t version;
        if (!r_.Read(version)) return false;
        RecordingHeader &h = doc_.Header;
        for (std::string *t :
             {&h.DateAndTime, &h.Recording1, &h.Recording2, &h.FlowType, &h.PhaseType, &h.RecordingType, &h.Algorithm})
            if (!Text(*t)) return false;
        int32_t nx, ny;
        for (int32_t *v :
             {&h.ImageWidth, &h.ImageHeight, &h.InterrogationWidth, &h.InterrogationHeight, &h.GridStepX, &h.GridStepY,
              &h.FirstColumnPixel, &h.FirstRowPixel, &h.PixelsPerCm, &h.TimeInterval, &nx, &ny, &doc_.ValidCount})
            if (!r_.Read(*v)) return false;
        if (nx < 1 || ny < 1) return false;
        if (!GridFitsDocument(nx, ny)) {
            msgs_.push_back(FieldTooLargeMessage(nx, ny));
            tooLarge_ = true;
            return false;
        }
        // never allocate more than the file can fill
        const uint64_t nodes = static_cast<uint64_t>(nx) * static_cast<uint64_t>(ny);
        const uint64_t need = 8ull * static_cast<uint64_t>(nx) + 8ull * static_cast<uint64_t>(ny) + 20ull * nodes;
        if (need > r_.Remaining()) return false;
        doc_.NX = nx;
        doc_.NY = ny;
        if (!r_.ReadArray(doc_.PosXs, static_cast<size_t>(nx), AllFinite) ||
            !r_.ReadArray(doc_.PosYs, static_cast<size_t>(ny), AllFinite) || !r_.ReadArray(doc_.Us, nodes, AllFinite) ||
            !r_.ReadArray(doc_.Vs, nodes, AllFinite) || !r_.ReadArray(doc_.Statuses, nodes))
            return false;
        AssignZeros(doc_.BackValues, nodes);

        int32_t reserved;
        int16_t critShown;
        if (!r_.Read(reserved) || !Double(doc_.TrafoShiftX) || !Double(doc_.TrafoShiftY) || !r_.Read(critShown))
            return false;
        doc_.View.CritPointShown = critShown != 0;
        if (!Double(doc_.CritPointX) || !Double(doc_.CritPointY) || !Double(doc_.GalileiU) || !Double(doc_.GalileiV))
            return false;

        if (!Streamlines()) return false;

        if (!Double(doc_.VectorScale)) return false;
        for (int k = 0; k < ColorCount; ++k)
            if (!r_.Read(doc_.Colors[k])) return false;
        if (!r_.Skip(7 * sizeof(int32_t))) return false;
        if (!Double(doc_.BackMinValue) || !Double(doc_.BackNullValue) || !Double(doc_.BackMaxValue)) return false;

        int32_t flags;
        if (!r_.Read(flags)) return false;
        doc_.View.ShowHeader = flags & 1;
        doc_.View.ShowTable = flags & 2;
        doc_.View.ShowVectorfield = flags & 4;
        if (!Double(doc_.SpareValue1) || !Double(doc_.SpareValue2) || !Double(doc_.SpareValue3)) return false;
        int16_t coord, aspect;
        if (!r_.Read(coord) || !r_.Read(aspect)) return false;
        doc_.View.ShowCoordSystem = coord != 0;
        doc_.View.AspectRatioCorrection = aspect != 0;
        int32_t mode;
        if (!r_.Read(mode)) return false;
        if (mode == BackNone || mode == BackSwirlSquare || mode == BackVorticity) doc_.View.Background = mode;
        if (!Text(doc_.InfoText)) return false;
        int32_t endMarker;
        return r_.Read(endMarker);
    }

private:
    bool Text(std::string &out) {
        int32_t len;
        // nothing is sized by the length: above the bound only the bound is
        // read and the rest skipped (one byte a character, so any cut is whole)
        if (!r_.Read(len) || len < 0 || static_cast<size_t>(len) > r_.Remaining()) return false;
        const size_t keep = std::min(static_cast<size_t>(len), kMaxTextBytes);
        std::string raw;
        if (!r_.ReadBytes(raw, keep) || !r_.Skip(static_cast<size_t>(len) - keep)) return false;
        if (keep < static_cast<size_t>(len)) textsCut_ = true;
        out = Cp1252ToUtf8(raw);
        return true;
    }
    bool Double(double &out) { return r_.Read(out) && std::isfinite(out); }

    bool Streamlines() {
        int32_t n;
        if (!r_.Read(n) || n < 0) return false;
        if (static_cast<uint64_t>(n) * 32u > r_.Remaining()) return false;
        TrajectoryRing &t = doc_.Trajectories;
        int32_t keep = n;
        if (n > kMaxTrajectories) {
            msgs_.push_back({"Warnung: Es können nicht alle Stromlinien eingelesen werden!", MsgIcon::Information,
                             MsgButtons::Ok, "Datei öffnen"});
            keep = kMaxTrajectories;
        }
        t.Count = keep;
        for (int32_t k = 0; k < keep; ++k)
            if (!Double(t.X0[k]) || !Double(t.Y0[k]) || !Double(t.Step[k]) || !Double(t.Spare[k])) return false;
        if (!r_.Skip(static_cast<size_t>(n - keep) * 32u)) return false;
        if (!r_.Read(t.Last)) return false;
        if (t.Last > kMaxTrajectories) t.Last = kMaxTrajectories;
        if (t.Last < 0) t.Last = 0;
        return true;
    }

    Reader &r_;
    VectorDocument &doc_;
    Messages &msgs_;
    bool tooLarge_ = false;
    bool textsCut_ = false;
};

ReadResult NotAnSdxFile() {
    ReadResult res;
    res.messages.push_back(
        {"Fehler: Dies ist keine gültige SDX-Datei!", MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Öffnen"});
    res.messages.push_back(ReadFailure());
    return res;
}

}  // namespace

ReadResult ReadSdxBytes(const std::string &bytes, VectorDocument &doc) {
    ReadResult res;
    if (bytes.size() < kMagicLen || bytes.compare(0, kMagicLen, kMagic) != 0) return NotAnSdxFile();
    ByteReader r(bytes.data() + kMagicLen, bytes.size() - kMagicLen);
    SdxParser<ByteReader> p(r, doc, res.messages);
    res.ok = p.Run();
    res.textsCut = res.ok && p.TextsCut();
    if (!res.ok && !p.TooLarge()) res.messages.push_back(ReadFailure());
    return res;
}

ReadResult ReadSdxFile(const std::string &path, VectorDocument &doc) {
    ReadResult res;
    std::FILE *f = std::fopen(path.c_str(), "rb");
    struct stat st {};
    if (!f || ::fstat(::fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        if (f) std::fclose(f);
        res.messages.push_back(
            {"Öffnen dieser SDX-Datei fehlgeschlagen! Datei schreibgeschützt oder bereits verwendet?",
             MsgIcon::Exclamation, MsgButtons::OkCancel, "Fehler"});
        return res;
    }
    // the arrays are read straight into the document
    const size_t size = static_cast<size_t>(st.st_size);
    char magic[kMagicLen];
    if (size < kMagicLen || std::fread(magic, 1, kMagicLen, f) != kMagicLen ||
        std::memcmp(magic, kMagic, kMagicLen) != 0) {
        std::fclose(f);
        return NotAnSdxFile();
    }
    FileByteReader r(f, size - kMagicLen);
    SdxParser<FileByteReader> p(r, doc, res.messages);
    res.ok = p.Run();
    std::fclose(f);
    res.textsCut = res.ok && p.TextsCut();
    if (!res.ok && !p.TooLarge()) res.messages.push_back(ReadFailure());
    return res;
}

bool WriteSdx(const VectorDocument &doc, ByteSink &sink) {
    // the fields around the arrays are gathered in a small buffer; the
    // arrays go to the sink straight from the document
    std::string out;
    ByteWriter w(out);
    auto text = [&](const std::string &utf8) {
        std::string b = Utf8ToCp1252(utf8);
        w.Write(static_cast<int32_t>(b.size()));
        w.WriteBytes(b);
    };
    auto array = [&](const auto &v) {
        using T = typename std::decay_t<decltype(v)>::value_type;
        return v.empty() || sink.Write(reinterpret_cast<const char *>(v.data()), v.size() * sizeof(T));
    };
    w.WriteBytes(std::string(kMagic, kMagicLen));
    w.Write(static_cast<int16_t>(1));
    const RecordingHeader &h = doc.Header;
    for (const std::string *t :
         {&h.DateAndTime, &h.Recording1, &h.Recording2, &h.FlowType, &h.PhaseType, &h.RecordingType, &h.Algorithm})
        text(*t);
    for (int32_t v :
         {h.ImageWidth, h.ImageHeight, h.InterrogationWidth, h.InterrogationHeight, h.GridStepX, h.GridStepY,
          h.FirstColumnPixel, h.FirstRowPixel, h.PixelsPerCm, h.TimeInterval, doc.NX, doc.NY, doc.ValidCount})
        w.Write(v);
    if (!sink.Write(out) || !array(doc.PosXs) || !array(doc.PosYs) || !array(doc.Us) || !array(doc.Vs) ||
        !array(doc.Statuses))
        return false;
    out.clear();
    w.Write(int32_t{0});
    w.Write(doc.TrafoShiftX);
    w.Write(doc.TrafoShiftY);
    w.Write(static_cast<int16_t>(doc.View.CritPointShown ? -1 : 0));
    for (double v : {doc.CritPointX, doc.CritPointY, doc.GalileiU, doc.GalileiV}) w.Write(v);
    const TrajectoryRing &t = doc.Trajectories;
    w.Write(t.Count);
    for (int32_t k = 0; k < t.Count && k < kMaxTrajectories; ++k)
        for (double v : {t.X0[k], t.Y0[k], t.Step[k], t.Spare[k]}) w.Write(v);
    w.Write(t.Last);
    w.Write(doc.VectorScale);
    for (int k = 0; k < ColorCount; ++k) w.Write(doc.Colors[k]);
    for (int k = 0; k < 7; ++k) w.Write(int32_t{0});
    for (double v : {doc.BackMinValue, doc.BackNullValue, doc.BackMaxValue}) w.Write(v);
    w.Write(static_cast<int32_t>((doc.View.ShowHeader ? 1 : 0) + (doc.View.ShowTable ? 2 : 0) +
                                 (doc.View.ShowVectorfield ? 4 : 0)));
    for (double v : {doc.SpareValue1, doc.SpareValue2, doc.SpareValue3}) w.Write(v);
    w.Write(static_cast<int16_t>(doc.View.ShowCoordSystem ? -1 : 0));
    w.Write(static_cast<int16_t>(doc.View.AspectRatioCorrection ? -1 : 0));
    int32_t mode =
        (doc.View.Background == BackSwirlSquare || doc.View.Background == BackVorticity) ? doc.View.Background : 0;
    w.Write(mode);
    text(doc.InfoText);
    w.Write(int32_t{-1});
    return sink.Write(out);
}

bool SdxWritable(const VectorDocument &doc) {
    if (TextTooLongMessage(doc, false)) return false;
    const size_t nodes = doc.NodeCount();
    if (!GridFitsDocument(doc.NX, doc.NY) || doc.PosXs.size() != static_cast<size_t>(doc.NX) ||
        doc.PosYs.size() != static_cast<size_t>(doc.NY) || doc.Us.size() != nodes || doc.Vs.size() != nodes ||
        doc.Statuses.size() != nodes)
        return false;
    if (!AllFinite(doc.PosXs.data(), doc.PosXs.size()) || !AllFinite(doc.PosYs.data(), doc.PosYs.size()) ||
        !AllFinite(doc.Us.data(), nodes) || !AllFinite(doc.Vs.data(), nodes))
        return false;
    const TrajectoryRing &t = doc.Trajectories;
    if (t.Count < 0 || t.Count > kMaxTrajectories) return false;
    for (int32_t k = 0; k < t.Count; ++k)
        for (double v : {t.X0[k], t.Y0[k], t.Step[k], t.Spare[k]})
            if (!std::isfinite(v)) return false;
    for (double v :
         {doc.TrafoShiftX, doc.TrafoShiftY, doc.CritPointX, doc.CritPointY, doc.GalileiU, doc.GalileiV, doc.VectorScale,
          doc.BackMinValue, doc.BackNullValue, doc.BackMaxValue, doc.SpareValue1, doc.SpareValue2, doc.SpareValue3})
        if (!std::isfinite(v)) return false;
    return true;
}

SaveResult WriteSdxFile(const VectorDocument &doc, const std::string &path, std::optional<UserMessage> *refusal) {
    // a file the reader would refuse is not written; the old one stays
    if (std::optional<UserMessage> m = TextTooLongMessage(doc, false)) {
        if (refusal) *refusal = std::move(m);
        return SaveResult::WriteFailed;
    }
    if (!SdxWritable(doc)) return SaveResult::WriteFailed;
    return SaveThroughSink(path, [&](ByteSink &sink) { return WriteSdx(doc, sink); });
}

}  // namespace sx
