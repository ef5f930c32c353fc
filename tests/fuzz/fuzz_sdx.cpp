// The own file format: reading must fail cleanly or give a document that saves and reads again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DocumentLimit.h"
#include "SdxFile.h"

// A lower bound on the grid keeps every run fast and small; the checks
// against the bound are the same at any size.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    sx::SetMaxDocumentNodes(uint64_t{1} << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    sx::VectorDocument doc;
    sx::SetLoadDefaults(doc);
    if (!sx::ReadSdxBytes(bytes, doc).ok) return 0;
    // what the reader takes, the writer writes
    if (!sx::SdxWritable(doc)) std::abort();
    sx::VectorDocument again;
    sx::SetLoadDefaults(again);
    if (!sx::ReadSdxBytes(sx::SdxBytes(doc), again).ok || again.NX != doc.NX || again.NY != doc.NY) std::abort();
    return 0;
}
