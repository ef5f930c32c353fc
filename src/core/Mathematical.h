#pragma once
// Numeric helpers shared by the field operations.

#include <stdexcept>
#include <vector>

namespace sx {

// Raised by Binomial for a coefficient outside row n.
class BinomialError : public std::domain_error {
public:
    BinomialError() : std::domain_error("Ungültiger Binomial-Koeffizient!") {}
};

// Row n of Pascal's triangle, elements 0..n (empty for n < 0).
std::vector<double> PascalRow(int n);
// Element k of PascalRow(n); BinomialError unless 0 <= k <= n.
double Binomial(int n, int k);

}  // namespace sx
