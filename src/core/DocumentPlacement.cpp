#include "DocumentPlacement.h"

#include <algorithm>

namespace sx {

namespace {

// How many places of offset fit beside a window of this size.
int32_t Places(int32_t areaW, int32_t areaH, int32_t step, const PlaceRect &size) {
    if (step <= 0) return 1;
    const int32_t byW = (areaW - size.width) / step;
    const int32_t byH = (areaH - size.height) / step;
    return std::max<int32_t>(1, std::min(byW, byH) + 1);
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
    const int32_t places = Places(areaW, areaH, step, size);
    out.reserve(static_cast<size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        PlaceRect r = size;
        r.x = r.y = (k % places) * std::max<int32_t>(0, step);
        out.push_back(r);
    }
    return out;
}

PlaceRect NextWindowRect(int32_t areaW, int32_t areaH, int32_t step, bool hasPrevious, int32_t prevX, int32_t prevY) {
    PlaceRect r = CascadeSize(areaW, areaH, step);
    if (!hasPrevious || step <= 0) return r;
    const int32_t x = prevX + step, y = prevY + step;
    // a window moved by the user may sit anywhere: only a place inside counts
    if (x >= 0 && y >= 0 && x + r.width <= areaW && y + r.height <= areaH) {
        r.x = x;
        r.y = y;
    }
    return r;
}

}  // namespace sx
