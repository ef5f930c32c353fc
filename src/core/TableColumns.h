#pragma once
// The widest texts of the vector table, so that its columns can be made wide
// enough for every component.

#include <string>

#include "VectorDocument.h"

namespace sx {

struct TableWidestTexts {
    std::string Cell;    // "(U; V)" built from the longest U and V texts
    std::string Header;  // the longest position text of either header
};

// One pass over the field: the texts of the largest and smallest component
// (and of any value that is not a number) are the longest ones, since every
// number is written with four decimals. Removed nodes show no text.
TableWidestTexts WidestTableTexts(const VectorDocument &doc, char decimalSeparator);

}  // namespace sx
