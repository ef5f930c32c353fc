#pragma once
// Smoothing with a weight matrix: every vector that is not removed becomes
// the weighted mean of the valid vectors under the kernel.

#include <string>
#include <vector>

#include "Message.h"
#include "VectorDocument.h"

namespace sx {

// Weights over the column offsets dcMin..dcMax and row offsets drMin..drMax;
// (0, 0) is the filtered node itself. Not normalised: the filter divides by
// the weights it actually used at each node.
struct FilterKernel {
    int dcMin = 0, dcMax = 0, drMin = 0, drMax = 0;
    std::vector<double> w;  // dc fastest

    FilterKernel() = default;
    FilterKernel(int dcLo, int dcHi, int drLo, int drHi, double value);
    int Columns() const { return dcMax - dcMin + 1; }
    int Rows() const { return drMax - drMin + 1; }
    double &At(int dc, int dr) {
        return w[static_cast<size_t>(dr - drMin) * static_cast<size_t>(Columns()) + static_cast<size_t>(dc - dcMin)];
    }
    double At(int dc, int dr) const {
        return w[static_cast<size_t>(dr - drMin) * static_cast<size_t>(Columns()) + static_cast<size_t>(dc - dcMin)];
    }
};

// Box filter (2 half + 1) x (2 half + 1), all weights 1.
FilterKernel SquareKernel(int half);
// Binomial weights, the outer product of row 2 half of Pascal's triangle.
FilterKernel GaussKernel(int half);
// One row spanning the whole field width: the row-mean filter.
FilterKernel VelocityProfileKernel(int nx);

// Whether some node has status exactly 0 (removed nodes do not count).
bool HasInvalidVectors(const VectorDocument &doc);
UserMessage InvalidVectorsWarning();
// "(rows x columns) - Matrix :=" and the weights, one line per row offset.
std::string FilterMatrixText(const FilterKernel &kernel);
UserMessage FilterMatrixMessage(const FilterKernel &kernel);

// The data part of the filter: U, V, Status and ValidCount. Every value is
// read from copies taken first, so the visiting order does not matter.
void ApplyFilterKernel(VectorDocument &doc, const FilterKernel &kernel);

}  // namespace sx
