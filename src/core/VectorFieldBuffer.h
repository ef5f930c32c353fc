#pragma once
// The one program-wide copy of a field that the buffer commands and the
// buffer background work with. Positions are not kept: a buffered field is
// matched to a document node by node, by index only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sx {

struct VectorFieldBuffer {
    std::string BufferName;                  // "" while empty
    int32_t BufferNX = 0, BufferNY = 0;      // 0 columns: empty, matches no document
    std::vector<double> BufferUs, BufferVs;  // NX*NY, column fastest, like the document
    std::vector<int32_t> BufferStatuses;     // NX*NY

    size_t NodeCount() const { return static_cast<size_t>(BufferNX) * static_cast<size_t>(BufferNY); }
    size_t Index(int i, int j) const {
        return static_cast<size_t>(j - 1) * static_cast<size_t>(BufferNX) + static_cast<size_t>(i - 1);
    }
    double BufferU(int i, int j) const { return BufferUs[Index(i, j)]; }
    double BufferV(int i, int j) const { return BufferVs[Index(i, j)]; }
    int32_t BufferStatus(int i, int j) const { return BufferStatuses[Index(i, j)]; }
    // Arrays and sizes agree (a buffer filled by any path can be trusted by index).
    bool IsConsistent() const {
        return BufferNX >= 0 && BufferNY >= 0 && BufferUs.size() == NodeCount() && BufferVs.size() == NodeCount() &&
               BufferStatuses.size() == NodeCount();
    }
};

// The program's one buffer; empty until a buffer command fills it.
VectorFieldBuffer &ProgramBuffer();
// Empties the program's buffer (when the main frame loads).
void InitBuffer();

}  // namespace sx
