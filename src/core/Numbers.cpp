#include "Numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace sx {

std::string StrNumber(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "Inf" : "-Inf";
    if (x == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", x);
    std::string s(buf);
    // drop the zero before the point: 0.5 -> .5, -0.5 -> -.5
    if (s.rfind("0.", 0) == 0)
        s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0)
        s.erase(1, 1);
    return s;
}

std::string StrNumberUntrimmed(double x) {
    std::string s = StrNumber(x);
    return (s[0] == '-') ? s : " " + s;
}

std::string PrintNumber(double x, char decimalSeparator) {
    std::string s = StrNumberUntrimmed(x);
    for (char &c : s)
        if (c == '.') c = decimalSeparator;
    return s + " ";
}

std::string FormatFixed(double x, int decimals, char decimalSeparator) {
    if (!std::isfinite(x)) return StrNumber(x);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    std::string s(buf);
    for (char &c : s)
        if (c == '.') c = decimalSeparator;
    return s;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Collects the leading number of `text` (leading blanks skipped, blanks
// between the digits only when asked) into a plain C-locale numeral; `end`
// receives the index after the last character used.
std::string LeadingNumeral(const std::string &text, size_t &end, bool skipInnerBlanks) {
    std::string num;
    size_t k = 0;
    const size_t n = text.size();
    auto skip = [&] {
        while (k < n && IsBlank(text[k])) ++k;
    };
    skip();
    if (k < n && (text[k] == '+' || text[k] == '-')) num += text[k++];
    bool digits = false, point = false;
    while (k < n) {
        char c = text[k];
        if (c >= '0' && c <= '9') {
            num += c;
            digits = true;
            ++k;
        } else if (c == '.' && !point) {
            num += c;
            point = true;
            ++k;
        } else if (skipInnerBlanks && IsBlank(c)) {
            ++k;
        } else {
            break;
        }
    }
    end = k;
    if (!digits) {
        end = 0;
        return "";
    }
    // exponent: E or D, optional sign, digits
    if (k < n && (text[k] == 'E' || text[k] == 'e' || text[k] == 'D' || text[k] == 'd')) {
        size_t m = k + 1;
        std::string ex = "e";
        if (m < n && (text[m] == '+' || text[m] == '-')) ex += text[m++];
        size_t d0 = m;
        while (m < n && text[m] >= '0' && text[m] <= '9') ex += text[m++];
        if (m > d0) {
            num += ex;
            end = m;
        }
    }
    return num;
}

double LeadingNumber(const std::string &text, bool skipInnerBlanks) {
    size_t end = 0;
    std::string num = LeadingNumeral(text, end, skipInnerBlanks);
    if (num.empty()) return 0;
    double v = std::strtod(num.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

}  // namespace

double ParseNumber(const std::string &text) { return LeadingNumber(text, false); }

double ParseNumberSkippingBlanks(const std::string &text) { return LeadingNumber(text, true); }

std::optional<double> ParseNumberStrict(const std::string &text) {
    size_t end = 0;
    std::string num = LeadingNumeral(text, end, false);
    if (num.empty()) return std::nullopt;
    for (size_t k = end; k < text.size(); ++k)
        if (!IsBlank(text[k])) return std::nullopt;
    double v = std::strtod(num.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double RoundHalfEven(double x) { return std::nearbyint(x); }

std::optional<int16_t> RoundToInt16(double x) {
    auto r = RoundToInt32(x);
    if (!r || *r < -32768 || *r > 32767) return std::nullopt;
    return static_cast<int16_t>(*r);
}

}  // namespace sx
