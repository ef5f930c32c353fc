// A full redraw of the vector plot: vorticity background, arrows and axes on
// a plot of 1600 x 1200 pixels.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <cmath>
#include <memory>

#include "BenchSupport.h"
#include "DerivedFields.h"
#include "document/frmVectorTable.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"

namespace {

// n x n nodes: two vortices in a uniform flow, some questionable and some
// invalid vectors.
std::unique_ptr<sx::frmVectorTable> PlotWindow(int n) {
    bench::EnsureApplication();
    auto w = std::make_unique<sx::frmVectorTable>(nullptr);
    sx::VectorDocument &d = w->doc;
    sx::SetLoadDefaults(d);
    d.Resize(n, n);
    for (int i = 1; i <= n; ++i) d.PosX(i) = 0.5 * i;
    for (int j = 1; j <= n; ++j) d.PosY(j) = 80.0 - 0.5 * j;
    const double c1 = 0.3 * n * 0.5, c2 = 0.7 * n * 0.5, r0 = 0.05 * n;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            double u = 0.5, v = 0;
            for (double cx : {c1, c2}) {
                const double dx = d.PosX(i) - cx, dy = d.PosY(j) - (80 - 0.25 * n);
                const double r2 = dx * dx + dy * dy + 1e-9;
                const double g = (cx == c1 ? 1 : -1) * (1 - std::exp(-r2 / (r0 * r0))) / r2;
                u -= g * dy;
                v += g * dx;
            }
            d.U(i, j) = u;
            d.V(i, j) = v;
            d.Status(i, j) = (i * 7 + j * 3) % 53 == 0 ? sx::StatusInvalid
                             : (i + j * 5) % 41 == 0   ? sx::StatusQuestionable
                                                       : sx::StatusValid;
        }
    d.ValidCount = d.CountValid();
    d.View.Background = sx::BackVorticity;
    d.View.ShowCoordSystem = true;
    w->imgYAxis->setGeometry(0, 0, 33, 1200);
    w->imgVectorfield->setGeometry(33, 0, 1600, 1200);
    w->imgXAxis->setGeometry(33, 1200, 1600, 33);
    w->RecalcBackground();
    sx::SetColorScaleFromData(d);
    return w;
}

void BM_DrawVectorfield_Vorticity(benchmark::State &state) {
    static bench::YesUser user;
    sx::SetUser(&user);
    auto w = PlotWindow(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w->DrawVectorfield();
        benchmark::DoNotOptimize(w->imgVectorfield->Image().constBits());
    }
    state.counters["nodes"] = static_cast<double>(w->doc.NodeCount());
    sx::SetUser(nullptr);
}
BENCHMARK(BM_DrawVectorfield_Vorticity)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
