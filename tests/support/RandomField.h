#pragma once
// Pseudo-random fields for holding a fast path against its plain version:
// the same seed gives the same field on every platform.

#include <cstdint>

#include "VectorDocument.h"

namespace sx {

// Noisy: every magnitude different. Ties: components from {-1, -.5, 0, .5, 1},
// so that many neighbours share a magnitude, in different directions, and
// some vectors are (0, 0).
enum class FieldValues { Noisy, Ties };

// nx x ny nodes 0.75 mm by 0.5 mm apart; about 8 % of them invalid, 4 %
// removed, 4 % questionable, 3 % interpolated, the rest valid.
VectorDocument RandomField(int nx, int ny, FieldValues kind, uint64_t seed);

}  // namespace sx
