#include "VectorFieldBuffer.h"

namespace sx {

VectorFieldBuffer &ProgramBuffer() {
    static VectorFieldBuffer buffer;
    return buffer;
}

}  // namespace sx
