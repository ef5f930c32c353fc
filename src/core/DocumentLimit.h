#pragma once
// The largest field a document may hold. The readers check it before they
// size anything by a grid that a file claims.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "Message.h"
#include "VectorDocument.h"

namespace sx {

// 4096 x 4096 nodes. A node costs 28 bytes in the document (U, V and the
// background value as doubles, the status), 20 in the undo snapshot and 20
// in the field buffer; the largest passing copy (the whole table's text on
// its way to the clipboard) adds about 40 more, while exports and saves
// write in pieces of a megabyte. So a document at the bound peaks near
// 1.8 GB: well below a quarter of a 16 GiB desktop, leaving room for the
// system, a second document and the other programs.
constexpr uint64_t kMaxDocumentNodes = uint64_t{1} << 24;

// The bound in force: kMaxDocumentNodes unless lowered.
uint64_t MaxDocumentNodes();
// Fuzzers lower it, so that they do not spend their time zero-filling large grids.
void SetMaxDocumentNodes(uint64_t nodes);

// True when an nx x ny grid (both at least 1) stays within the bound.
bool GridFitsDocument(int64_t nx, int64_t ny);

// The message for a grid above the bound; loading then fails.
UserMessage FieldTooLargeMessage(int64_t nx, int64_t ny);

// The longest text a file may hold (a header text, the info text), in bytes
// of the file. Real header texts are file names and dates of a few dozen
// bytes, info texts a few lines. Shown in the header window a text byte costs
// about 41 bytes, so eight texts at the bound take some 350 MB, far below
// what the largest field needs. The readers read no more of a text than the
// bound and skip the rest: a longer text opens cut (older versions let a
// user paste one), with TextsCutMessage.
constexpr size_t kMaxTextBytes = size_t{1} << 20;
// The longest DAT line: room for a header line's label around the longest
// text. Data lines are some 80 bytes.
constexpr size_t kMaxDatLineBytes = 2 * kMaxTextBytes;

// The one notice after opening `fileName`, however many of its texts were cut.
UserMessage TextsCutMessage(const std::string &fileName);

// The message for a document with a text above the bound (the info text, or
// with `headerOnly` just the header texts), to refuse its save: the file
// would not open again as it is. Nothing when every text fits.
std::optional<UserMessage> TextTooLongMessage(const VectorDocument &doc, bool headerOnly);

}  // namespace sx
