#pragma once
// The field most core tests start from: every vector valid, positions and
// components given by the test.

#include "VectorDocument.h"

namespace sx {

// Column i at x(i) mm, row j at y(j) mm, components uv(i, j, u, v).
template <class X, class Y, class UV>
VectorDocument ValidField(int nx, int ny, X x, Y y, UV uv) {
    VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = x(i);
    for (int j = 1; j <= ny; ++j) d.PosY(j) = y(j);
    for (int i = 1; i <= nx; ++i)
        for (int j = 1; j <= ny; ++j) {
            uv(i, j, d.U(i, j), d.V(i, j));
            d.Status(i, j) = StatusValid;
        }
    d.ValidCount = d.CountValid();
    return d;
}

// Positions that a test does not look at.
inline double AtZero(int) { return 0; }

}  // namespace sx
