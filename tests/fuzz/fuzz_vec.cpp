// DaVis vector files, with either answer to the reader's question; the
// valid count agrees with the statuses.
#include <cstdlib>

#include "FuzzReader.h"
#include "VecFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const bool answer = size % 2 == 0;
    const std::optional<sx::VectorDocument> doc =
        sx::FuzzRead(data, size, [answer](const std::string &bytes, sx::VectorDocument &d) {
            return sx::ReadVecBytes(bytes, d, [answer](const sx::UserMessage &) { return answer; });
        });
    if (doc && doc->ValidCount != doc->CountValid()) std::abort();
    return 0;
}
