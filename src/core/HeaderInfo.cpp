#include "HeaderInfo.h"

#include "Numbers.h"

namespace sx {

const char *const kHeaderFrameCaption = "File Header";

namespace {

const char kCrLf[] = "\r\n";

std::string Str(int32_t n) { return StrNumberUntrimmed(static_cast<double>(n)); }

}  // namespace

std::string TrafoLine(char axis, double shift) {
    const std::string prefix = std::string(1, axis) + "-Trafo: ";
    if (shift > 0) return prefix + "+" + StrNumber(shift);
    return prefix + StrNumberUntrimmed(shift);
}

HeaderTexts HeaderInfoTexts(const VectorDocument &doc) {
    const RecordingHeader &h = doc.Header;
    HeaderTexts t;
    t.Header1 = "Date and Time: " + h.DateAndTime + kCrLf + "Recording 1: " + h.Recording1 + kCrLf +
                "Recording 2: " + h.Recording2 + kCrLf + "Flow Type: " + h.FlowType + kCrLf +
                "Phase Type: " + h.PhaseType + kCrLf;
    t.Header2 = "Recording Type: " + h.RecordingType + kCrLf + "Algorithm: " + h.Algorithm + kCrLf +
                "Image Size [pixels]:" + Str(h.ImageWidth) + " x" + Str(h.ImageHeight) + kCrLf +
                "Interrogation Window [pixels]:" + Str(h.InterrogationWidth) + " x" + Str(h.InterrogationHeight) +
                kCrLf + "Interrogation Grid [pixels]:" + Str(h.GridStepX) + " x" + Str(h.GridStepY) + kCrLf;
    t.Header3 = "Image/Object Ratio [pixels/cm]:" + Str(h.PixelsPerCm) + kCrLf +
                "Time Interval [microsecond]:" + Str(h.TimeInterval) + kCrLf +
                "Interrogation Points:" + Str(doc.ValidCount) + kCrLf + TrafoLine('x', doc.TrafoShiftX) + kCrLf +
                TrafoLine('y', doc.TrafoShiftY);
    return t;
}

}  // namespace sx
