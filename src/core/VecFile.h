#pragma once
// DaVis vector files (".vec"), read only: sub-formats 1 (extended, 9 frames),
// 2 (simple, 2 frames) and 3 (extended with peak ratio, 10 frames).

#include <functional>
#include <string>

#include "Message.h"
#include "SdxFile.h"  // ReadResult
#include "VectorDocument.h"

namespace sx {

// Puts a Yes/No question to the user and returns true for Yes. The VEC reader
// asks at most one question, for a simple-format file that holds null
// vectors ("should they be read as invalid?"), as its last step, after which
// it cannot fail any more. An empty function answers No (null vectors stay valid).
using AskYesNo = std::function<bool(const UserMessage &)>;

// Fills `doc` (at its load-time initial values) from the file at `path`.
// On failure `messages` holds what to show (header errors show two boxes);
// on success it may hold one warning about status values outside 0..4,
// given once per file for the first such node.
ReadResult ReadVecFile(const std::string &path, VectorDocument &doc, const AskYesNo &ask = {});
ReadResult ReadVecBytes(const std::string &bytes, VectorDocument &doc, const AskYesNo &ask = {});

}  // namespace sx
