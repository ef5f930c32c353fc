#pragma once
// Where document windows sit in the frame's client area: a cascade that keeps
// every window inside the visible area at a size that shows its views.

#include <cstdint>
#include <vector>

namespace sx {

struct PlaceRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

// The size every cascaded window gets in a client area of areaW x areaH
// pixels: as large as leaves room for a few steps of offset, but never less
// than two thirds of the area (nor more than the area).
PlaceRect CascadeSize(int32_t areaW, int32_t areaH, int32_t step);

// The cascade of `count` windows: window k one step right and down of
// window k-1. Where the next one would leave the area a new round begins at
// the left, one step below where the round before began, so that it never
// lands on a window of an earlier round and hides its title bar; only when
// no round fits any more does it start again at the top left.
std::vector<PlaceRect> CascadeRects(int32_t areaW, int32_t areaH, int32_t step, int32_t count);

// A new window after one at (prevX, prevY) (hasPrevious false: none open):
// the next place of the cascade above.
PlaceRect NextWindowRect(int32_t areaW, int32_t areaH, int32_t step, bool hasPrevious, int32_t prevX, int32_t prevY);

}  // namespace sx
