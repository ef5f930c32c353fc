#pragma once
// Synthetic PIV fields: two counter-rotating Lamb-Oseen vortices in a uniform
// flow, with measurement noise, invalid and removed nodes and a few outliers.
// The same options and seed always give the same field.

#include <cstdint>

#include "VectorDocument.h"

namespace sx {

struct SampleFieldOptions {
    int32_t nx = 40, ny = 30;
    uint64_t seed = 19990317;
    double noise = 0.03;          // standard deviation of each component, m/s
    double invalidShare = 0.02;   // status 0, components kept
    double removedShare = 0.01;   // status -1, no vector
    double outlierShare = 0.005;  // valid, but far off the flow
};

// The grid is laid out as an EdPIV recording would be (16-pixel grid, 32-pixel
// windows, 200 pixels/cm, 25 microseconds), so the DAT writer and reader
// reproduce its positions exactly.
VectorDocument MakeSampleField(const SampleFieldOptions &options);

}  // namespace sx
