#include "Mathematical.h"

#include <cmath>

namespace sx {

std::vector<double> PascalRow(int n) {
    if (n < 0) return {};
    std::vector<double> row(static_cast<size_t>(n) + 1, 1.0);
    // each row from the one before, right to left so that one array suffices
    for (int r = 2; r <= n; ++r)
        for (int m = r - 1; m >= 1; --m) row[static_cast<size_t>(m)] += row[static_cast<size_t>(m - 1)];
    return row;
}

std::optional<double> Binomial(int n, int k) {
    // k < 0 would read outside the row just as k > n does
    if (n < 0 || k < 0 || k > n) return std::nullopt;
    return PascalRow(n)[static_cast<size_t>(k)];
}

std::optional<double> ArcCos(double x) {
    if (std::fabs(x) > 1) return std::nullopt;
    if (x == 1) return 0.0;
    if (x == -1) return 3.14159265359;
    return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
}

}  // namespace sx
