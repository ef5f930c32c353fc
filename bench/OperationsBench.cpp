// The row-mean filter and the gap interpolation on a large field (the other
// field operations are in LargeFieldBench.cpp).

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "GapInterpolation.h"
#include "KernelFilter.h"

namespace {

sx::VectorDocument Field(int n) {
    sx::VectorDocument d;
    bench::FillShearField(d, n);
    return d;
}

void BM_VelocityProfileFilter(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    const sx::VectorDocument original = Field(n);
    const sx::FilterKernel kernel = sx::VelocityProfileKernel(n);
    for (auto _ : state) {
        state.PauseTiming();
        sx::VectorDocument d = original;
        state.ResumeTiming();
        sx::ApplyFilterKernel(d, kernel);
        benchmark::DoNotOptimize(d.Us.data());
    }
}
BENCHMARK(BM_VelocityProfileFilter)->Arg(1000)->Unit(benchmark::kMillisecond);

// Every second node of every second row invalid: many gaps, each well supported.
void BM_GapInterpolation(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    sx::VectorDocument original = Field(n);
    for (int i = 1; i <= n; i += 2)
        for (int j = 1; j <= n; j += 2) original.Status(i, j) = sx::StatusInvalid;
    original.ValidCount = original.CountValid();
    for (auto _ : state) {
        state.PauseTiming();
        sx::VectorDocument d = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(sx::InterpolateGaps(d));
    }
}
BENCHMARK(BM_GapInterpolation)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
