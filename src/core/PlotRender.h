#pragma once
// The background cells of the plot as a grid: the cell edges depend only on
// the column and on the row, so a redraw converts each edge once and then
// fills node by node. Same cells as BackgroundCells, without a box per node.

#include <cstdint>
#include <vector>

#include "PlotGeometry.h"
#include "VectorDocument.h"

namespace sx {

// From and to of one column (x) or row (y) in twips, both included; ok is
// false where an edge leaves the 32-bit range (those cells are left out).
struct CellSpan {
    int32_t From = 0, To = 0;
    bool ok = false;
};
struct CellGrid {
    std::vector<CellSpan> Columns;  // 1..NX at 0..NX-1
    std::vector<CellSpan> Rows;     // 1..NY at 0..NY-1
};
// Empty when there is nothing to draw (no cell size, BackValues not sized).
CellGrid BackgroundCellGrid(const VectorDocument &doc, const PlotGeometry &g);

}  // namespace sx
