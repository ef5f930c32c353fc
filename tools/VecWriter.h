#pragma once
// DaVis vector files for tests and benchmarks. The program itself never writes them.

#include <cstdint>
#include <string>
#include <vector>

#include "VectorDocument.h"

namespace sx {

// The header fields the reader uses; everything else stays zero.
struct VecHeader {
    int16_t imageType = 20;
    int16_t rows = 0, columns = 0, subType = 1;
    int16_t grid = 16;
    std::string date, time;    // 9-byte fields: up to 8 characters get a closing zero byte
    std::string info1, info2;  // 40-byte fields
    float fx = 1, ox = 0, fy = 1, oy = 0, fi = 1;
};

// The 256-byte header followed by the frames as given (each row after row).
std::string VecBytesRaw(const VecHeader &header, const std::vector<std::vector<float>> &frames);

// A document as sub-format 1 (9 frames), 2 (2 frames) or 3 (10 frames).
// Statuses 1..4 keep their peak, other valid ones become peak 1 and invalid or
// removed nodes status 0; the frames of the other peaks hold different vectors,
// so a reader that takes the wrong peak is caught. Sub-format 2 writes null
// vectors for nodes that are not valid. Frames hold pixel displacements:
// fi = 10000 / (PixelsPerCm * TimeInterval), fx = dx / grid.
std::string VecBytes(const VectorDocument &doc, int subType);

}  // namespace sx
