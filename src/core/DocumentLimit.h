#pragma once
// The largest field a document may hold. The readers check it before they
// size anything by a grid that a file claims.

#include <cstdint>

#include "Message.h"

namespace sx {

// 4096 x 4096 nodes. A node costs 28 bytes in the document (U, V and the
// background value as doubles, the status), 20 in the undo snapshot and 20
// in the field buffer; the largest passing copy (a text or PDF export held
// in memory before it is written) adds up to about 130 more. So a document
// at the bound peaks near 3.4 GB: a quarter of a 16 GiB desktop, leaving room
// for the system, a second document and the other programs.
constexpr uint64_t kMaxDocumentNodes = uint64_t{1} << 24;

// The bound in force: kMaxDocumentNodes unless lowered.
uint64_t MaxDocumentNodes();
// Fuzzers lower it, so that they do not spend their time zero-filling large grids.
void SetMaxDocumentNodes(uint64_t nodes);

// True when an nx x ny grid (both at least 1) stays within the bound.
bool GridFitsDocument(int64_t nx, int64_t ny);

// The message for a grid above the bound; loading then fails.
UserMessage FieldTooLargeMessage(int64_t nx, int64_t ny);

}  // namespace sx
