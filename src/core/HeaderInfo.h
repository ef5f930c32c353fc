#pragma once
// The three texts of the document window's header frame.

#include <string>

#include "VectorDocument.h"

namespace sx {

extern const char *const kHeaderFrameCaption;  // "File Header"

struct HeaderTexts {
    std::string Header1, Header2, Header3;  // lblHeader1..3, lines separated by CR LF
};

// The label texts of ShowHeaderInfo; lblHeader1 and lblHeader2 end with CR LF,
// lblHeader3 does not.
HeaderTexts HeaderInfoTexts(const VectorDocument &doc);

// "x-Trafo: +1.5" for a positive shift, "x-Trafo: -1.5" / "x-Trafo:  0" otherwise.
std::string TrafoLine(char axis, double shift);

}  // namespace sx
