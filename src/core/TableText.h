#pragma once
// Texts and colours of the vector table, the two clipboard formats and the
// number handling of the vector editor.

#include <cstdint>
#include <optional>
#include <string>

#include "VectorDocument.h"

namespace sx {

constexpr int kTableColumnWidth = 1500;     // twips
constexpr int kTableRowHeight = 300;        // twips
extern const char *const kTableCornerText;  // "Position in mm"
extern const char *const kTableToolTip;     // "Geschwindigkeit in m/s"

// "(U; V)" in "0.0000", empty for a removed node.
std::string TableCellText(const VectorDocument &doc, int i, int j, char decimalSeparator);
// Header row (column i) and header column (row j): the position in "0.0000".
std::string TableColumnHeaderText(const VectorDocument &doc, int i, char decimalSeparator);
std::string TableRowHeaderText(const VectorDocument &doc, int j, char decimalSeparator);
// Text colour of a cell (red + 256*green + 65536*blue).
int32_t TableCellColor(int32_t status);

// "vector ( x ;  y )" with StrNumber texts.
std::string ClipboardVectorText(double x, double y);
// Header line, then CR LF and one tab-separated line per node whose status
// is not 0, column by column.
std::string ClipboardTableText(const VectorDocument &doc, char decimalSeparator);

struct ClipboardVector {
    double x = 0, y = 0;
};
// Accepts only vector texts whose numbers are written exactly as
// ClipboardVectorText writes them.
std::optional<ClipboardVector> ParseClipboardVectorText(const std::string &text);

// Vector editor: whether a typed character code may enter a number box.
bool EditorKeyAccepted(int charCode);
// Vector editor: the number in a box, a comma read as the decimal point and
// blanks between the digits skipped; unreadable text is 0.
double ParseEditorNumber(const std::string &text);
// The text a number box shows for a value: ten decimals.
std::string EditorNumberText(double x, char decimalSeparator);

// The data part of a confirmed cell edit: components stored, status set
// (0 or 2 from the editor), valid count adjusted. The caller takes the undo
// snapshot first.
void ApplyVectorEdit(VectorDocument &doc, int i, int j, double x, double y, int32_t status);

// Table selection as field indices, corners sorted and clamped to the field.
struct CellRect {
    int firstCol = 1, lastCol = 0, firstRow = 1, lastRow = 0;
    bool empty() const { return firstCol > lastCol || firstRow > lastRow; }
};
CellRect SelectionRect(const VectorDocument &doc, int col, int row, int colSel, int rowSel);
// The data part of a paste: every node of the rectangle gets (x, y) and
// status 2, the valid count follows. The caller takes the undo snapshot first.
void PasteVector(VectorDocument &doc, const CellRect &rect, double x, double y);

}  // namespace sx
