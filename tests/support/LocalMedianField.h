#pragma once
// The comparison the median search makes at every node, gathered into one
// array so that tests can hold each one against the plain selection sort.

#include <cstdint>
#include <vector>

#include "FaultSearch.h"

namespace sx {

// In storage order; an invalid comparison where the node is not valid.
std::vector<Comparison> LocalMedianField(const VectorDocument &doc, int32_t hx, int32_t hy);

}  // namespace sx
