#pragma once
// Arithmetic of the pointer on the vector plot: the node and the position
// under the pointer, the status-line read-out, the Galilei transformation
// by click, the status toggle of the right button and the measured distance.

#include <cstdint>
#include <string>

#include "PlotGeometry.h"
#include "VectorDocument.h"

namespace sx {

struct NodeIndex {
    int i = 1, j = 1;
};
// X / cw and Y / ch rounded halves to even and limited to the grid; a
// pointer in the margin takes the border node.
NodeIndex NodeUnderPointer(const VectorDocument &doc, const PlotGeometry &g, double X, double Y);

struct PointMm {
    double x = 0, y = 0;
};
// The pointer position in mm, the inverse of the streamline mapping. A
// direction with a single node (no spacing to scale by) gives that node's
// coordinate.
PointMm PositionUnderPointer(const VectorDocument &doc, const PlotGeometry &g, double X, double Y);

// Marker box of node (i, j): corners in twips, rounded.
struct MarkerBox {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
MarkerBox MarkerBoxOf(const PlotGeometry &g, int i, int j);

// "0.0000" with the given separator.
std::string F4(double v, char sep);
// "Galilei gesamt: (gu, gv) m/s." as shown after a transformation.
std::string GalileiTotalText(const VectorDocument &doc, char sep);

// The status line while the pointer moves over node (i, j) at (X, Y).
// showNode: the edit and node Galilei modes, which read out the node's vector.
std::string PointerReadout(const VectorDocument &doc, const PlotGeometry &g, double X, double Y, bool showNode,
                           char sep);

// Subtracts (uc, vc) from every valid vector, adds it to the Galilei total
// and marks P as the critical point. A subtrahend that is not a number
// subtracts nothing, so that one bad node cannot spoil the whole field.
void ApplyGalilei(VectorDocument &doc, double px, double py, double uc, double vc);

// Right button: invalid or removed -> 2 (counted), questionable -> 2,
// anything else -> 0 (uncounted). Returns the new status.
int32_t ToggleStatus(VectorDocument &doc, int i, int j);

// Distance in mm of a drag of (px, py) twips: cells times the mean node
// spacing. A direction with a single node adds nothing.
double DragDistance(const VectorDocument &doc, const PlotGeometry &g, double px, double py);
// "0.000" trimmed, then " mm".
std::string DistanceLabel(double d, char sep);

// The message of the critical-point data command.
std::string CritPointDataText(const VectorDocument &doc, char sep);

}  // namespace sx
