#include "DocumentFiles.h"

#include "DatFile.h"
#include "DocumentLimit.h"
#include "Paths.h"
#include "VecFile.h"

namespace sx {

ReadResult ReadDocumentFile(const std::string &extension, VectorDocument &doc, const AskUser &ask) {
    if (extension == "SDX") return ReadSdxFile(doc.FilePath, doc);
    if (extension == "DAT") return ReadDatFile(doc.FilePath, doc);
    if (extension == "VEC")
        return ReadVecFile(doc.FilePath, doc, [&ask](const UserMessage &m) { return ask && ask(m) == MsgAnswer::Yes; });
    return ReadResult{};
}

std::optional<UserMessage> SaveRefusal(const VectorDocument &doc, const std::string &fileName) {
    const std::string tail = UpperTail(fileName, 4);
    if (tail == ".SDX") return TextTooLongMessage(doc, false);
    if (tail == ".DAT") {
        if (doc.TrafoShiftX != 0 || doc.TrafoShiftY != 0)
            return UserMessage{
                "Die Datei läßt sich nach einer XY-Koordinatentransformation nicht mehr im DAT-Format abspeichern!",
                MsgIcon::Exclamation, MsgButtons::Ok, "Speichern"};
        return DatRefusal(doc);
    }
    return UserMessage{Trim(fileName) + "? Was ist das denn für ein Dateiformat?", MsgIcon::Question, MsgButtons::Ok,
                       "Unbekanntes Dateiformat"};
}

SaveResult SaveDocumentFile(const std::string &upperTail4, const VectorDocument &doc) {
    if (upperTail4 == ".SDX") return WriteSdxFile(doc, doc.FilePath);
    if (upperTail4 == ".DAT")
        return SaveThroughSink(doc.FilePath, [&doc](ByteSink &sink) { return WriteDat(doc, sink); });
    return SaveResult::OpenFailed;
}

}  // namespace sx
