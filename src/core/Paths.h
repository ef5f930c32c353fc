#pragma once
// Path pieces as the document window needs them; "\" and "/" both split.

#include <string>

namespace sx {

// Text after the last separator, or the whole path when it has none.
std::string FileNameOf(const std::string &path);
// Text before the last separator ("" when there is none).
std::string FolderOf(const std::string &path);
// Upper-cased text after the last "." of the file name (the whole name when it has none).
std::string ExtensionOf(const std::string &fileName);
// Upper-cased last n characters (all when shorter).
std::string UpperTail(const std::string &text, size_t n);
std::string ToUpperAscii(std::string s);
std::string Trim(const std::string &s);

// True unless opening the file for reading fails because it is not there.
bool FileExists(const std::string &path);

}  // namespace sx
