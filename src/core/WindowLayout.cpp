#include "WindowLayout.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"

namespace sx {

namespace {

// round(x) \ d: halves to even, then division truncating toward zero.
double RoundDiv(double x, double d) { return std::trunc(RoundHalfEven(x) / d); }

double NonNegative(double x) { return std::max(0.0, x); }

}  // namespace

void FieldSpans(const VectorDocument &doc, double &spanX, double &spanY) {
    spanX = spanY = 0;
    if (doc.NX >= 2 && static_cast<int>(doc.PosXs.size()) >= 2)
        spanX = (doc.NX + 1) * std::fabs(doc.PosX(2) - doc.PosX(1));
    if (doc.NY >= 2 && static_cast<int>(doc.PosYs.size()) >= 2)
        spanY = (doc.NY + 1) * std::fabs(doc.PosY(2) - doc.PosY(1));
}

LayoutInput MakeLayoutInput(const VectorDocument &doc, double width, double height) {
    LayoutInput in;
    in.Width = width;
    in.Height = height;
    in.ShowHeader = doc.View.ShowHeader;
    in.ShowTable = doc.View.ShowTable;
    in.ShowVectorfield = doc.View.ShowVectorfield;
    in.ShowCoordSystem = doc.View.ShowCoordSystem;
    in.AspectRatioCorrection = doc.View.AspectRatioCorrection;
    FieldSpans(doc, in.SpanX, in.SpanY);
    return in;
}

WindowLayout ComputeWindowLayout(const LayoutInput &in) {
    WindowLayout L;
    L.ShowCoordSystem = in.ShowCoordSystem;
    const double W = in.Width, H = in.Height;
    if (!(W > 0) || !(H > 0) || !std::isfinite(W) || !std::isfinite(H)) {
        L.Minimized = true;
        return L;
    }

    // header across the upper quarter, three labels in equal thirds
    double top = 0;
    if (in.ShowHeader) {
        const double hh = RoundDiv(H, 4);
        L.Header = {0, 0, W, hh, true};
        const double fw = W, fh = hh;
        const double lw = RoundDiv(fw - 240, 3);
        const double labelH = NonNegative(fh - 360);
        L.Label1 = {120, 240, NonNegative(lw), labelH, true};
        L.Label2 = {lw + 120, 240, NonNegative(lw), labelH, true};
        L.Label3 = {RoundDiv(2 * (fw - 240), 3) + 120, 240, NonNegative(lw), labelH, true};
        top = hh + 1;
        L.RunShowHeaderInfo = true;
    }
    LayoutRect &T = L.Table;
    LayoutRect &P = L.Plot;
    T.Top = P.Top = top;
    T.Height = P.Height = NonNegative(H - top);

    // table left, plot right
    if (in.ShowTable) {
        T.Visible = true;
        T.Left = 0;
        P.Left = RoundDiv(W, 2) + 1;
    } else {
        P.Left = 0;
    }
    P.Visible = in.ShowVectorfield;
    if (in.ShowTable && in.ShowVectorfield)
        T.Width = P.Width = RoundDiv(W, 2);
    else
        T.Width = P.Width = W;

    L.RedrawPlot = true;
    if (!in.ShowVectorfield) return L;

    if (L.ShowCoordSystem && (P.Height + 100 < kXAxisHeight || P.Width + 100 < kYAxisWidth)) {
        L.ShowSizeMessage = true;
        L.ShowCoordSystem = false;
    }

    if (in.AspectRatioCorrection && in.SpanX > 0 && in.SpanY > 0 && std::isfinite(in.SpanX) &&
        std::isfinite(in.SpanY)) {
        const double aw = L.ShowCoordSystem ? P.Width - kYAxisWidth : P.Width;
        const double ah = L.ShowCoordSystem ? P.Height - kXAxisHeight : P.Height;
        // no usable area, no ratio to keep
        if (aw > 0 && ah > 0) {
            const double r = ah / aw;
            const double m = in.SpanY / in.SpanX;
            if (m < r) {
                const double s = L.ShowCoordSystem ? kXAxisHeight : 0;
                const double newH = s + RoundHalfEven(aw * in.SpanY / in.SpanX);
                P.Top += std::trunc((RoundHalfEven(P.Height) - newH) / 2);
                P.Height = newH;
            } else if (m > r) {
                const double s = L.ShowCoordSystem ? kYAxisWidth : 0;
                const double newW = s + RoundHalfEven(ah * in.SpanX / in.SpanY);
                P.Left += std::trunc((RoundHalfEven(P.Width) - newW) / 2);
                P.Width = newW;
            }
        }
    }

    if (L.ShowCoordSystem) {
        LayoutRect &Y = L.YAxis;
        LayoutRect &X = L.XAxis;
        Y.Top = P.Top;
        Y.Height = NonNegative(P.Height - kXAxisHeight);
        Y.Left = P.Left;
        Y.Width = kYAxisWidth;
        P.Left += kYAxisWidth;
        P.Width = NonNegative(P.Width - kYAxisWidth);
        Y.Visible = true;
        X.Left = P.Left;
        X.Width = P.Width;
        P.Height = NonNegative(P.Height - kXAxisHeight);
        X.Top = P.Top + P.Height;
        X.Height = kXAxisHeight;
        X.Visible = true;
        L.XYCorner = {Y.Left, X.Top, Y.Width, X.Height, true};
    }
    return L;
}

UserMessage CoordSystemTooSmallMessage() {
    UserMessage m;
    m.text =
        "Der Zeichenbereich ist zu klein, um ein Koordinatensystem zu zeichnen! "
        "Die Menü-Option 'Koordinatensystem zeichnen' wurde deaktiviert!";
    m.icon = MsgIcon::Information;
    m.buttons = MsgButtons::Ok;
    m.title = "Koordinatensystem zeichnen";
    return m;
}

void ToggleView(ViewState &view, ViewToggle which) {
    switch (which) {
        case ViewToggle::Header: view.ShowHeader = !view.ShowHeader; break;
        case ViewToggle::Table:
            view.ShowTable = !view.ShowTable;
            if (!view.ShowTable && !view.ShowVectorfield) view.ShowVectorfield = true;
            break;
        case ViewToggle::Vectorfield:
            view.ShowVectorfield = !view.ShowVectorfield;
            if (!view.ShowTable && !view.ShowVectorfield) view.ShowTable = true;
            break;
        case ViewToggle::CoordSystem: view.ShowCoordSystem = !view.ShowCoordSystem; break;
    }
}

}  // namespace sx
