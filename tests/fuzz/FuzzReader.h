#pragma once
// The part every reader target shares: the grid bound, the read, and the
// checks any outcome must pass. A failed check aborts, which libFuzzer
// reports as a finding.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "SdxFile.h"

namespace sx {

using BytesReader = std::function<ReadResult(const std::string &, VectorDocument &)>;

// Reads the input with `read`; the document when the reader took it.
std::optional<VectorDocument> FuzzRead(const uint8_t *data, size_t size, const BytesReader &read);

// What a writer wrote for `doc` reads back to the same grid; `mustRead`
// when the reader has to take it at all.
void CheckReadsBack(const BytesReader &read, const std::string &bytes, const VectorDocument &doc, bool mustRead);

}  // namespace sx
