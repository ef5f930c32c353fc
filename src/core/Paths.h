#pragma once
// Path pieces as the document window needs them; "\" and "/" both split.

#include <string>

#include "Message.h"

namespace sx {

// Text after the last separator, or the whole path when it has none.
std::string FileNameOf(const std::string &path);
// Text before the last separator ("" when there is none).
std::string FolderOf(const std::string &path);
// Upper-cased text after the last "." of the file name (the whole name when it has none).
std::string ExtensionOf(const std::string &fileName);
// The path cut before the last "." of its file name; a dot in a folder name
// starts no extension. The save dialogs' names are built from these.
std::string WithoutExtension(const std::string &path);
// The file name alone, without its extension.
std::string BaseNameOf(const std::string &path);
// Upper-cased last n characters (all when shorter).
std::string UpperTail(const std::string &text, size_t n);
std::string ToUpperAscii(std::string s);
std::string Trim(const std::string &s);

// True unless opening the file for reading fails because it is not there.
bool FileExists(const std::string &path);

// A save dialog confirmed `chosen` (and asked about it when it existed);
// the program writes `target`, made from it. True when something is at
// `target` that the dialog did not ask about.
bool TargetNeedsQuestion(const std::string &chosen, const std::string &target);
// The question the save dialog itself asks about an existing file, about
// the file name of `target`; No is the default.
UserMessage ReplaceQuestion(const std::string &target, const std::string &title);

}  // namespace sx
