// DaVis vector files: any input ends in a clean failure or a consistent document.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DocumentLimit.h"
#include "VecFile.h"

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
    const bool answer = size % 2 == 0;
    const sx::ReadResult r = sx::ReadVecBytes(bytes, doc, [answer](const sx::UserMessage &) { return answer; });
    if (!r.ok) {
        if (r.messages.empty()) std::abort();
        return 0;
    }
    if (doc.NX < 1 || doc.NY < 1 || doc.Us.size() != doc.NodeCount() || doc.Statuses.size() != doc.NodeCount())
        std::abort();
    for (size_t k = 0; k < doc.NodeCount(); ++k)
        if (!std::isfinite(doc.Us[k]) || !std::isfinite(doc.Vs[k])) std::abort();
    if (doc.ValidCount != doc.CountValid()) std::abort();
    return 0;
}
