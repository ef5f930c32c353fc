#pragma once
// One comparison of two fields for every test: grid, positions, statuses,
// components and the valid count, exactly (numbers that are none match each
// other). A failure names the first difference and the caller's line.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "VectorDocument.h"

namespace sx {

inline ::testing::AssertionResult SameField(const VectorDocument &got, const VectorDocument &want) {
    if (got.NX != want.NX || got.NY != want.NY)
        return ::testing::AssertionFailure()
               << got.NX << " x " << got.NY << " nodes, not " << want.NX << " x " << want.NY;
    ::testing::AssertionResult r = ::testing::AssertionSuccess();
    // node arrays are named by (i, j), the positions by their index
    auto differ = [&](const char *what, const auto &a, const auto &b, bool nodes) {
        if (a.size() != b.size()) {
            r = ::testing::AssertionFailure() << what << ": " << a.size() << " values, not " << b.size();
            return true;
        }
        for (size_t k = 0; k < a.size(); ++k) {
            if (a[k] == b[k] || (std::isnan(double(a[k])) && std::isnan(double(b[k])))) continue;
            r = ::testing::AssertionFailure()
                << what << "("
                << (nodes ? std::to_string(k % size_t(want.NX) + 1) + ", " + std::to_string(k / size_t(want.NX) + 1)
                          : std::to_string(k + 1))
                << "): " << a[k] << ", not " << b[k];
            return true;
        }
        return false;
    };
    if (differ("PosX", got.PosXs, want.PosXs, false) || differ("PosY", got.PosYs, want.PosYs, false) ||
        differ("Status", got.Statuses, want.Statuses, true) || differ("U", got.Us, want.Us, true) ||
        differ("V", got.Vs, want.Vs, true))
        return r;
    if (got.ValidCount != want.ValidCount)
        return ::testing::AssertionFailure() << "ValidCount " << got.ValidCount << ", not " << want.ValidCount;
    return r;
}

// `where` names the case in a loop.
inline void ExpectSameField(const VectorDocument &got, const VectorDocument &want, const std::string &where = {},
                            const char *file = __builtin_FILE(), int line = __builtin_LINE()) {
    const ::testing::AssertionResult r = SameField(got, want);
    if (!r) ADD_FAILURE_AT(file, line) << r.message() << (where.empty() ? "" : " (" + where + ")");
}

}  // namespace sx
