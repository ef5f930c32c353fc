#pragma once
// Whole files as strings, for comparing what the writers lay out.

#include <optional>
#include <string>

#include "ByteSink.h"
#include "DatFile.h"
#include "SdxFile.h"

namespace sx {

// The bytes a save as SDX writes.
inline std::string SdxBytes(const VectorDocument &doc) {
    std::string out;
    StringSink sink(out);
    WriteSdx(doc, sink);
    return out;
}

// The bytes a save as DAT writes; nothing when the save would refuse the document.
inline std::optional<std::string> DatBytes(const VectorDocument &doc) {
    if (DatRefusal(doc)) return std::nullopt;
    std::string out;
    StringSink sink(out);
    if (!WriteDat(doc, sink)) return std::nullopt;
    return out;
}

}  // namespace sx
