#include "FuzzReader.h"

#include <cstdio>
#include <cstdlib>

#include "DocumentLimit.h"
#include "ReadOutcome.h"

// A lower bound on the grid keeps every run fast and small; the checks
// against the bound are the same at any size.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    sx::SetMaxDocumentNodes(uint64_t{1} << 20);
    return 0;
}

namespace sx {

namespace {

[[noreturn]] void Finding(const std::string &what) {
    std::fprintf(stderr, "reader %s\n", what.c_str());
    std::abort();
}

}  // namespace

std::optional<VectorDocument> FuzzRead(const uint8_t *data, size_t size, const BytesReader &read) {
    VectorDocument doc;
    SetLoadDefaults(doc);
    const ReadResult r = read(std::string(reinterpret_cast<const char *>(data), size), doc);
    const std::string fault = UnsoundReadOutcome(r, doc);
    if (!fault.empty()) Finding(fault);
    if (!r.ok) return std::nullopt;
    return doc;
}

void CheckReadsBack(const BytesReader &read, const std::string &bytes, const VectorDocument &doc, bool mustRead) {
    VectorDocument again;
    SetLoadDefaults(again);
    if (!read(bytes, again).ok) {
        if (mustRead) Finding("refused what its writer wrote");
        return;
    }
    if (again.NX != doc.NX || again.NY != doc.NY) Finding("read back a different grid");
}

}  // namespace sx
