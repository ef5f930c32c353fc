#include "TableText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Numbers.h"

namespace sx {

const char *const kTableCornerText = "Position in mm";
const char *const kTableToolTip = "Geschwindigkeit in m/s";

std::string TableCellText(const VectorDocument &doc, int i, int j, char decimalSeparator) {
    if (doc.Status(i, j) < 0) return std::string();
    std::string s;
    s.reserve(32);
    s += '(';
    AppendFixed(s, doc.U(i, j), 4, decimalSeparator);
    s += "; ";
    AppendFixed(s, doc.V(i, j), 4, decimalSeparator);
    s += ')';
    return s;
}

std::string TableColumnHeaderText(const VectorDocument &doc, int i, char decimalSeparator) {
    return FormatFixed(doc.PosX(i), 4, decimalSeparator);
}

std::string TableRowHeaderText(const VectorDocument &doc, int j, char decimalSeparator) {
    return FormatFixed(doc.PosY(j), 4, decimalSeparator);
}

int32_t TableCellColor(int32_t status) {
    switch (status) {
        case StatusRemoved:
        case StatusInvalid: return Rgb(255, 0, 0);
        case StatusValid: return Rgb(0, 0, 0);
        case StatusChanged: return Rgb(0, 150, 0);
        case StatusQuestionable: return Rgb(150, 0, 150);
        default: return Rgb(100, 100, 255);
    }
}

std::string ClipboardVectorText(double x, double y) {
    return "vector ( " + StrNumber(x) + " ;  " + StrNumber(y) + " )";
}

std::string ClipboardTableText(const VectorDocument &doc, char decimalSeparator) {
    static const char kHeader[] = "X [mm]\tY [mm]\tVx [m/s]\tVy [m/s]\tABS(V) [m/s]";
    const size_t nx = size_t(std::max(doc.NX, 0)), ny = size_t(std::max(doc.NY, 0));
    size_t listed = 0;
    for (int32_t s : doc.Statuses)
        if (s != StatusInvalid) ++listed;
    // The y texts are the same in every column: written once.
    std::string yTexts;
    std::vector<size_t> yStart(ny + 1, 0);
    for (size_t j = 0; j < ny; ++j) {
        yTexts += '\t';
        AppendFixed(yTexts, doc.PosYs[j], 4, decimalSeparator);
        yTexts += '\t';
        yStart[j + 1] = yTexts.size();
    }
    std::string out;
    // typical line: five numbers of up to ten characters, four tabs, CR LF
    out.reserve(sizeof kHeader + listed * 56);
    AdviseHugePages(&out[0], out.capacity());  // untouched yet: a large text is written into huge pages
    out += kHeader;
    // The lines go column by column while the arrays are stored row by row:
    // a strip of columns is gathered first, row after row, so that memory is
    // read in order and not one row apart for every line.
    constexpr size_t kStrip = 16;
    std::vector<double> su(kStrip * ny), sv(kStrip * ny);
    std::vector<int32_t> ss(kStrip * ny);
    std::string x;
    for (size_t i0 = 0; i0 < nx; i0 += kStrip) {
        const size_t width = std::min(kStrip, nx - i0);
        for (size_t j = 0; j < ny; ++j) {
            const size_t at = j * nx + i0;
            for (size_t c = 0; c < width; ++c) {
                su[c * ny + j] = doc.Us[at + c];
                sv[c * ny + j] = doc.Vs[at + c];
                ss[c * ny + j] = doc.Statuses[at + c];
            }
        }
        for (size_t c = 0; c < width; ++c) {
            x.assign("\r\n");
            AppendFixed(x, doc.PosXs[i0 + c], 4, decimalSeparator);
            for (size_t j = 0; j < ny; ++j) {
                const size_t k = c * ny + j;
                if (ss[k] == StatusInvalid) continue;
                const double u = su[k], v = sv[k];
                double mag = std::sqrt(u * u + v * v);
                if (std::isinf(mag) && std::isfinite(u) && std::isfinite(v)) mag = std::hypot(u, v);
                out += x;
                out.append(yTexts, yStart[j], yStart[j + 1] - yStart[j]);
                AppendFixed(out, u, 4, decimalSeparator);
                out += '\t';
                AppendFixed(out, v, 4, decimalSeparator);
                out += '\t';
                AppendFixed(out, mag, 4, decimalSeparator);
            }
        }
    }
    return out;
}

namespace {

// Blanks only, as the vector text is written with blanks.
std::string TrimBlanks(const std::string &s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

}  // namespace

std::optional<ClipboardVector> ParseClipboardVectorText(const std::string &text) {
    static const std::string kPrefix = "vector (";
    if (text.size() < kPrefix.size() + 1 || text.compare(0, kPrefix.size(), kPrefix) != 0 || text.back() != ')')
        return std::nullopt;
    const std::string inner = text.substr(kPrefix.size(), text.size() - kPrefix.size() - 1);
    const size_t p = inner.rfind(';');
    if (p == std::string::npos) return std::nullopt;
    const std::string xs = inner.substr(0, p);
    const std::string ys = inner.substr(p + 1);
    ClipboardVector r;
    r.x = ParseNumber(xs);
    r.y = ParseNumber(ys);
    if (StrNumber(r.x) != TrimBlanks(xs) || StrNumber(r.y) != TrimBlanks(ys)) return std::nullopt;
    return r;
}

bool EditorKeyAccepted(int charCode) {
    if (charCode >= '0' && charCode <= '9') return true;
    if (charCode == '-' || charCode == ',' || charCode == '.' || charCode == ' ') return true;
    return charCode >= 0 && charCode < 20;
}

double ParseEditorNumber(const std::string &text) {
    std::string t = text;
    std::replace(t.begin(), t.end(), ',', '.');
    return ParseNumberSkippingBlanks(t);
}

std::string EditorNumberText(double x, char decimalSeparator) { return FormatFixed(x, 10, decimalSeparator); }

void ApplyVectorEdit(VectorDocument &doc, int i, int j, double x, double y, int32_t status) {
    const int32_t old = doc.Status(i, j);
    doc.U(i, j) = x;
    doc.V(i, j) = y;
    if (old <= 0 && status >= 1)
        ++doc.ValidCount;
    else if (old >= 1 && status <= 0)
        --doc.ValidCount;
    doc.Status(i, j) = status;
}

CellRect SelectionRect(const VectorDocument &doc, int col, int row, int colSel, int rowSel) {
    CellRect r;
    r.firstCol = std::max(1, std::min(col, colSel));
    r.lastCol = std::min(doc.NX, std::max(col, colSel));
    r.firstRow = std::max(1, std::min(row, rowSel));
    r.lastRow = std::min(doc.NY, std::max(row, rowSel));
    return r;
}

void PasteVector(VectorDocument &doc, const CellRect &rect, double x, double y) {
    for (int i = rect.firstCol; i <= rect.lastCol; ++i)
        for (int j = rect.firstRow; j <= rect.lastRow; ++j) {
            doc.U(i, j) = x;
            doc.V(i, j) = y;
            if (doc.Status(i, j) < 1) ++doc.ValidCount;
            doc.Status(i, j) = StatusChanged;
        }
}

}  // namespace sx
