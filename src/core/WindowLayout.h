#pragma once
// Geometry of the document window (header frame, table, plot, axis strips)
// computed from its inner size and the view checks, all in twips.

#include "Message.h"
#include "VectorDocument.h"

namespace sx {

constexpr double kXAxisHeight = 495;  // imgXAxis
constexpr double kYAxisWidth = 495;   // imgYAxis

struct LayoutRect {
    double Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = false;
};

struct LayoutInput {
    double Width = 0, Height = 0;  // inner size of the window
    bool ShowHeader = false, ShowTable = false, ShowVectorfield = true, ShowCoordSystem = false,
         AspectRatioCorrection = false;
    // Field extent in mm with one margin cell on every side; 0 when the
    // field has no spacing to measure (the aspect correction is skipped).
    double SpanX = 0, SpanY = 0;
};

struct WindowLayout {
    bool Minimized = false;             // only the caption is set; nothing below applies
    LayoutRect Header;                  // frmHeader
    LayoutRect Label1, Label2, Label3;  // inside frmHeader; meaningful only while it is visible
    LayoutRect Table, Plot, XAxis, YAxis, XYCorner;
    bool RunShowHeaderInfo = false;
    bool ShowSizeMessage = false;  // CoordSystemTooSmallMessage() is due
    bool ShowCoordSystem = false;  // mnuShowCoordSystem after the layout
    bool RedrawPlot = false;       // DrawVectorfield runs
};

// SpanX = (NX + 1) * |PosX(2) - PosX(1)|, SpanY alike; 0 for a single column or row.
void FieldSpans(const VectorDocument &doc, double &spanX, double &spanY);
LayoutInput MakeLayoutInput(const VectorDocument &doc, double width, double height);

// The arithmetic of Form_Resize; sizes never come out negative.
WindowLayout ComputeWindowLayout(const LayoutInput &in);

UserMessage CoordSystemTooSmallMessage();

enum class ViewToggle { Header, Table, Vectorfield, CoordSystem };
// Inverts the item; table and plot are never both unchecked.
void ToggleView(ViewState &view, ViewToggle which);

}  // namespace sx
