// EdPIV text files: any input ends in a clean failure or a document that the writer can write.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DatFile.h"
#include "DocumentLimit.h"

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
    const sx::ReadResult r = sx::ReadDatBytes(bytes, doc);
    if (!r.ok) {
        if (r.messages.empty()) std::abort();
        return 0;
    }
    if (doc.NX < 1 || doc.NY < 1 || doc.Us.size() != doc.NodeCount() || doc.PosXs.size() != size_t(doc.NX))
        std::abort();
    for (size_t k = 0; k < doc.NodeCount(); ++k)
        if (!std::isfinite(doc.Us[k]) || !std::isfinite(doc.Vs[k])) std::abort();
    const std::optional<std::string> written = sx::DatBytes(doc);
    if (!written) return 0;
    sx::VectorDocument again;
    sx::SetLoadDefaults(again);
    if (sx::ReadDatBytes(*written, again).ok && (again.NX != doc.NX || again.NY != doc.NY)) std::abort();
    return 0;
}
