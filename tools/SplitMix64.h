#pragma once
// splitmix64: small, fast and the same on every platform, so that a seed
// always gives the same field, in the samples and in the tests alike.

#include <cmath>
#include <cstdint>

namespace sx {

class SplitMix64 {
public:
    explicit SplitMix64(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // [0, 1)
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    // 0 .. n - 1 (0 when n is 0)
    uint64_t Below(uint64_t n) { return n ? Next() % n : 0; }
    // standard normal, by Box and Muller
    double Normal() {
        const double a = 1.0 - Uniform();  // (0, 1]
        const double b = Uniform();
        return std::sqrt(-2.0 * std::log(a)) * std::cos(6.283185307179586 * b);
    }

private:
    uint64_t state_;
};

}  // namespace sx
