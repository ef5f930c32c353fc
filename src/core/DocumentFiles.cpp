#include "DocumentFiles.h"

#include "DatFile.h"
#include "VecFile.h"

namespace sx {

ReadResult ReadDocumentFile(const std::string &extension, VectorDocument &doc, const AskUser &ask) {
    if (extension == "SDX") return ReadSdxFile(doc.FilePath, doc);
    if (extension == "DAT") return ReadDatFile(doc.FilePath, doc);
    if (extension == "VEC")
        return ReadVecFile(doc.FilePath, doc, [&ask](const UserMessage &m) { return ask && ask(m) == MsgAnswer::Yes; });
    return ReadResult{};
}

SaveResult SaveDocumentFile(const std::string &upperTail4, const VectorDocument &doc,
                            std::optional<UserMessage> *refusal) {
    if (upperTail4 == ".SDX") return WriteSdxFile(doc, doc.FilePath, refusal);
    if (upperTail4 == ".DAT") return WriteDatFile(doc, doc.FilePath, refusal);
    return SaveResult::OpenFailed;
}

}  // namespace sx
