#include "Paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace sx {

namespace {
size_t LastSeparator(const std::string &path) { return path.find_last_of("\\/"); }
}  // namespace

std::string FileNameOf(const std::string &path) {
    size_t k = LastSeparator(path);
    return k == std::string::npos ? path : path.substr(k + 1);
}

std::string FolderOf(const std::string &path) {
    size_t k = LastSeparator(path);
    return k == std::string::npos ? std::string() : path.substr(0, k);
}

std::string ToUpperAscii(std::string s) {
    for (char &c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string ExtensionOf(const std::string &fileName) {
    size_t k = fileName.find_last_of('.');
    return ToUpperAscii(k == std::string::npos ? fileName : fileName.substr(k + 1));
}

std::string WithoutExtension(const std::string &path) {
    const size_t nameStart = path.size() - FileNameOf(path).size();
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && dot >= nameStart ? path.substr(0, dot) : path;
}

std::string BaseNameOf(const std::string &path) { return WithoutExtension(FileNameOf(path)); }

std::string UpperTail(const std::string &text, size_t n) {
    return ToUpperAscii(text.size() <= n ? text : text.substr(text.size() - n));
}

std::string Trim(const std::string &s) {
    size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

bool FileExists(const std::string &path) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (f) {
        std::fclose(f);
        return true;
    }
    return !(errno == ENOENT || path.empty());
}

bool TargetNeedsQuestion(const std::string &chosen, const std::string &target) {
    if (target == chosen) return false;
    // anything at that name counts, a link that leads nowhere too
    struct stat st;
    return ::lstat(target.c_str(), &st) == 0;
}

UserMessage ReplaceQuestion(const std::string &target, const std::string &title) {
    return {"Die Datei " + FileNameOf(target) + " existiert bereits.\r\nSoll sie überschrieben werden?",
            MsgIcon::Exclamation, MsgButtons::YesNo, title, MsgAnswer::No};
}

}  // namespace sx
