#pragma once
// Texts in the vector files are single-byte Windows-1252; the program works in UTF-8.

#include <cstddef>
#include <string>

namespace sx {

std::string Cp1252ToUtf8(const std::string &bytes);
// Characters outside the code page become "?".
std::string Utf8ToCp1252(const std::string &utf8);

// Length of the valid UTF-8 sequence that starts at p[0] (no overlong forms,
// no surrogates, nothing past U+10FFFF), 0 when there is none.
int Utf8SequenceLength(const unsigned char *p, size_t left);
// A text to show that may hold a file name's bytes: a name that is no UTF-8
// (a Latin-1 "f\xe4ld.sdx") shows its bytes as Windows-1252 characters, the
// code page of the files' own texts; valid UTF-8 stays as it is.
std::string ShowableText(const std::string &bytes);

}  // namespace sx
