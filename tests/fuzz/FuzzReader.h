#pragma once
// What the reader targets share: the grid bound, the read, and the checks
// every outcome must pass. A failed check aborts, which libFuzzer reports as
// a finding. Included by exactly one file of each target.

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

#include "ReadOutcome.h"

// A lower bound on the grid keeps every run fast and small; the checks
// against the bound are the same at any size.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    sx::SetMaxDocumentNodes(uint64_t{1} << 20);
    return 0;
}

namespace sx {

using BytesReader = std::function<ReadResult(const std::string &, VectorDocument &)>;

[[noreturn]] inline void Finding(const std::string &what) {
    std::fprintf(stderr, "reader %s\n", what.c_str());
    std::abort();
}

// The document when the reader took the input.
inline std::optional<VectorDocument> FuzzRead(const uint8_t *data, size_t size, const BytesReader &read) {
    VectorDocument doc;
    SetLoadDefaults(doc);
    const ReadResult r = read(std::string(reinterpret_cast<const char *>(data), size), doc);
    if (const std::string fault = UnsoundReadOutcome(r, doc); !fault.empty()) Finding(fault);
    if (!r.ok) return std::nullopt;
    return doc;
}

// What a writer wrote for `doc` reads back to the same grid; `mustRead` when
// the reader has to take it at all.
inline void CheckReadsBack(const BytesReader &read, const std::string &bytes, const VectorDocument &doc,
                           bool mustRead) {
    VectorDocument again;
    SetLoadDefaults(again);
    if (!read(bytes, again).ok) {
        if (mustRead) Finding("refused what its writer wrote");
    } else if (again.NX != doc.NX || again.NY != doc.NY) {
        Finding("read back a different grid");
    }
}

}  // namespace sx
