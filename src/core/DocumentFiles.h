#pragma once
// Chooses the reader by the upper-cased extension and the writer by the
// upper-cased last four characters of the file name.

#include <functional>
#include <optional>
#include <string>

#include "AtomicFile.h"
#include "Message.h"
#include "SdxFile.h"

namespace sx {

// Asks the user a question while reading (the simple DaVis format's null vectors).
using AskUser = std::function<MsgAnswer(const UserMessage &)>;

ReadResult ReadDocumentFile(const std::string &extension, VectorDocument &doc, const AskUser &ask);
// Why saving `doc` as `fileName` (the format by its last four
// characters) would write nothing, as the message to show: an unknown
// format, a DAT file after a coordinate shift, content the format's reader
// could not take back. Nothing when the save may go ahead. It depends only
// on the document, so it is asked before any question about the file the
// save would replace.
std::optional<UserMessage> SaveRefusal(const VectorDocument &doc, const std::string &fileName);
// Writes `doc` to its FilePath in the format of `upperTail4`, once
// SaveRefusal has found nothing to refuse: the DAT check, which takes a
// while on a large field, is not run a second time.
SaveResult SaveDocumentFile(const std::string &upperTail4, const VectorDocument &doc);

}  // namespace sx
