// The own file format: reading must fail cleanly or give a document that saves and reads again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SdxFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    sx::VectorDocument doc;
    sx::SetLoadDefaults(doc);
    if (!sx::ReadSdxBytes(bytes, doc).ok) return 0;
    sx::VectorDocument again;
    sx::SetLoadDefaults(again);
    if (!sx::ReadSdxBytes(sx::SdxBytes(doc), again).ok || again.NX != doc.NX || again.NY != doc.NY) std::abort();
    return 0;
}
