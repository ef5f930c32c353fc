// The document window with a large field: filling and painting the table,
// copying the whole table to the clipboard, and one undo step.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <memory>

#include "BenchSupport.h"
#include "TableText.h"
#include "document/frmVectorTable.h"
#include "platform/Clipboard.h"
#include "platform/FlexGrid.h"
#include "platform/UserInteraction.h"

namespace {

// A window of 900 x 650 pixels showing the table, beside the plot if asked.
std::unique_ptr<sx::frmVectorTable> BenchWindow(int n, bool withPlot = true) {
    bench::EnsureApplication();
    auto w = std::make_unique<sx::frmVectorTable>(nullptr);
    sx::VectorDocument &d = w->doc;
    bench::FillShearField(d, n);
    d.FileName = "gross.sdx";
    d.View.ShowTable = true;
    d.View.ShowVectorfield = withPlot;
    w->resize(900, 650);
    w->SyncViewMenus();
    w->FillGrid();
    w->Form_Resize();
    return w;
}

void BM_FillGridAndPaint(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    auto w = BenchWindow(n);
    QImage target(w->grdTable->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        w->FillGrid();
        w->grdTable->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["nodes"] = static_cast<double>(w->doc.NodeCount());
}
BENCHMARK(BM_FillGridAndPaint)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_CopyAllToClipboard(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    auto w = BenchWindow(n);
    bench::YesUser yes;
    sx::SetUser(&yes);
    for (auto _ : state) {
        w->mnuCopyAll_Click();
        state.PauseTiming();
        sx::Clipboard::Clear();
        state.ResumeTiming();
    }
    sx::SetUser(nullptr);
    state.counters["nodes"] = static_cast<double>(w->doc.NodeCount());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(w->doc.NodeCount()));
}
BENCHMARK(BM_CopyAllToClipboard)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

// range(1) = 1: the plot is shown and redrawn by the undo as well.
void BM_SaveUndoAndUndo(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    auto w = BenchWindow(n, state.range(1) != 0);
    for (auto _ : state) {
        w->SaveUndo("Vektor bearbeiten");
        w->doc.U(1, 1) += 1;
        w->mnuUndo_Click();
        benchmark::DoNotOptimize(w->doc.Us.data());
    }
    state.counters["nodes"] = static_cast<double>(w->doc.NodeCount());
}
BENCHMARK(BM_SaveUndoAndUndo)->Args({1000, 0})->Args({1000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
