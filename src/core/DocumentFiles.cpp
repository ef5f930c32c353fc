#include "DocumentFiles.h"

namespace sx {

ReadResult ReadDocumentFile(const std::string &extension, VectorDocument &doc, const AskUser &ask) {
    (void)ask;
    if (extension == "SDX") return ReadSdxFile(doc.FilePath, doc);
    return ReadResult{};
}

SaveResult SaveDocumentFile(const std::string &upperTail4, const VectorDocument &doc) {
    if (upperTail4 == ".SDX") return WriteSdxFile(doc, doc.FilePath);
    return SaveResult::OpenFailed;
}

}  // namespace sx
