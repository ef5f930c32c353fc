#include "BitmapExport.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"
#include "Paths.h"

namespace sx {

std::string PicSizeEstimateText(double w, double h, char decimalSeparator) {
    return "Dateigröße etwa: " + FormatFixed(w * 4 * h / 1048576, 3, decimalSeparator) + " MB";
}

bool SizeKeyAccepted(char32_t key) { return key < 28 || (key >= U'0' && key <= U'9'); }

std::optional<char32_t> RefVecKeyFilter(const std::u32string &text, size_t caret, char32_t key) {
    if (key < 28) return key;
    const bool hasMinus = text.find(U'-') != std::u32string::npos;
    if (key == U'-') {
        if (caret == 0 && !hasMinus) return key;
        return std::nullopt;
    }
    // nothing goes in front of the sign
    if (!text.empty() && text[0] == U'-' && caret == 0) return std::nullopt;
    if (key == U',') key = U'.';
    if (key == U'.') {
        if (text.find(U'.') != std::u32string::npos) return std::nullopt;
        return key;
    }
    if (key >= U'0' && key <= U'9') return key;
    return std::nullopt;
}

bool PicSizeAcceptable(double w, double h) { return !(w < 100 || h < 100); }

UserMessage PicSizeTooSmallMessage() {
    return {"Falsche Größenangaben! Höhe und Breite sollten wenigstens 100 Pixel groß sein!", MsgIcon::Information,
            MsgButtons::Ok, "Ungültige Größe"};
}

UserMessage BitmapTooLargeMessage() {
    return {"Für eine Bitmap dieser Größe reicht der Speicher nicht aus!", MsgIcon::Exclamation, MsgButtons::Ok,
            "Bitmap exportieren"};
}

UserMessage BitmapSavedMessage() {
    return {"Bitmap gespeichert...", MsgIcon::Information, MsgButtons::Ok, "Bitmap exportieren"};
}

UserMessage BitmapSaveErrorMessage() {
    return {
        "Die aktuelle Datei kann nicht gespeichert werden, da die auf der Festplatte existierende Datei "
        "schreibgeschützt ist. Ändern Sie das Schreibschutz-Attribut oder speichern Sie unter einem anderen "
        "Namen!",
        MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern"};
}

std::string BitmapDefaultName(const std::string &filePath) { return BaseNameOf(filePath); }

std::string BitmapTargetPath(const std::string &chosenPath) { return WithoutExtension(chosenPath) + ".bmp"; }

namespace {
int Px(double twips, double tpp) {
    const double p = std::round(twips / tpp);
    return p < 0 ? 0 : static_cast<int>(std::min(p, 1e9));
}
}  // namespace

BitmapLayout ComputeBitmapLayout(int w, int h, bool showCoordSystem, double yAxisWidth, double xAxisHeight, double tppX,
                                 double tppY) {
    BitmapLayout L;
    w = std::max(0, w);
    h = std::max(0, h);
    // the picture has no border: outer and inner size are the same
    const double P = w * tppX, Q = h * tppY;
    if (showCoordSystem && P - yAxisWidth > 0 && Q - xAxisHeight > 0) {
        const auto rp = RoundToInt32(P), rq = RoundToInt32(Q);
        const int32_t s = yAxisWidth < xAxisHeight ? (rp ? *rp / 20 : 0) : (rq ? *rq / 20 : 0);
        // a strip as thick as the whole bitmap would leave a plot of no size
        if (s > 0 && P - s > 0 && Q - s > 0) {
            L.WithAxes = true;
            const int sx = std::min(w - 1, Px(s, tppX));
            const int plotH = std::min(h - 1, Px(Q - s, tppY));
            L.YAxis = {0, 0, sx, plotH};
            L.Plot = {sx, 0, w - sx, plotH};
            L.XAxis = {sx, plotH, w - sx, h - plotH};
            L.FrameLeft = sx;
            L.FrameTop = 0;
            L.FrameRight = std::max(sx, Px(P - 8, tppX));
            L.FrameBottom = plotH;
            if (L.FrameRight > w - 1) L.FrameRight = w - 1;
            return L;
        }
    }
    L.Plot = {0, 0, w, h};
    L.FrameRight = std::min(w - 1, Px(P - 8, tppX));
    L.FrameBottom = std::min(h - 1, Px(Q - 8, tppY));
    return L;
}

}  // namespace sx
