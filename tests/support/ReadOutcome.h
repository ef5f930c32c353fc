#pragma once
// What every file reader must give for any input, whole or damaged: a
// failure with a message to show, or a document whose arrays fit its grid
// within the node bound and hold only finite numbers, with texts that a save
// takes (a longer text is cut on reading). Shared by the
// robustness tests and the fuzz targets.

#include <algorithm>
#include <cmath>
#include <string>

#include "DocumentLimit.h"
#include "SdxFile.h"

namespace sx {

// What is wrong with the outcome; empty when it is sound.
inline std::string UnsoundReadOutcome(const ReadResult &r, const VectorDocument &d) {
    if (!r.ok) return r.messages.empty() ? "failed without a message" : "";
    const size_t nodes = d.NodeCount();
    if (d.NX < 1 || d.NY < 1 || nodes > MaxDocumentNodes()) return "took a grid outside the bound";
    if (d.PosXs.size() != size_t(d.NX) || d.PosYs.size() != size_t(d.NY) || d.Us.size() != nodes ||
        d.Vs.size() != nodes || d.Statuses.size() != nodes || d.BackValues.size() != nodes)
        return "gave arrays that do not fit the grid";
    auto finite = [](const FieldArray<double> &v) {
        return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
    };
    if (!finite(d.Us) || !finite(d.Vs) || !finite(d.PosXs) || !finite(d.PosYs))
        return "took a number that is none or infinite";
    if (TextTooLongMessage(d, false)) return "took a text above the bound";
    return "";
}

}  // namespace sx
