#include "DocumentPlacement.h"

#include <algorithm>

namespace sx {

namespace {

// Whether a window of `size` at (x, y) lies wholly inside the area.
bool Fits(const PlaceRect &size, int64_t x, int64_t y, int32_t areaW, int32_t areaH) {
    return x >= 0 && y >= 0 && x + size.width <= areaW && y + size.height <= areaH;
}

// The place after one at (prevX, prevY) for a window of `size`.
PlaceRect NextPlace(int32_t areaW, int32_t areaH, int32_t step, PlaceRect size, int32_t prevX, int32_t prevY) {
    PlaceRect r = size;
    const int64_t x = int64_t{prevX} + step, y = int64_t{prevY} + step;
    if (Fits(size, x, y, areaW, areaH)) {
        r.x = static_cast<int32_t>(x);
        r.y = static_cast<int32_t>(y);
        return r;
    }
    // a new round one step below the start of the last one; a window moved
    // by the user may sit anywhere, then its round counts as the first
    const int64_t below = std::max<int64_t>(0, int64_t{prevY} - prevX) + step;
    if (Fits(size, 0, below, areaW, areaH)) r.y = static_cast<int32_t>(below);
    return r;
}

}  // namespace

PlaceRect CascadeSize(int32_t areaW, int32_t areaH, int32_t step) {
    areaW = std::max<int32_t>(0, areaW);
    areaH = std::max<int32_t>(0, areaH);
    step = std::max<int32_t>(0, step);
    PlaceRect r;
    // room for four steps of offset, down to two thirds of the area
    r.width = std::min(areaW, std::max(areaW - 4 * step, areaW * 2 / 3));
    r.height = std::min(areaH, std::max(areaH - 4 * step, areaH * 2 / 3));
    return r;
}

std::vector<PlaceRect> CascadeRects(int32_t areaW, int32_t areaH, int32_t step, int32_t count) {
    std::vector<PlaceRect> out;
    if (count <= 0) return out;
    const PlaceRect size = CascadeSize(areaW, areaH, step);
    out.reserve(static_cast<size_t>(count));
    out.push_back(size);
    for (int32_t k = 1; k < count; ++k)
        out.push_back(step > 0 ? NextPlace(areaW, areaH, step, size, out.back().x, out.back().y) : size);
    return out;
}

PlaceRect NextWindowRect(int32_t areaW, int32_t areaH, int32_t step, bool hasPrevious, int32_t prevX, int32_t prevY) {
    const PlaceRect r = CascadeSize(areaW, areaH, step);
    if (!hasPrevious || step <= 0) return r;
    return NextPlace(areaW, areaH, step, r, prevX, prevY);
}

}  // namespace sx
