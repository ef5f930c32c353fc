#pragma once
// Placement of document windows inside the frame's client area.

class QMdiArea;
class QMdiSubWindow;

namespace sx {

// "Überlappend": every window that is not minimised, in stacking order,
// cascaded at a size that keeps its views usable.
void CascadeWindows(QMdiArea *area);

// Puts a new window one cascade step from `previous` (or at the top left),
// wholly inside the visible client area.
void PlaceNewWindow(QMdiArea *area, QMdiSubWindow *sub, QMdiSubWindow *previous);

}  // namespace sx
