#pragma once
// One level of undo per document.

#include <string>

#include "VectorDocument.h"

namespace sx {

// Copies the document's changeable state into doc.Undo, replacing the
// previous snapshot; `caption` names the command ("Vektor bearbeiten").
void SaveUndo(VectorDocument &doc, const std::string &caption);

// Restores the snapshot, recounts ValidCount and empties the caption.
// False (and nothing changed) when there is nothing to undo. The window
// then runs ShowHeaderInfo, FillGrid, RecalcBackground and DrawVectorfield;
// it does not lay itself out again.
bool RestoreUndo(VectorDocument &doc);

struct UndoMenuState {
    std::string Caption;  // "Rückgängig: <command>" or "Rückgängig"
    bool Enabled = false;
};
UndoMenuState UndoMenuCaption(const VectorDocument &doc);

// The data part of a confirmed info-text dialog: snapshot, new text, modified.
void ApplyInfoText(VectorDocument &doc, const std::string &text);

}  // namespace sx
