#pragma once
// Filling invalid vectors from their valid neighbours, best-supported gaps
// first, and the mean velocity of the valid vectors.

#include <cstdint>
#include <string>

#include "Message.h"
#include "TableText.h"
#include "VectorDocument.h"

namespace sx {

struct InterpolationResult {
    int32_t filled = 0;
    int32_t passes = 0;
    bool impossible = false;  // gaps were left that no valid vector touches
};

// Pass after pass, every gap (status 0) whose 3 x 3 window holds the most
// valid vectors gets the plain mean of the vectors that were valid when the
// pass began, and status 3; ValidCount follows. Removed nodes are neither
// filled nor used. Stops when no gap is left or none touches a valid vector.
InterpolationResult InterpolateGaps(VectorDocument &doc);
UserMessage InterpolationImpossibleMessage();

struct MeanVelocity {
    double u = 0, v = 0;
    int64_t count = 0;  // 0: no valid vector, no mean
};
// Mean of the valid vectors in the rectangle (field indices, inclusive).
MeanVelocity MeanOfValidVectors(const VectorDocument &doc, const CellRect &rect);
MeanVelocity MeanOfValidVectors(const VectorDocument &doc);
UserMessage MeanVelocityMessage(const MeanVelocity &mean);
UserMessage NoValidVectorsMessage();

}  // namespace sx
