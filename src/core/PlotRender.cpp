#include "PlotRender.h"

#include "Numbers.h"

namespace sx {

namespace {

// The cell k of a row or column: centre k * size, half width half, two twips of overlap.
CellSpan Span(int k, double size, int32_t half) {
    CellSpan s;
    const auto from = RoundToInt32(k * size - half - 1), to = RoundToInt32(k * size + half + 1);
    if (!from || !to) return s;
    s.From = *from;
    s.To = *to;
    s.ok = true;
    return s;
}

}  // namespace

CellGrid BackgroundCellGrid(const VectorDocument &doc, const PlotGeometry &g) {
    CellGrid grid;
    const auto rw = RoundToInt32(g.cw), rh = RoundToInt32(g.ch);
    if (!rw || !rh || doc.NX <= 0 || doc.NY <= 0 || doc.BackValues.size() != doc.NodeCount()) return grid;
    const int32_t hw = *rw / 2, hh = *rh / 2;
    grid.Columns.reserve(static_cast<size_t>(doc.NX));
    grid.Rows.reserve(static_cast<size_t>(doc.NY));
    for (int i = 1; i <= doc.NX; ++i) grid.Columns.push_back(Span(i, g.cw, hw));
    for (int j = 1; j <= doc.NY; ++j) grid.Rows.push_back(Span(j, g.ch, hh));
    return grid;
}

}  // namespace sx
