#pragma once
// One comparison of two fields for every test: grid, positions, components,
// statuses and the valid count, exactly (numbers that are none match each
// other). A failure names the first difference and the caller's line.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "VectorDocument.h"

namespace sx {

namespace detail {

inline bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

template <class T>
std::string FirstDifference(const char *what, const FieldArray<T> &got, const FieldArray<T> &want,
                            const VectorDocument &grid) {
    std::ostringstream out;
    if (got.size() != want.size()) {
        out << what << ": " << got.size() << " values instead of " << want.size();
        return out.str();
    }
    for (size_t k = 0; k < got.size(); ++k) {
        if (Same(static_cast<double>(got[k]), static_cast<double>(want[k]))) continue;
        out << what;
        if (got.size() == grid.NodeCount() && grid.NX > 0)
            out << "(" << k % size_t(grid.NX) + 1 << ", " << k / size_t(grid.NX) + 1 << ")";
        else
            out << "(" << k + 1 << ")";
        out.precision(17);
        out << ": " << got[k] << " instead of " << want[k];
        return out.str();
    }
    return {};
}

}  // namespace detail

inline ::testing::AssertionResult SameField(const VectorDocument &got, const VectorDocument &want) {
    if (got.NX != want.NX || got.NY != want.NY)
        return ::testing::AssertionFailure()
               << got.NX << " x " << got.NY << " nodes instead of " << want.NX << " x " << want.NY;
    for (const std::string &d :
         {detail::FirstDifference("PosX", got.PosXs, want.PosXs, want),
          detail::FirstDifference("PosY", got.PosYs, want.PosYs, want),
          detail::FirstDifference("Status", got.Statuses, want.Statuses, want),
          detail::FirstDifference("U", got.Us, want.Us, want), detail::FirstDifference("V", got.Vs, want.Vs, want)})
        if (!d.empty()) return ::testing::AssertionFailure() << d;
    if (got.ValidCount != want.ValidCount)
        return ::testing::AssertionFailure() << "ValidCount " << got.ValidCount << " instead of " << want.ValidCount;
    return ::testing::AssertionSuccess();
}

// `where` names the case in a loop.
inline void ExpectSameField(const VectorDocument &got, const VectorDocument &want, const std::string &where = {},
                            const char *file = __builtin_FILE(), int line = __builtin_LINE()) {
    const ::testing::AssertionResult r = SameField(got, want);
    if (!r) ADD_FAILURE_AT(file, line) << r.message() << (where.empty() ? "" : " (" + where + ")");
}

}  // namespace sx
