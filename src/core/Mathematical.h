#pragma once
// Numeric helpers shared by the field operations. Arguments outside a
// helper's domain give no value instead of an exception, so that no error
// can run past a command into the window system.

#include <optional>
#include <vector>

namespace sx {

// Row n of Pascal's triangle, elements 0..n (empty for n < 0).
std::vector<double> PascalRow(int n);
// Element k of PascalRow(n); nothing unless 0 <= k <= n.
std::optional<double> Binomial(int n, int k);

// Arc cosine in radians, 0 .. pi; nothing for |x| > 1.
std::optional<double> ArcCos(double x);

}  // namespace sx
