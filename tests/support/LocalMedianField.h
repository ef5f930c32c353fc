#pragma once
// The comparison the median search makes at every node, in storage order (an
// invalid one where the node is not valid), so that tests can hold each one
// against the plain selection sort.

#include <cstdint>
#include <vector>

#include "FaultSearch.h"

namespace sx {

inline std::vector<Comparison> LocalMedianField(const VectorDocument &doc, int32_t hx, int32_t hy) {
    std::vector<Comparison> out(doc.NodeCount());
    if (out.empty()) return out;
    LocalMedianPass pass(doc, hx, hy);
    for (int j = 1; j <= doc.NY; ++j)
        for (int i = 1; i <= doc.NX; ++i)
            if (doc.Status(i, j) > 0) out[doc.Index(i, j)] = pass.At(i, j);
    return out;
}

}  // namespace sx
