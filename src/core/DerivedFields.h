#pragma once
// Scalar fields derived from the velocity gradients, the background array
// behind the arrows and the colour scale it is shown with.

#include <cstdint>
#include <vector>

#include "VectorDocument.h"
#include "VectorFieldBuffer.h"

namespace sx {

// Vorticity dv/dx - du/dy in 1/s of every node (positions in mm, velocities
// in m/s). An invalid or removed neighbour is replaced by the node itself;
// border nodes, degenerate grids and non-finite results give 0.
void CalcVorticity(const VectorDocument &doc, FieldArray<double> &out);
void CalcVorticity(VectorDocument &doc);  // into doc.BackValues

// Squared swirling strength in 1/s^2, signed with the sense of rotation
// (positive for positive vorticity); same neighbour and zero rules.
void CalcSwirlSquare(const VectorDocument &doc, FieldArray<double> &out);
void CalcSwirlSquare(VectorDocument &doc);  // into doc.BackValues

// Both fields in one pass over the field; either pointer may be null.
void CalcDerivedFields(const VectorDocument &doc, FieldArray<double> *vorticity, FieldArray<double> *swirlSquare);

// Recomputes doc.BackValues for a dynamic background (swirl, vorticity);
// leaves them alone for no background and the buffer background.
void RecalcBackground(VectorDocument &doc);

struct ColorScale {
    double Min = -1, Null = 0, Max = 1;
};
// Min and Max from the extremes of the values (starting at 0, NaN ignored),
// Null 0; Max <= 0 becomes 1 and Min >= 0 becomes -1.
ColorScale ColorScaleFromData(const FieldArray<double> &values);
void SetColorScaleFromData(VectorDocument &doc);  // from doc.BackValues
void ResetColorScale(VectorDocument &doc);        // -1, 0, 1

// Colour (0x00BBGGRR) of one background value: the fixed end colours at and
// beyond Min and Max, otherwise each channel linear between the null colour
// and the end colour, clamped to 0..255 and rounded halves to even.
int32_t BackgroundColor(double value, const ColorScale &scale, int32_t colMin, int32_t colNull, int32_t colMax);
int32_t BackgroundColor(const VectorDocument &doc, double value);

// The buffer background.
enum class BufferQuantity { XComp, YComp, Magnitude, XtimesY };
// The buffer can be shown behind this document: same grid size, not empty.
bool BufferMatches(const VectorFieldBuffer &buffer, const VectorDocument &doc);
// Fills doc.BackValues from the buffer's valid nodes (0 elsewhere); false and
// nothing changed when the buffer does not match the document.
bool FillBackgroundFromBuffer(VectorDocument &doc, const VectorFieldBuffer &buffer, BufferQuantity quantity);

}  // namespace sx
