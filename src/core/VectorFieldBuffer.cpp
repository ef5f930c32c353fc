#include "VectorFieldBuffer.h"

namespace sx {

VectorFieldBuffer &ProgramBuffer() {
    static VectorFieldBuffer buffer;
    return buffer;
}

void InitBuffer() {
    // all arrays emptied with the size, so that sizes and arrays agree
    VectorFieldBuffer &buffer = ProgramBuffer();
    buffer.BufferName.clear();
    buffer.BufferNX = 0;
    buffer.BufferNY = 0;
    buffer.BufferUs.clear();
    buffer.BufferVs.clear();
    buffer.BufferStatuses.clear();
}

}  // namespace sx
