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

// Why the writer refuses `doc`, as the message to show: a written value
// whose text would fill its column and run into the next field, a pixel
// coordinate that is no 32-bit integer, a value that is not finite, or a
// header text above the bound; the reader could not take such a file back.
// Nothing when every line reads back.
std::optional<UserMessage> DatRefusal(const VectorDocument &doc);
// The whole file as the writer lays it out; empty when DatRefusal gives a message.
std::optional<std::string> DatBytes(const VectorDocument &doc);
// Through a temporary file: WriteFailed (old file untouched, nothing written)
// also when DatRefusal gives a message, which then lands in `refusal`.
SaveResult WriteDatFile(const VectorDocument &doc, const std::string &path,
                        std::optional<UserMessage> *refusal = nullptr);

}  // namespace sx
