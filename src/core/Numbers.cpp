#include "Numbers.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace sx {

namespace {

// 5^k (k <= 22, below 2^52) and 10^k (k <= 18) as whole numbers.
template <uint64_t Base, size_t N>
struct Powers {
    uint64_t of[N] = {};
    constexpr Powers() {
        of[0] = 1;
        for (size_t k = 1; k < N; ++k) of[k] = of[k - 1] * Base;
    }
};
constexpr int kMaxPow5 = 22;
constexpr Powers<5, kMaxPow5 + 1> kPowers5;
constexpr Powers<10, 19> kPowers10;
constexpr const uint64_t *kPow5 = kPowers5.of;
constexpr const uint64_t *kPow10 = kPowers10.of;
constexpr uint64_t kE14 = kPow10[14], kE15 = kPow10[15];
// Exact as doubles.
constexpr double kPow10Double[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A finite double as M * 2^B with M a whole number below 2^53.
struct Binary {
    uint64_t m;
    int b;
};
Binary Decompose(double a) {
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t frac = bits & ((uint64_t{1} << 52) - 1);
    if (biased == 0) return {frac, -1074};  // subnormal
    return {frac | (uint64_t{1} << 52), biased - 1075};
}

// m * 2^-s rounded to a whole number, halves to even (as printf rounds the
// exact binary value); 1 <= s < the width of U.
template <class U>
uint64_t RoundShifted(U m, int s) {
    const uint64_t q = static_cast<uint64_t>(m >> s);
    const U rest = m & ((U{1} << s) - 1), half = U{1} << (s - 1);
    return q + ((rest > half || (rest == half && (q & 1))) ? 1 : 0);
}
// The same for any s >= 1 (m < 2^106).
uint64_t RoundShiftedWide(unsigned __int128 m, int s) { return s >= 128 ? 0 : RoundShifted(m, s); }

const char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Exactly `n` digits of v, with leading zeros (32-bit steps where v fits).
template <class U>
void PutDigits(char *p, U v, int n) {
    char *q = p + n;
    for (; n >= 2; n -= 2) {
        q -= 2;
        std::memcpy(q, kDigitPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (n) *--q = static_cast<char>('0' + v);
}

// Eight digits of v < 10^8, in independent 32-bit steps rather than one
// chain of divisions.
void PutEight(char *p, uint32_t v) {
    const uint32_t hi = v / 10000, lo = v % 10000;
    std::memcpy(p, kDigitPairs + 2 * (hi / 100), 2);
    std::memcpy(p + 2, kDigitPairs + 2 * (hi % 100), 2);
    std::memcpy(p + 4, kDigitPairs + 2 * (lo / 100), 2);
    std::memcpy(p + 6, kDigitPairs + 2 * (lo % 100), 2);
}

char *PutUnsigned(char *p, uint64_t v) {
    int n = 1;
    while (n < 19 && v >= kPow10[n]) ++n;
    if (n > 18) {  // only the top digits need the wide path
        const uint64_t top = v / kPow10[18];
        p = PutUnsigned(p, top);
        PutDigits(p, v % kPow10[18], 18);
        return p + 18;
    }
    if (n <= 9)
        PutDigits(p, static_cast<uint32_t>(v), n);
    else
        PutDigits(p, v, n);
    return p + n;
}

// Sixteen zeros at p, of which the caller keeps what it needs: one store
// instead of a call for a few bytes. (The room of a number text allows it.)
void PutZeros(char *p) { std::memcpy(p, "0000000000000000", 16); }

// |x| (finite, not 0) rounded to 15 significant digits as "%.15G" rounds
// it: m in [1e14, 1e15) and the decimal exponent e of the rounded value.
// Exact with 128-bit integers where 10^(14 - e) is a small power; the
// library's exact formatting elsewhere.
void Significant15(double a, uint64_t &m, int &e) {
    const Binary v = Decompose(a);
    // floor(log10 a) is est or est + 1 (78913 / 2^18 is just below log10 2)
    const int binExp = v.b + 52;
    const int t = binExp * 78913;
    const int est = t >= 0 ? t >> 18 : -((-t + (1 << 18) - 1) >> 18);
    if (v.m >> 52 && est >= -8 && est <= 13) {
        for (int guess = est + 1; guess >= est; --guess) {
            const int k = 14 - guess;  // a * 10^k = m * 5^k * 2^(b + k)
            if (k > kMaxPow5) break;
            const unsigned __int128 prod = static_cast<unsigned __int128>(v.m) * kPow5[k];
            const int s = -(v.b + k);
            if (s < 1 || s > 127) break;
            const uint64_t whole = static_cast<uint64_t>(prod >> s);
            if (whole >= kE15) break;
            if (whole < kE14) continue;
            m = RoundShifted(prod, s);
            e = guess;
            if (m == kE15) {
                m = kE14;
                ++e;
            }
            return;
        }
    }
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    // d.dddddddddddddde[+-]xx[x]
    m = static_cast<uint64_t>(buf[0] - '0');
    for (int k = 2; k < 16; ++k) m = m * 10 + static_cast<uint64_t>(buf[k] - '0');
    e = 0;
    for (const char *q = buf + 18; q < res.ptr; ++q) e = e * 10 + (*q - '0');
    if (buf[17] == '-') e = -e;
}

}  // namespace

char *WriteStrNumber(char *p, double x) {
    if (std::isnan(x)) {
        std::memcpy(p, "NaN", 3);
        return p + 3;
    }
    if (std::isinf(x)) {
        if (x < 0) *p++ = '-';
        std::memcpy(p, "Inf", 3);
        return p + 3;
    }
    if (x == 0) {
        *p = '0';
        return p + 1;
    }
    if (x < 0) *p++ = '-';
    uint64_t m;
    int e;
    Significant15(std::fabs(x), m, e);
    char digits[16];  // a leading zero, then the 15 digits
    PutEight(digits, static_cast<uint32_t>(m / 100000000));
    PutEight(digits + 8, static_cast<uint32_t>(m % 100000000));
    const char *d = digits + 1;
    int n = 15;
    while (d[n - 1] == '0') --n;
    if (e < -4 || e >= 15) {
        // d.dddE+XX, at least two exponent digits
        *p++ = d[0];
        if (n > 1) {
            *p++ = '.';
            std::memcpy(p, d + 1, static_cast<size_t>(n - 1));
            p += n - 1;
        }
        *p++ = 'E';
        *p++ = e < 0 ? '-' : '+';
        const int ae = e < 0 ? -e : e;
        if (ae >= 100) *p++ = static_cast<char>('0' + ae / 100);
        *p++ = static_cast<char>('0' + ae / 10 % 10);
        *p++ = static_cast<char>('0' + ae % 10);
    } else if (e >= 0) {
        const int whole = e + 1;
        if (n <= whole) {
            std::memcpy(p, d, static_cast<size_t>(n));
            if (n < whole) PutZeros(p + n);
            p += whole;
        } else {
            std::memcpy(p, d, static_cast<size_t>(whole));
            p += whole;
            *p++ = '.';
            std::memcpy(p, d + whole, static_cast<size_t>(n - whole));
            p += n - whole;
        }
    } else {
        // no zero before the point: .5, -.0025
        *p++ = '.';
        PutZeros(p);
        p += -e - 1;
        std::memcpy(p, d, static_cast<size_t>(n));
        p += n;
    }
    return p;
}

char *WritePrintNumber(char *p, double x, char decimalSeparator) {
    if (!(x < 0)) *p++ = ' ';
    char *end = WriteStrNumber(p, x);
    if (decimalSeparator != '.')
        for (char *q = p; q < end; ++q)
            if (*q == '.') *q = decimalSeparator;
    *end = ' ';
    return end + 1;
}

char *WriteFixed(char *p, double x, int decimals, char decimalSeparator) {
    if (!std::isfinite(x)) return WriteStrNumber(p, x);
    if (decimals < 0) decimals = 6;  // as printf takes a negative precision
    const double a = std::fabs(x);
    // the scaled value as a whole number below 1e18, exactly rounded
    if (decimals <= kMaxPow5 && a * kPow10Double[decimals] < 1e18) {
        const Binary v = Decompose(a);
        const int shift = v.b + decimals;
        uint64_t r;
        if (decimals <= 4 && shift < 0 && shift > -64) {  // the common case in 64 bits: m * 5^4 < 2^63
            r = RoundShifted(v.m * kPow5[decimals], -shift);
        } else {
            const unsigned __int128 prod = static_cast<unsigned __int128>(v.m) * kPow5[decimals];
            r = shift >= 0 ? static_cast<uint64_t>(prod << shift) : RoundShiftedWide(prod, -shift);
        }
        if (std::signbit(x)) *p++ = '-';  // also for -0 and what rounds to 0, as printf writes it
        const uint64_t unit = decimals <= 18 ? kPow10[decimals] : 0;
        if (unit == 0) {  // more decimals than the value has digits: a whole part of 0
            *p++ = '0';
            *p++ = decimalSeparator;
            std::memset(p, '0', static_cast<size_t>(decimals - 18));
            p += decimals - 18;
            PutDigits(p, r, 18);
            return p + 18;
        }
        // constant divisors for the usual decimals
        const uint64_t whole = decimals == 4 ? r / 10000 : decimals == 3 ? r / 1000 : r / unit;
        const uint64_t frac = r - whole * unit;
        p = PutUnsigned(p, whole);
        if (decimals > 0) {
            *p++ = decimalSeparator;
            if (decimals <= 9)
                PutDigits(p, static_cast<uint32_t>(frac), decimals);
            else
                PutDigits(p, frac, decimals);
            p += decimals;
        }
        return p;
    }
    // to_chars is exact like printf("%.*f")
    const auto res = std::to_chars(p, p + FixedRoom(decimals), x, std::chars_format::fixed, decimals);
    if (decimalSeparator != '.')
        for (char *q = p; q < res.ptr; ++q)
            if (*q == '.') {
                *q = decimalSeparator;
                break;
            }
    return res.ptr;
}

std::string StrNumber(double x) {
    char buf[kNumberRoom];
    return std::string(buf, WriteStrNumber(buf, x));
}

std::string StrNumberUntrimmed(double x) {
    std::string s = StrNumber(x);
    return (s[0] == '-') ? s : " " + s;
}

std::string PrintNumber(double x, char decimalSeparator) {
    char buf[kNumberRoom];
    return std::string(buf, WritePrintNumber(buf, x, decimalSeparator));
}

std::string FormatFixed(double x, int decimals, char decimalSeparator) {
    std::string s(FixedRoom(decimals), '\0');
    s.resize(static_cast<size_t>(WriteFixed(&s[0], x, decimals, decimalSeparator) - s.data()));
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

}  // namespace

double ParseNumeral(const char *numeral) {
    // the toolkit sets the C library to the user's locale, whose strtod
    // would stop at the "." of "1.5" under a German one
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c ? strtod_l(numeral, nullptr, c) : std::strtod(numeral, nullptr);
}

namespace {

double LeadingNumber(const std::string &text, bool skipInnerBlanks) {
    size_t end = 0;
    std::string num = LeadingNumeral(text, end, skipInnerBlanks);
    if (num.empty()) return 0;
    const double v = ParseNumeral(num.c_str());
    return std::isfinite(v) ? v : 0;
}

}  // namespace

double ParseNumber(const std::string &text) { return LeadingNumber(text, false); }

double ParseNumberSkippingBlanks(const std::string &text) { return LeadingNumber(text, true); }

double RoundHalfEven(double x) { return std::nearbyint(x); }

}  // namespace sx
