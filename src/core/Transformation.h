#pragma once
// Coordinate transformation (scale and shift of positions, scale of the
// components) and the mirror of a field's column and row order.

#include <optional>
#include <string>

#include "VectorDocument.h"

namespace sx {

struct XYTrafo {
    double FakX = 1, DeltaX = 0;
    double FakY = 1, DeltaY = 0;
    double FakVecX = 1, FakVecY = 1;

    bool CoordinateChange() const { return DeltaX != 0 || DeltaY != 0 || FakX != 1 || FakY != 1; }
    bool VectorChange() const { return FakVecX != 1 || FakVecY != 1; }
};

// A box of the transformation dialog as a number: the leading number of the
// text, "." the only separator, empty reads 0. A value that does not fit a
// double reads 0 too, so that it is refused like an empty factor.
double TrafoBoxValue(const std::string &text);

// The message that refuses the factors, or nullopt when they are acceptable.
std::optional<std::string> CheckTrafoFactors(const XYTrafo &t);

// Key filter of the dialog's number boxes: the character to insert (a ","
// becomes "."), or nullopt when it is dropped. `caret` is the selection start.
std::optional<char32_t> FilterTrafoKey(char32_t c, const std::string &text, int caret);

// Positions, critical point and stored streamline starts when the coordinates
// change; every component, whatever its status, when the vectors change.
// The shift sums grow by the shifts as entered.
void ApplyXYTrafo(VectorDocument &doc, const XYTrafo &t);

// Reverses the order of the columns (x) and/or rows (y): components, status
// and positions travel together; the middle column or row of an odd count stays.
void MirrorField(VectorDocument &doc, bool mirrorX, bool mirrorY);

}  // namespace sx
