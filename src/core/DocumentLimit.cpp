#include "DocumentLimit.h"

#include <string>

namespace sx {

namespace {
uint64_t g_maxNodes = kMaxDocumentNodes;
}

uint64_t MaxDocumentNodes() { return g_maxNodes; }

void SetMaxDocumentNodes(uint64_t nodes) { g_maxNodes = nodes; }

bool GridFitsDocument(int64_t nx, int64_t ny) {
    if (nx < 1 || ny < 1) return false;
    const uint64_t x = static_cast<uint64_t>(nx), y = static_cast<uint64_t>(ny);
    return x <= g_maxNodes / y;  // no product that could overflow
}

UserMessage FieldTooLargeMessage(int64_t nx, int64_t ny) {
    return {"Das Vektorfeld mit " + std::to_string(nx) + " x " + std::to_string(ny) +
                " Vektoren ist zu groß; höchstens " + std::to_string(g_maxNodes) + " Vektoren können geöffnet werden.",
            MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Öffnen"};
}

}  // namespace sx
