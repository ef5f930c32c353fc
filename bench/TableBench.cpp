// Whole-table copy (should grow linearly with the node count) and one undo
// step of a large field.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "TableText.h"
#include "Undo.h"

namespace {

sx::VectorDocument BenchField(int n) {
    sx::VectorDocument d;
    bench::FillShearField(d, n);
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
