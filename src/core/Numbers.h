#pragma once
// Number texts and conversions shared by every file format and window.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace sx {

// "." as decimal point, no leading zero (.5, -.5), up to 15 significant
// digits, exponent form (1E+15, 1E-05) for very large or small magnitudes.
std::string StrNumber(double x);
// The same with one blank in front of a number that is not negative.
std::string StrNumberUntrimmed(double x);
// Blank or "-", the digits of StrNumber with the given separator, a trailing blank.
std::string PrintNumber(double x, char decimalSeparator);
// Exactly `decimals` digits after the separator, at least one before it, and
// a minus for every negative value, also one that rounds to zero or is -0
// (as printf("%.*f") writes it).
std::string FormatFixed(double x, int decimals, char decimalSeparator);

// The same texts written at `p`, for writers that fill a buffer; each
// returns the end of what it wrote. StrNumber and PrintNumber take at most
// kNumberRoom bytes, the fixed form at most FixedRoom(decimals).
constexpr size_t kNumberRoom = 40;
constexpr size_t FixedRoom(int decimals) { return 330 + static_cast<size_t>(decimals < 6 ? 6 : decimals); }
char *WriteStrNumber(char *p, double x);
char *WritePrintNumber(char *p, double x, char decimalSeparator);
char *WriteFixed(char *p, double x, int decimals, char decimalSeparator);
// FormatFixed appended to `out` (inline: the table and the DAT writer call it per number).
inline void AppendFixed(std::string &out, double x, int decimals, char decimalSeparator) {
    if (decimals > 16) {
        out += FormatFixed(x, decimals, decimalSeparator);
        return;
    }
    char buf[FixedRoom(16)];
    out.append(buf, WriteFixed(buf, x, decimals, decimalSeparator));
}

// The leading number of a text, "." the only decimal separator; 0 when the
// text starts with no number. Leading blanks are skipped; reading stops at
// the first character that cannot continue the number ("1 00" and "1,5" read 1).
double ParseNumber(const std::string &text);
// The same, but blanks between the digits are skipped too ("1 000" reads
// 1000): the vector editor and the streamline step read typed numbers so.
double ParseNumberSkippingBlanks(const std::string &text);
// A plain numeral ("-1.5e3") read as the C library reads it in the C locale,
// whatever locale the program runs under.
double ParseNumeral(const char *numeral);

// Nearest whole number, halves to even. Empty for NaN, infinity or a value
// outside the 32-bit range, so that no such value reaches an integer.
inline std::optional<int32_t> RoundToInt32(double x) {
    // NaN fails the comparison too
    if (!(x > -2147483649.0 && x < 2147483648.0)) return std::nullopt;
    // adding 1.5 * 2^52 leaves the value rounded half-to-even in the last bit
    const double r = (x + 6755399441055744.0) - 6755399441055744.0;
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(r);
}
double RoundHalfEven(double x);
// Integer division truncating toward zero (b != 0).
inline int32_t IntDiv(int32_t a, int32_t b) { return a / b; }

}  // namespace sx
