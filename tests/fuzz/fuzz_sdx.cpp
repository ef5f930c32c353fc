// The own file format: what the reader takes, the writer writes, and that
// reads back to the same grid.
#include <cstdlib>

#include "FileBytes.h"
#include "FuzzReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::optional<sx::VectorDocument> doc = sx::FuzzRead(data, size, sx::ReadSdxBytes);
    if (!doc) return 0;
    if (!sx::SdxWritable(*doc)) std::abort();
    sx::CheckReadsBack(sx::ReadSdxBytes, sx::SdxBytes(*doc), *doc, true);
    return 0;
}
