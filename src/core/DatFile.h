#pragma once
// EdPIV vector files (".dat"): thirteen labelled header lines, a column title
// and one fixed-column line per valid vector; read and written.

#include <optional>
#include <string>

#include "AtomicFile.h"
#include "Message.h"
#include "SdxFile.h"  // ReadResult
#include "VectorDocument.h"

namespace sx {

// Fills `doc` (at its load-time initial values) from the file at `path`.
ReadResult ReadDatFile(const std::string &path, VectorDocument &doc);
ReadResult ReadDatBytes(const std::string &bytes, VectorDocument &doc);

// The whole file as the writer lays it out; empty when a pixel coordinate of
// the document does not fit a 32-bit integer or a written value is not finite
// (nothing the reader could take back can be written).
std::optional<std::string> DatBytes(const VectorDocument &doc);
// Through a temporary file: WriteFailed (old file untouched) also for the
// case where DatBytes gives nothing.
SaveResult WriteDatFile(const VectorDocument &doc, const std::string &path);

}  // namespace sx
