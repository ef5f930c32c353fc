#pragma once
// EdPIV vector files (".dat"): thirteen labelled header lines, a column title
// and one fixed-column line per valid vector; read and written.

#include <optional>
#include <string>

#include "AtomicFile.h"
#include "ByteSink.h"
#include "Message.h"
#include "SdxFile.h"  // ReadResult
#include "VectorDocument.h"

namespace sx {

// Fills `doc` (at its load-time initial values) from the file at `path`.
ReadResult ReadDatFile(const std::string &path, VectorDocument &doc);
ReadResult ReadDatBytes(const std::string &bytes, VectorDocument &doc);

// Why the writer refuses `doc`, as the message to show: a written value
// whose text would fill its column and run into the next field, a pixel
// coordinate that is no 32-bit integer, a value that is not finite, a
// header text above the bound or holding a comma or a line end, a header
// that describes no grid the reader opens, or a data line that the reader
// would not place on a node of that grid at exactly its pixel coordinates,
// or on a node another line takes; the reader could not take such a file
// back as it is. Nothing when every line reads back.
std::optional<UserMessage> DatRefusal(const VectorDocument &doc);
// The part of DatRefusal that looks at the data lines alone: the first
// value, in the file's order, whose text would run into the next field.
std::optional<UserMessage> DatColumnRefusal(const VectorDocument &doc);
// The lines as the writer lays them out, without the checks of a save;
// false when a piece was refused or a line cannot be formed.
bool WriteDat(const VectorDocument &doc, ByteSink &sink);
// Through a temporary file: WriteFailed (old file untouched, nothing written)
// also when DatRefusal gives a message, which then lands in `refusal`.
SaveResult WriteDatFile(const VectorDocument &doc, const std::string &path,
                        std::optional<UserMessage> *refusal = nullptr);

}  // namespace sx
