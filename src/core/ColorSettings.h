#pragma once
// The computations behind the colour settings dialog: the data extremes its
// insert buttons offer, the order check of the colour scale, the key filter
// of its value boxes, the stored standard colours and the palette rows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "VectorDocument.h"

namespace sx {

struct ValueExtremes {
    double Max = 1, Min = -1;
};
// Largest and smallest background value over every node whatever its
// status; 1 and -1 when no background is shown. Values that are not finite
// are skipped (they would make every insert button useless); a background
// without any finite value counts as no background.
ValueExtremes BackgroundExtremes(const VectorDocument &doc);

// The scale is usable when max > null > min and all three are finite.
bool ColorScaleValid(double max, double null, double min);
std::string ColorScaleInvalidMessage();
extern const char *const kColorDialogTitle;

// Key filter of the scale boxes: the character to insert, or 0 to drop it.
// "," becomes "."; "-", ".", digits and control codes below 28 pass.
int ColorValueKey(int code);

// A stored standard colour: a whole number in the 32-bit range, else `fallback`.
int32_t ColorFromSettingText(const std::string &text, int32_t fallback);
std::string ColorSettingText(int32_t color);

// Tooltips of the insert buttons.
std::string MaxButtonTip(double max);
std::string MinusMinButtonTip(double min);
std::string MiddleButtonTip(double mean);
std::string MinusMaxButtonTip(double max);
std::string MinButtonTip(double min);
extern const char *const kNullButtonTip;

// The vertical palette: row 0 at the top in the maximum colour, the null
// colour at NullRow, toward the minimum colour down to the last row.
struct Palette {
    int NullRow = 0;
    std::vector<int32_t> Rows;  // one colour per row, `height` rows
};
// Empty when the scale is not in order (the palette stays blank then) or the
// picture has no rows.
std::optional<Palette> ComputePalette(double max, double null, double min, int height, int32_t colMax, int32_t colNull,
                                      int32_t colMin);

}  // namespace sx
