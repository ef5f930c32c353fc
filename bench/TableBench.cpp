// Whole-table copy (should grow linearly with the node count) and one undo
// step of a large field.

#include <benchmark/benchmark.h>

#include "TableText.h"
#include "Undo.h"

namespace {

sx::VectorDocument BenchField(int n) {
    sx::VectorDocument d;
    sx::SetLoadDefaults(d);
    d.Resize(n, n);
    for (int i = 1; i <= n; ++i) d.PosX(i) = 0.75 * i - 12.5;
    for (int j = 1; j <= n; ++j) d.PosY(j) = 40.0 - 0.75 * j;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            d.U(i, j) = 0.013 * (i - j) + 0.5;
            d.V(i, j) = -0.007 * (i + j);
            d.Status(i, j) = ((i + j) % 17 == 0) ? sx::StatusInvalid : sx::StatusValid;
        }
    d.ValidCount = d.CountValid();
    return d;
}

void BM_ClipboardTableText(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    const sx::VectorDocument d = BenchField(n);
    size_t bytes = 0;
    for (auto _ : state) {
        std::string t = sx::ClipboardTableText(d, ',');
        bytes = t.size();
        benchmark::DoNotOptimize(t.data());
    }
    state.counters["nodes"] = static_cast<double>(d.NodeCount());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(d.NodeCount()));
}
BENCHMARK(BM_ClipboardTableText)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_SaveAndRestoreUndo(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    sx::VectorDocument d = BenchField(n);
    for (auto _ : state) {
        sx::SaveUndo(d, "Vektor bearbeiten");
        d.U(1, 1) += 1;
        sx::RestoreUndo(d);
        benchmark::DoNotOptimize(d.Us.data());
    }
    state.counters["nodes"] = static_cast<double>(d.NodeCount());
}
BENCHMARK(BM_SaveAndRestoreUndo)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
