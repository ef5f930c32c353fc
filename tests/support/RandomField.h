#pragma once
// Pseudo-random fields for holding a fast path against its plain version:
// the same seed gives the same field on every platform.

#include <cstdint>

#include "SplitMix64.h"
#include "VectorDocument.h"

namespace sx {

// Noisy: every magnitude different. Ties: components from {-1, -.5, 0, .5, 1},
// so that many neighbours share a magnitude, in different directions, and
// some vectors are (0, 0). Decimals: four decimals as read from DAT files,
// where a sum's last bit decides many roundings of the table's texts.
enum class FieldValues { Noisy, Ties, Decimals };

// nx x ny nodes 0.75 mm by 0.5 mm apart; about 8 % of them invalid, 4 %
// removed, 4 % questionable, 3 % interpolated, the rest valid.
inline VectorDocument RandomField(int nx, int ny, FieldValues kind, uint64_t seed) {
    SplitMix64 rnd(seed);
    VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = 0.75 * i - 3;
    for (int j = 1; j <= ny; ++j) d.PosY(j) = 20 - 0.5 * j;
    for (int i = 1; i <= nx; ++i)
        for (int j = 1; j <= ny; ++j) {
            if (kind == FieldValues::Noisy) {
                d.U(i, j) = 2 * rnd.Uniform() - 1 + 0.1 * i;
                d.V(i, j) = 2 * rnd.Uniform() - 1 - 0.05 * j;
            } else if (kind == FieldValues::Decimals) {
                d.U(i, j) = (static_cast<double>(rnd.Below(20001)) - 10000) / 1e4;
                d.V(i, j) = (static_cast<double>(rnd.Below(2001)) - 1000) / 1e4;
            } else {
                d.U(i, j) = 0.5 * (static_cast<double>(rnd.Below(5)) - 2);
                d.V(i, j) = 0.5 * (static_cast<double>(rnd.Below(5)) - 2);
            }
            const uint64_t pick = rnd.Below(100);
            d.Status(i, j) = pick < 8    ? StatusInvalid
                             : pick < 12 ? StatusRemoved
                             : pick < 16 ? StatusQuestionable
                             : pick < 19 ? StatusInterpolated
                                         : StatusValid;
        }
    d.ValidCount = d.CountValid();
    return d;
}

}  // namespace sx
