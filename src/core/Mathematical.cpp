#include "Mathematical.h"

namespace sx {

std::vector<double> PascalRow(int n) {
    if (n < 0) return {};
    std::vector<double> row(static_cast<size_t>(n) + 1, 1.0);
    // each row from the one before, right to left so that one array suffices
    for (int r = 2; r <= n; ++r)
        for (int m = r - 1; m >= 1; --m) row[static_cast<size_t>(m)] += row[static_cast<size_t>(m - 1)];
    return row;
}

double Binomial(int n, int k) {
    // k < 0 would read outside the row just as k > n does
    if (n < 0 || k < 0 || k > n) throw BinomialError();
    return PascalRow(n)[static_cast<size_t>(k)];
}

}  // namespace sx
