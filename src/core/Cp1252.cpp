#include "Cp1252.h"

#include <cstdint>

namespace sx {

namespace {

// Unicode code points of bytes 0x80..0x9F; 0 marks an unassigned byte.
const char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                            0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string &out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The character of a byte; the unassigned bytes pass as C1 controls.
char32_t CodePoint(unsigned char b) { return b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] ? kHigh[b - 0x80] : b; }

}  // namespace

int Utf8SequenceLength(const unsigned char *p, size_t left) {
    const unsigned char c = p[0];
    int n = 0;
    uint32_t cp = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, cp = c & 0x07;
    else
        return 0;
    if (left < static_cast<size_t>(n)) return 0;
    for (int k = 1; k < n; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

std::string ShowableText(const std::string &bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t size = bytes.size();
    std::string out;
    out.reserve(size);
    for (size_t k = 0; k < size;) {
        const int n = Utf8SequenceLength(p + k, size - k);
        if (n > 0) {
            out.append(bytes, k, static_cast<size_t>(n));
            k += static_cast<size_t>(n);
        } else {
            AppendUtf8(out, CodePoint(p[k]));
            ++k;
        }
    }
    return out;
}

std::string Cp1252ToUtf8(const std::string &bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) AppendUtf8(out, CodePoint(b));
    return out;
}

std::string Utf8ToCp1252(const std::string &utf8) {
    std::string out;
    out.reserve(utf8.size());
    const size_t n = utf8.size();
    for (size_t k = 0; k < n;) {
        unsigned char b = static_cast<unsigned char>(utf8[k]);
        char32_t cp;
        size_t len;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        } else {
            out += '?';
            ++k;
            continue;
        }
        if (k + len > n) {
            out += '?';
            break;
        }
        bool ok = true;
        for (size_t m = 1; m < len; ++m) {
            unsigned char c = static_cast<unsigned char>(utf8[k + m]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        k += ok ? len : 1;
        if (!ok) {
            out += '?';
            continue;
        }
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char found = '?';
        for (int h = 0; h < 32; ++h)
            if (kHigh[h] == cp || (kHigh[h] == 0 && cp == static_cast<char32_t>(0x80 + h))) {
                found = static_cast<char>(0x80 + h);
                break;
            }
        out += found;
    }
    return out;
}

}  // namespace sx
