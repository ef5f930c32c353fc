#include "BufferOperations.h"

namespace sx {

const char *const kBufferSizeMismatch = "Fehler: Die Anzahl der Vektoren stimmt nicht überein!";
const char *const kBufferSizeMismatchTitle = "Vektorfeld subtrahieren";

void CopyToBuffer(VectorFieldBuffer &buffer, const VectorDocument &doc) {
    buffer.BufferName = doc.FileName;
    buffer.BufferUs.assign(doc.Us.begin(), doc.Us.end());
    buffer.BufferVs.assign(doc.Vs.begin(), doc.Vs.end());
    buffer.BufferStatuses.assign(doc.Statuses.begin(), doc.Statuses.end());
    buffer.BufferNX = doc.NX;
    buffer.BufferNY = doc.NY;
}

bool BufferFitsDocument(const VectorFieldBuffer &buffer, const VectorDocument &doc) {
    // the arrays are checked too, so that no index can run past them
    return buffer.BufferNX == doc.NX && buffer.BufferNY == doc.NY && buffer.BufferNX > 0 && buffer.BufferNY > 0 &&
           buffer.IsConsistent() && doc.Us.size() == doc.NodeCount() && doc.Vs.size() == doc.NodeCount() &&
           doc.Statuses.size() == doc.NodeCount();
}

BufferCommandTexts BufferTexts(BufferCommand command, const std::string &name, const std::string &file) {
    switch (command) {
        case BufferCommand::Add:
            return {
                "Möchten Sie das Vektorfeld '" + name + "' wirklich zum aktuellen Vektorfeld '" + file + "' addieren?",
                "Vektorfeld addieren", "Vektorfeld addieren"};
        case BufferCommand::Subtract:
            return {"Möchten Sie das Vektorfeld '" + name + "' wirklich vom aktuellen Vektorfeld '" + file +
                        "' subtrahieren?",
                    "Vektorfeld subtrahieren", "Vektorfeld subtrahieren"};
        case BufferCommand::Mask:
        default:
            return {"Möchten Sie das Vektorfeld '" + name + "' wirklich im aktuellen Vektorfeld '" + file +
                        "' als Maske benutzen?",
                    "Buffer als Maske benutzen", "Buffer als Maske benutzen"};
    }
}

bool ApplyBuffer(VectorDocument &doc, const VectorFieldBuffer &buffer, BufferCommand command) {
    if (!BufferFitsDocument(buffer, doc)) return false;
    const double sign = command == BufferCommand::Subtract ? -1.0 : 1.0;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = 1; j <= doc.NY; ++j) {
            const int32_t b = buffer.BufferStatus(i, j);
            int32_t &s = doc.Status(i, j);
            if (command == BufferCommand::Mask) {
                if (b < 0) {
                    if (s > 0) --doc.ValidCount;
                    s = StatusRemoved;
                }
                continue;
            }
            if (b > 0 && s > 0) {
                doc.U(i, j) += sign * buffer.BufferU(i, j);
                doc.V(i, j) += sign * buffer.BufferV(i, j);
                s = StatusChanged;
            } else {
                if (s > 0) --doc.ValidCount;
                s = (b < 0 || s < 0) ? StatusRemoved : StatusInvalid;
            }
        }
    return true;
}

}  // namespace sx
