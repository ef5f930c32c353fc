// The field operations on a large field: kernel filters, gap interpolation
// and the fault-vector search.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "FaultSearch.h"
#include "GapInterpolation.h"
#include "KernelFilter.h"

namespace {

sx::VectorDocument Field(int n) {
    sx::VectorDocument d;
    bench::FillShearField(d, n);
    return d;
}

void BM_GaussFilter5x5(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    const sx::VectorDocument original = Field(n);
    const sx::FilterKernel kernel = sx::GaussKernel(2);
    for (auto _ : state) {
        state.PauseTiming();
        sx::VectorDocument d = original;
        state.ResumeTiming();
        sx::ApplyFilterKernel(d, kernel);
        benchmark::DoNotOptimize(d.Us.data());
    }
    state.counters["nodes"] = static_cast<double>(n) * n;
}
BENCHMARK(BM_GaussFilter5x5)->Arg(1000)->Unit(benchmark::kMillisecond);

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

void BM_FaultSearchLocalMedian(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    const sx::VectorDocument original = Field(n);
    sx::FaultCriteria c;
    c.AbsDeviation = true;
    c.DirDeviation = true;
    c.Mode = sx::CompareMode::Median;
    c.HalfX = c.HalfY = 1;
    for (auto _ : state) {
        state.PauseTiming();
        sx::VectorDocument d = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(sx::SearchFaultVectors(d, c));
    }
}
BENCHMARK(BM_FaultSearchLocalMedian)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
