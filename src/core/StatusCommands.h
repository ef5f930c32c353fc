#pragma once
// Status changes of many vectors at once: on a rectangle of the table
// selection and on the vectors the fault search marked questionable.
// Components are never touched; ValidCount follows every change.

#include <cstdint>

#include "TableText.h"
#include "VectorDocument.h"

namespace sx {

enum class SelectionStatusCommand {
    InvalidToValid,  // status 0 -> 2
    AllToValid,      // every node -> 2, removed ones included
    AllToInvalid,    // every node -> 0, removed ones included
    Remove,          // every node -> -1
};

struct SelectionStatusResult {
    long changed = 0;              // nodes the command applied to
    int lastCol = 0, lastRow = 0;  // the last of them in loop order (0: none)
};

// Column by column (outer), row by row (inner) over the rectangle.
SelectionStatusResult ApplySelectionStatus(VectorDocument &doc, SelectionStatusCommand cmd, const CellRect &rect);

// Every questionable node (status 5) gets newStatus (0 or 2); ValidCount
// drops for each one made invalid. Returns the number of nodes changed.
long SetQuestionableStatus(VectorDocument &doc, int32_t newStatus);

}  // namespace sx
