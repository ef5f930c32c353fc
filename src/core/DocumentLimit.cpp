#include "DocumentLimit.h"

#include <string>

#include "Cp1252.h"

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

UserMessage TextsCutMessage(const std::string &fileName) {
    const std::string limit = std::to_string(kMaxTextBytes);
    return {"Mindestens ein Text der Datei '" + fileName + "' war länger als " + limit +
                " Zeichen und wurde beim Öffnen nach " + limit +
                " Zeichen abgeschnitten. Beim Speichern wird nur der gekürzte Text geschrieben.",
            MsgIcon::Exclamation, MsgButtons::Ok, "Text abgeschnitten"};
}

std::optional<UserMessage> TextTooLongMessage(const VectorDocument &doc, bool headerOnly) {
    // a text is written one byte a character, and a character takes at least a byte here
    auto tooLong = [](const std::string &utf8) {
        return utf8.size() > kMaxTextBytes && Utf8ToCp1252(utf8).size() > kMaxTextBytes;
    };
    const std::string limit = std::to_string(kMaxTextBytes);
    const RecordingHeader &h = doc.Header;
    std::string what;
    if (!headerOnly && tooLong(doc.InfoText)) what = "Der Infotext";
    for (const std::string *t :
         {&h.DateAndTime, &h.Recording1, &h.Recording2, &h.FlowType, &h.PhaseType, &h.RecordingType, &h.Algorithm})
        if (what.empty() && tooLong(*t)) what = "Ein Text des Dateikopfs";
    if (what.empty()) return std::nullopt;
    return UserMessage{
        what + " ist zu lang: höchstens " + limit +
            " Zeichen lassen sich speichern, ein längerer Text käme beim Öffnen abgeschnitten zurück. Kürzen Sie "
            "den Text.",
        MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern"};
}

}  // namespace sx
