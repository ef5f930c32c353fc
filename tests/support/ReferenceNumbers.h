#pragma once
// The number texts written the plain way, through printf ("%.15G" and
// "%.*f") in the C locale. The tests hold the fast formatting against them;
// the benchmarks time them beside it.

#include <cmath>
#include <cstdio>
#include <string>

namespace ref {

inline std::string StrNumber(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "Inf" : "-Inf";
    if (x == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", x);
    std::string s(buf);
    if (s.rfind("0.", 0) == 0)
        s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0)
        s.erase(1, 1);
    return s;
}

inline std::string PrintNumber(double x, char decimalSeparator) {
    std::string s = StrNumber(x);
    if (s[0] != '-') s = " " + s;
    for (char &c : s)
        if (c == '.') c = decimalSeparator;
    return s + " ";
}

inline std::string FormatFixed(double x, int decimals, char decimalSeparator) {
    if (!std::isfinite(x)) return StrNumber(x);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    std::string s(buf);
    for (char &c : s)
        if (c == '.') c = decimalSeparator;
    return s;
}

}  // namespace ref
