// Derived fields of a large field and one full-length streamline.

#include <benchmark/benchmark.h>

#include <vector>

#include "DerivedFields.h"
#include "PlotGeometry.h"
#include "Sampling.h"

namespace {

// n x n nodes 1 mm apart: a rotation about the centre with some strain and
// a few invalid nodes, so that every branch of the neighbour rule runs.
sx::VectorDocument RotationField(int n) {
    sx::VectorDocument d;
    d.Resize(n, n);
    for (int i = 1; i <= n; ++i) d.PosX(i) = i - 1;
    for (int j = 1; j <= n; ++j) d.PosY(j) = j - 1;
    const double c = (n - 1) / 2.0;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            const double x = d.PosX(i) - c, y = d.PosY(j) - c;
            d.U(i, j) = -y + 0.1 * x;
            d.V(i, j) = x - 0.1 * y;
            d.Status(i, j) = ((i * 7 + j * 13) % 97 == 0) ? sx::StatusInvalid : sx::StatusValid;
        }
    return d;
}

void BM_VorticityAndSwirl_1000x1000(benchmark::State &state) {
    sx::VectorDocument d = RotationField(1000);
    sx::FieldArray<double> vort, swirl;
    for (auto _ : state) {
        sx::CalcVorticity(d, vort);
        sx::CalcSwirlSquare(d, swirl);
        benchmark::DoNotOptimize(vort.data());
        benchmark::DoNotOptimize(swirl.data());
    }
    state.counters["nodes"] = static_cast<double>(d.NodeCount());
}
BENCHMARK(BM_VorticityAndSwirl_1000x1000)->Unit(benchmark::kMillisecond);

void BM_Streamline_16000Steps(benchmark::State &state) {
    sx::VectorDocument d = RotationField(101);
    for (auto &s : d.Statuses) s = sx::StatusValid;
    for (int j = 1; j <= d.NY; ++j)  // pure rotation: a closed orbit that only the step limit ends
        for (int i = 1; i <= d.NX; ++i) {
            d.U(i, j) = -(d.PosY(j) - 50);
            d.V(i, j) = d.PosX(i) - 50;
        }
    const sx::PlotGeometry g = sx::MakePlotGeometry(d, 15000, 15000);
    size_t steps = 0;
    for (auto _ : state) {
        sx::Streamline s = sx::TraceStreamline(d, g, 15, 15, 70, 50, 0.01);
        steps = s.Steps();
        benchmark::DoNotOptimize(s.Pixels.data());
    }
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_Streamline_16000Steps)->Unit(benchmark::kMillisecond);

}  // namespace
