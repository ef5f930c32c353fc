#pragma once
// Rows timed beside their baseline in the same run, alternating with it, on
// fields as PIV recordings give them. Counters:
//   ms            mean time of the command
//   baseline_ms   mean time of the baseline named in the row's comment
//   x_baseline    ms / baseline_ms (for the scaling rows: per node)
//   target_ms / target_x   what the row has to stay within

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>

#include "SampleField.h"

namespace bench {

// n x n nodes with 5 % gaps, 2 % removed nodes and outliers, made once.
inline const sx::VectorDocument &PivField(int n) {
    static std::map<int, std::unique_ptr<sx::VectorDocument>> made;
    auto &slot = made[n];
    if (!slot) {
        sx::SampleFieldOptions o;
        o.nx = o.ny = n;
        o.invalidShare = 0.05;
        o.removedShare = 0.02;
        o.outlierShare = 0.005;
        slot = std::make_unique<sx::VectorDocument>(sx::MakeSampleField(o));
    }
    return *slot;
}

template <class F>
double Seconds(F &&f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Sums of the command's and the baseline's times over the iterations.
struct Beside {
    double cmd = 0, base = 0;
    int64_t n = 0;
    void Add(benchmark::State &state, double c, double b) {
        state.SetIterationTime(c);
        cmd += c;
        base += b;
        ++n;
    }
    // `perUnit` scales the ratio (node counts for the scaling rows).
    void Report(benchmark::State &state, const char *targetName, double target, double perUnit = 1) {
        if (n == 0) return;
        state.counters["ms"] = cmd / double(n) * 1e3;
        state.counters["baseline_ms"] = base / double(n) * 1e3;
        state.counters["x_baseline"] = cmd / base / perUnit;
        state.counters[targetName] = target;
    }
};

}  // namespace bench
