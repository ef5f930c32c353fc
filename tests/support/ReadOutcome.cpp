#include "ReadOutcome.h"

#include <cmath>

#include "DocumentLimit.h"

namespace sx {

namespace {

bool AllFinite(const FieldArray<double> &v) {
    for (double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace

std::string UnsoundReadOutcome(const ReadResult &r, const VectorDocument &doc) {
    if (!r.ok) return r.messages.empty() ? "failed without a message" : "";
    if (doc.NX < 1 || doc.NY < 1) return "took a grid without nodes";
    const size_t nodes = doc.NodeCount();
    if (nodes > MaxDocumentNodes()) return "took more nodes than the bound";
    if (doc.PosXs.size() != size_t(doc.NX) || doc.PosYs.size() != size_t(doc.NY) || doc.Us.size() != nodes ||
        doc.Vs.size() != nodes || doc.Statuses.size() != nodes || doc.BackValues.size() != nodes)
        return "gave arrays that do not fit the grid";
    if (!AllFinite(doc.Us) || !AllFinite(doc.Vs) || !AllFinite(doc.PosXs) || !AllFinite(doc.PosYs))
        return "took a number that is none or infinite";
    return "";
}

}  // namespace sx
