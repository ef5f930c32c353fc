#pragma once
// Shifting a field by a convection velocity: a constant vector added to or
// subtracted from every valid vector, and the subtraction of the mean
// velocity of each row (the velocity profile).

#include <cstdint>
#include <string>
#include <vector>

#include "VectorDocument.h"

namespace sx {

// Every valid vector gets (x, y) added; the Galilei total, which counts what
// was subtracted, goes down by (x, y). Invalid and removed vectors keep their
// components.
void AddConstVector(VectorDocument &doc, double x, double y);
// The twin: every valid vector loses (x, y), the Galilei total grows by it.
void SubConstVector(VectorDocument &doc, double x, double y);

// Row means of the valid vectors, index j - 1; 0 for rows without one.
struct VelocityProfile {
    std::vector<double> MeanU, MeanV;
};
// Subtracts each row's mean of its valid vectors from every node of the
// row, invalid and removed ones included. Rows without valid vectors stay.
VelocityProfile SubtractVelocityProfile(VectorDocument &doc);

// "Galilei gesamt: (gu, gv)." in "0.0000".
std::string ConstVectorStatusText(const VectorDocument &doc, char decimalSeparator);

// One green profile arrow for DrawVector, plot units.
struct ProfileArrow {
    int32_t FromX = 0, FromY = 0, StepX = 0, StepY = 0;
};
// The removed profile, one arrow per row, drawn in the middle of the plot and
// scaled so that the largest remaining valid component fits one cell. A row
// whose numbers leave the 32-bit range gets no arrow.
std::vector<ProfileArrow> ProfileArrows(const VectorDocument &doc, const VelocityProfile &profile, double scaleWidth,
                                        double scaleHeight);

}  // namespace sx
