#pragma once
// The commands on the program-wide buffer: copying a document in, and
// adding, subtracting or masking a document with the buffered field.

#include <string>

#include "VectorDocument.h"
#include "VectorFieldBuffer.h"

namespace sx {

// Replaces the buffer's content with the document's field and file name.
void CopyToBuffer(VectorFieldBuffer &buffer, const VectorDocument &doc);

// The buffer can be applied to this document: same grid size, node by node.
bool BufferFitsDocument(const VectorFieldBuffer &buffer, const VectorDocument &doc);

enum class BufferCommand { Add, Subtract, Mask };

struct BufferCommandTexts {
    std::string question, title, undoCaption;
};
// Confirmation and undo texts of a command (name: the buffer's, file: the document's).
BufferCommandTexts BufferTexts(BufferCommand command, const std::string &name, const std::string &file);
// Shown by all three commands when the sizes differ.
extern const char *const kBufferSizeMismatch;
extern const char *const kBufferSizeMismatchTitle;

// Applies the command node by node and keeps ValidCount up to date; false and
// nothing changed when the buffer does not fit the document.
bool ApplyBuffer(VectorDocument &doc, const VectorFieldBuffer &buffer, BufferCommand command);

}  // namespace sx
