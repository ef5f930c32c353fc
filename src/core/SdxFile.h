#pragma once
// The program's own binary document format.

#include <optional>
#include <string>

#include "AtomicFile.h"
#include "Message.h"
#include "VectorDocument.h"

namespace sx {

class ByteSink;

struct ReadResult {
    bool ok = false;
    Messages messages;  // to show in order, on success too (warnings)
    // A text above the bound was cut to it; the load says so once the
    // document is open (TextsCutMessage).
    bool textsCut = false;
};

// Fills `doc` (at its load-time initial values) from the file at `path`.
ReadResult ReadSdxFile(const std::string &path, VectorDocument &doc);
ReadResult ReadSdxBytes(const std::string &bytes, VectorDocument &doc);

// The file's bytes streamed into `sink`, the arrays straight from the
// document; false when the sink refused a piece.
bool WriteSdx(const VectorDocument &doc, ByteSink &sink);
// False when the reader would refuse what WriteSdx gives: a value that is not
// finite, arrays that do not match the grid, a grid or a text above the bound.
bool SdxWritable(const VectorDocument &doc);
// Streamed through a temporary file; WriteFailed, the old file untouched,
// when SdxWritable is false; for a text above the bound `refusal` receives
// the message that says so.
SaveResult WriteSdxFile(const VectorDocument &doc, const std::string &path,
                        std::optional<UserMessage> *refusal = nullptr);

}  // namespace sx
