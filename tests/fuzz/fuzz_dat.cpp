// EdPIV text files: what the writer makes of a document the reader took
// reads back to the same grid (a field without valid vectors is not read).
#include "DatFile.h"
#include "FileBytes.h"
#include "FuzzReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::optional<sx::VectorDocument> doc = sx::FuzzRead(data, size, sx::ReadDatBytes);
    if (!doc) return 0;
    if (const std::optional<std::string> written = sx::DatBytes(*doc))
        sx::CheckReadsBack(sx::ReadDatBytes, *written, *doc, false);
    return 0;
}
