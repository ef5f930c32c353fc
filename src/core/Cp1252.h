#pragma once
// Texts in the vector files are single-byte Windows-1252; the program works in UTF-8.

#include <string>

namespace sx {

std::string Cp1252ToUtf8(const std::string &bytes);
// Characters outside the code page become "?".
std::string Utf8ToCp1252(const std::string &utf8);

}  // namespace sx
