#pragma once
// Sampling the field at any point, streamlines through it, their export
// file and the ring of stored streamline starts.

#include <optional>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "Message.h"
#include "PlotGeometry.h"
#include "VectorDocument.h"

namespace sx {

class ByteSink;

struct Velocity {
    double u = 0, v = 0;  // m/s
};

// Bilinear estimate of U and V at (x, y) mm from the four nodes of the cell
// holding the point. (0, 0) outside the node box (its edge is inside), next
// to a node that is not valid, on a grid of one column or row, and for a
// point that is not a number. A point exactly on a node pairs it with the
// neighbour on the side of the smaller coordinate (the inner one at the
// smallest coordinate).
Velocity InterpolateVector(const VectorDocument &doc, double x, double y);

constexpr int kMaxStreamlineSteps = 16000;

// A streamline integrated from its start: point 0 is the start, then one
// point per step. Empty when streamlines cannot be traced on this grid.
struct Streamline {
    std::vector<double> X, Y;      // mm
    std::vector<IntPoint> Pixels;  // device pixels of the same points, for one Polyline
    size_t Steps() const { return X.empty() ? 0 : X.size() - 1; }
};

// Streamlines need two columns and two rows with distinct first positions.
bool CanTraceStreamlines(const VectorDocument &doc);

// Steps of |stepFactor| times the diagonal node distance along the local
// flow (against it for a negative factor) until the interpolated velocity
// times the factor is below 0.00001 in both components, or 16000 steps.
// Also ends before a point that is not a number or has no pixel position.
Streamline TraceStreamline(const VectorDocument &doc, const PlotGeometry &g, double tppX, double tppY, double x0,
                           double y0, double stepFactor);

// TrajectoryFile: header, start point, then every point at least
// exportDistance mm from the point written before it. CR LF lines, streamed
// into `sink`; false when the sink refused a piece.
bool WriteTrajectoryText(const Streamline &line, double exportDistance, char decimalSeparator, ByteSink &sink);
extern const char kTrajectoryFilter[];
// Name proposed in the save dialog: the document's file name without its extension, and " TRA".
std::string TrajectoryProposedName(const std::string &filePath);
// The chosen path with its extension replaced by ".dat" (filter 2) or ".txt".
std::string TrajectoryTargetPath(const std::string &chosenPath, int filterIndex);
UserMessage TrajectorySaveErrorMessage();

// The ring of stored starts: while fewer than 50 are stored a new one takes
// the next slot, then it overwrites the slot after the one written last.
// Returns the slot written (1..50). The fourth value of a slot stays.
int AddTrajectory(TrajectoryRing &ring, double x0, double y0, double step);
// Empties the ring; the fourth values stay.
void ClearTrajectories(TrajectoryRing &ring);

// The streamline-step command: default text of its input box, and the
// answer read (empty: nothing to do; a comma is a point, blanks between the
// digits are skipped). Step 0 keeps StepFactor and the pointer mode;
// BothDirections is taken in any case.
std::string TestParticleDefaultText(const VectorDocument &doc);
struct StepAnswer {
    bool BothDirections = false;
    double Step = 0;
};
std::optional<StepAnswer> ReadStepAnswer(const std::string &answer);

}  // namespace sx
