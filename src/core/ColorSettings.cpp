#include "ColorSettings.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "Numbers.h"

namespace sx {

const char *const kColorDialogTitle = "Strudelax - Farbeinstellungen";
const char *const kNullButtonTip = "0  einsetzen";

ValueExtremes BackgroundExtremes(const VectorDocument &doc) {
    ValueExtremes e;
    if (doc.View.Background == BackNone) return e;
    bool any = false;
    for (const double b : doc.BackValues) {
        if (!std::isfinite(b)) continue;
        if (!any) {
            e.Max = e.Min = b;
            any = true;
        } else if (b > e.Max) {
            e.Max = b;
        } else if (b < e.Min) {
            e.Min = b;
        }
    }
    return e;
}

bool ColorScaleValid(double max, double null, double min) {
    return std::isfinite(max) && std::isfinite(null) && std::isfinite(min) && max > null && null > min;
}

std::string ColorScaleInvalidMessage() {
    return "Die Wertebereiche in der Hintergrundfarbskala sind ungültig!\r\n"
           "Es muß gelten:   Maximaler Wert > Mittlerer Wert > Minimaler Wert";
}

int ColorValueKey(int code) {
    if (code == ',') return '.';
    if (code == '-' || code == '.' || (code >= '0' && code <= '9') || (code >= 0 && code < 28)) return code;
    return 0;
}

int32_t ColorFromSettingText(const std::string &text, int32_t fallback) {
    const char *begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    if (!*begin) return fallback;
    char *end = nullptr;
    errno = 0;
    const long long v = std::strtoll(begin, &end, 10);
    while (*end == ' ' || *end == '\t') ++end;
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return fallback;
    return static_cast<int32_t>(v);
}

std::string ColorSettingText(int32_t color) { return std::to_string(color); }

std::string MaxButtonTip(double max) { return "Maximalen Wert: " + StrNumber(max) + "  einsetzen"; }
std::string MinusMinButtonTip(double min) { return "- Minimalen Wert: " + StrNumber(-min) + "  einsetzen"; }
std::string MiddleButtonTip(double mean) { return "Mittelwert " + StrNumberUntrimmed(mean) + "  einsetzen"; }
std::string MinusMaxButtonTip(double max) { return "- Maximalen Wert: " + StrNumber(-max) + "  einsetzen"; }
std::string MinButtonTip(double min) { return "Minimalen Wert:" + StrNumber(min) + "  einsetzen"; }

namespace {
int Channel(double c) { return static_cast<int>(RoundHalfEven(std::clamp(c, 0.0, 255.0))); }

int32_t Blend(int32_t from, int32_t to, double t) {
    return Rgb(Channel(RedOf(from) + (RedOf(to) - RedOf(from)) * t),
               Channel(GreenOf(from) + (GreenOf(to) - GreenOf(from)) * t),
               Channel(BlueOf(from) + (BlueOf(to) - BlueOf(from)) * t));
}
}  // namespace

std::optional<Palette> ComputePalette(double max, double null, double min, int height, int32_t colMax, int32_t colNull,
                                      int32_t colMin) {
    if (!ColorScaleValid(max, null, min) || height <= 0) return std::nullopt;
    // a huge span overflows to infinity and the ratio to 0: the clamp below takes it
    const std::optional<int32_t> rounded = RoundToInt32((max - null) / (max - min) * height);
    if (!rounded) return std::nullopt;
    Palette p;
    p.NullRow = *rounded;
    if (p.NullRow < 1) p.NullRow = 1;
    if (p.NullRow >= height) p.NullRow = height - 1;
    p.Rows.resize(static_cast<size_t>(height));
    for (int y = 0; y <= p.NullRow; ++y)  // a one-row picture has its null row at 0
        p.Rows[static_cast<size_t>(y)] =
            Blend(colMax, colNull, p.NullRow > 0 ? static_cast<double>(y) / p.NullRow : 0.0);
    for (int y = p.NullRow + 1; y < height; ++y)
        p.Rows[static_cast<size_t>(y)] =
            Blend(colNull, colMin, static_cast<double>(y - p.NullRow) / (height - p.NullRow));
    return p;
}

}  // namespace sx
