#pragma once
// Geometry of the vector plot: cells, node positions, the arrow scale, the
// arrows in device pixels, the background cells, the marked critical point
// and the reference-vector legend. Everything here is plain numbers; the
// plot window turns the results into drawing calls.
//
// Every coordinate that becomes an integer is rounded halves to even and
// checked: a value that is not a number or leaves the 32-bit range makes
// the item it belongs to disappear (no arrow, no cell, no legend) instead
// of reaching an integer conversion.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Message.h"
#include "VectorDocument.h"

namespace sx {

struct IntPoint {
    int32_t x = 0, y = 0;
    bool operator==(const IntPoint &o) const { return x == o.x && y == o.y; }
};

// Text measuring of a drawing surface in its current font, in its units.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual double TextWidth(const std::string &text) const = 0;
    virtual double TextHeight(const std::string &text) const = 0;
};

// A surface whose font size can be set; FontSize() is the size in effect,
// which may differ from the one asked for.
class FontSurface : public TextMetrics {
public:
    virtual void SetFontSize(double points) = 0;
    virtual double FontSize() const = 0;
};

// Length of a vector: sqrt(x*x + y*y).
double VectorNorm(double x, double y);

// Direction in which positions grow from the first to the last node: -1 or
// +1. Where there is no direction (one column, equal or unreadable
// positions) it is +1, so that no velocity component vanishes from the plot.
int AxisSign(double first, double last);

struct PlotGeometry {
    double Width = 0, Height = 0;  // inner size of the plot picture, twips
    double cw = 0, ch = 0;         // cell size; one empty cell of margin all round
    int sgnX = 1, sgnY = 1;        // multiply every drawn x and y component
};
PlotGeometry MakePlotGeometry(const VectorDocument &doc, double innerWidth, double innerHeight);

// The node mapping extended linearly to any point in mm. It needs two
// columns and two rows whose first two positions differ.
bool HasPositionMapping(const VectorDocument &doc);
// (x - PosX(1)) * cw / (PosX(2) - PosX(1)) + cw
double PlotXOf(const VectorDocument &doc, const PlotGeometry &g, double x);
// (y - PosY(NY)) * ch / (PosY(2) - PosY(1)) - ch; the plot y is this plus the height.
double PlotYOffsetOf(const VectorDocument &doc, const PlotGeometry &g, double y);

// Automatic arrow scale in twips per m/s: the longest valid x component fits
// one cell width and the longest y component one cell height. Not possible
// (scale 1, and the message is shown) when every valid component is 0.
struct AutoScale {
    double Scale = 1;
    bool Possible = true;
};
AutoScale AutomaticScale(const VectorDocument &doc, double cw, double ch);
// DrawScale of a redraw: the automatic scale times the user's factor.
inline double DrawScaleOf(const AutoScale &a, const VectorDocument &doc) { return a.Scale * doc.VectorScale; }
UserMessage ScaleImpossibleMessage();

// One background cell: a filled box, corners included, in its colour.
struct CellBox {
    IntPoint from, to;
    int32_t color = 0;
};
// Cells of every node whatever its status, row by row (j outer, i inner);
// neighbouring boxes overlap by two twips. Colours from doc.BackValues.
std::vector<CellBox> BackgroundCells(const VectorDocument &doc, const PlotGeometry &g);

// The marked critical point: a black disc of radius 30 twips at Center, then
// the removed Galilei velocity as DrawVector(Center, Step, ColVectorCrit).
// Empty while no critical point is shown or the grid gives no mapping.
struct CritPointMark {
    IntPoint Center;
    int32_t Radius = 30;
    IntPoint Step;
};
std::optional<CritPointMark> CritPointMarkOf(const VectorDocument &doc, const PlotGeometry &g, double drawScale);

// One plot arrow in device pixels for PolyPolyline with the counts 3 and 2:
// shaft and first barb (P0, P1, P2), second barb (P3 = P1, P4).
constexpr std::array<int32_t, 2> kArrowCounts{3, 2};
struct PlotArrow {
    std::array<IntPoint, 5> Points;
    int32_t Color = 0;
};
// Arrow of node (i, j) with velocity (u, v); cw, ch in pixels, scale in pixels per m/s.
std::optional<std::array<IntPoint, 5>> ArrowPoints(int i, int j, double u, double v, double cwPixels, double chPixels,
                                                   double scalePixels, int sgnX, int sgnY);

// DrawVector in twips: a line Foot -> Tip and a single point at Foot; when
// the step is not zero also two strokes Tip -> Barb1 and Tip -> Barb2.
struct VectorStrokes {
    IntPoint Foot, Tip;
    bool Head = false;
    IntPoint Barb1, Barb2;
};
std::optional<VectorStrokes> DrawVectorStrokes(int32_t fromX, int32_t fromY, int32_t stepX, int32_t stepY);

// The reference-vector legend (only while doc.RefVelocity is not 0). Sets
// the surface's font size as a side effect; the size stays as set.
// Draw: box X0, Y0, W, H with black border and white fill; Title at TitlePos
// and Label at LabelPos; a black shaft ShaftFrom -> ShaftTo; two black
// strokes HeadFrom -> Barb1 and HeadFrom -> Barb2.
struct LegendLayout {
    int32_t X0 = 0, Y0 = 0, W = 0, H = 0;
    std::string Title, Label;
    IntPoint TitlePos, LabelPos;
    IntPoint ShaftFrom, ShaftTo;
    IntPoint HeadFrom, Barb1, Barb2;
};
std::optional<LegendLayout> ComputeLegend(const VectorDocument &doc, const PlotGeometry &g, FontSurface &font,
                                          char decimalSeparator);
// A number in general form: only the digits needed, leading zero, the given separator.
std::string GeneralNumber(double x, char decimalSeparator);

// The vector-scale command: default text of the input box, and the answer
// read (empty: nothing to do) with its limit message, if any.
std::string VectorScaleDefaultText(double vectorScale);
struct VectorScaleChoice {
    double Value = 1;
    std::optional<UserMessage> Message;
};
std::optional<VectorScaleChoice> ReadVectorScaleAnswer(const std::string &answer);

}  // namespace sx
