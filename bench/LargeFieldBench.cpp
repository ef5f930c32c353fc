// The commands on large fields as PIV recordings give them (5 % gaps, 2 %
// removed nodes, outliers), each row with its baseline measured in the same
// run, alternating with the command (counters in BesideTiming.h).

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <sys/stat.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "BesideTiming.h"
#include "DerivedFields.h"
#include "FaultSearch.h"
#include "KernelFilter.h"
#include "ReferenceOps.h"
#include "SampleField.h"
#include "SdxFile.h"
#include "TableText.h"
#include "Undo.h"

namespace {

using bench::Beside;
using bench::PivField;
using bench::Seconds;

// --- fault-vector search, local median, magnitude criterion ------------------
// baseline: the straightforward search with the selection-sort median

sx::FaultCriteria MedianMagnitude(int half) {
    sx::FaultCriteria c;
    c.AbsDeviation = true;
    c.AbsDeviationPercent = 30;
    c.Mode = sx::CompareMode::Median;
    c.HalfX = c.HalfY = half;
    return c;
}

void FaultSearchMedian(benchmark::State &state, int half, double targetMs) {
    const int n = static_cast<int>(state.range(0));
    const sx::VectorDocument &original = PivField(n);
    const sx::FaultCriteria c = MedianMagnitude(half);
    sx::VectorDocument d;
    Beside t;
    int32_t flagged = 0;
    for (auto _ : state) {
        d = original;
        const double fast = Seconds([&] { flagged = sx::SearchFaultVectors(d, c); });
        d = original;
        const double base = Seconds([&] { benchmark::DoNotOptimize(ref::SearchFaultVectors(d, c)); });
        t.Add(state, fast, base);
    }
    t.Report(state, "target_ms", targetMs);
    state.counters["flagged"] = flagged;
}

void mnuSearchInvalidVectors_Median5x5(benchmark::State &s) { FaultSearchMedian(s, 2, 350); }
BENCHMARK(mnuSearchInvalidVectors_Median5x5)
    ->Arg(1000)
    ->Arg(2000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
void mnuSearchInvalidVectors_Median3x3(benchmark::State &s) { FaultSearchMedian(s, 1, 150); }
BENCHMARK(mnuSearchInvalidVectors_Median3x3)->Arg(1000)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// --- kernel filters -----------------------------------------------------------
// baseline: every kernel element of every node visited one by one

void Filter(benchmark::State &state, const sx::FilterKernel &kernel, double targetMs) {
    const sx::VectorDocument &original = PivField(static_cast<int>(state.range(0)));
    sx::VectorDocument d;
    Beside t;
    for (auto _ : state) {
        d = original;
        const double fast = Seconds([&] { sx::ApplyFilterKernel(d, kernel); });
        benchmark::DoNotOptimize(d.Us.data());
        d = original;
        const double base = Seconds([&] { ref::ApplyFilterKernel(d, kernel); });
        benchmark::DoNotOptimize(d.Us.data());
        t.Add(state, fast, base);
    }
    t.Report(state, "target_ms", targetMs);
}

void mnuSmoothSquare3x3(benchmark::State &s) { Filter(s, sx::SquareKernel(1), 15); }
void mnuSmoothGauss3x3(benchmark::State &s) { Filter(s, sx::GaussKernel(1), 15); }
void mnuSmoothSquare5x5(benchmark::State &s) { Filter(s, sx::SquareKernel(2), 20); }
void mnuSmoothGauss5x5(benchmark::State &s) { Filter(s, sx::GaussKernel(2), 20); }
BENCHMARK(mnuSmoothSquare3x3)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(mnuSmoothGauss3x3)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(mnuSmoothSquare5x5)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(mnuSmoothGauss5x5)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- vorticity plus squared swirling strength ---------------------------------
// baseline: the two fields one after the other, node by node in column order

void CalcVorticity_plus_CalcSwirlSquare(benchmark::State &state) {
    const sx::VectorDocument &d = PivField(static_cast<int>(state.range(0)));
    sx::FieldArray<double> vort, swirl;
    Beside t;
    for (auto _ : state) {
        const double fast = Seconds([&] { sx::CalcDerivedFields(d, &vort, &swirl); });
        benchmark::DoNotOptimize(vort.data());
        benchmark::DoNotOptimize(swirl.data());
        const double base = Seconds([&] {
            ref::Vorticity(d, vort);
            ref::SwirlSquare(d, swirl);
        });
        t.Add(state, fast, base);
    }
    t.Report(state, "target_ms", 12);
}
BENCHMARK(CalcVorticity_plus_CalcSwirlSquare)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- vorticity or squared swirling strength alone, as the background needs it --
// baseline: both fields in one pass (the row above's command)

void DerivedAlone(benchmark::State &state, bool vorticity) {
    const sx::VectorDocument &d = PivField(static_cast<int>(state.range(0)));
    sx::FieldArray<double> one, vort, swirl;
    Beside t;
    bool aloneFirst = true;  // each goes first every other time: neither finds the other's data in the cache more often
    for (auto _ : state) {
        double alone = 0, both = 0;
        for (int k = 0; k < 2; ++k) {
            if ((k == 0) == aloneFirst) {
                alone = Seconds([&] {
                    if (vorticity)
                        sx::CalcVorticity(d, one);
                    else
                        sx::CalcSwirlSquare(d, one);
                });
                benchmark::DoNotOptimize(one.data());
            } else {
                both = Seconds([&] { sx::CalcDerivedFields(d, &vort, &swirl); });
                benchmark::DoNotOptimize(vort.data());
                benchmark::DoNotOptimize(swirl.data());
            }
        }
        aloneFirst = !aloneFirst;
        t.Add(state, alone, both);
    }
    t.Report(state, "target_x", 0.6);
}
void CalcVorticity(benchmark::State &s) { DerivedAlone(s, true); }
void CalcSwirlSquare(benchmark::State &s) { DerivedAlone(s, false); }
BENCHMARK(CalcVorticity)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CalcSwirlSquare)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- SDX open -----------------------------------------------------------------
// baseline: fread of the same bytes into freshly allocated memory. Both sides
// start from memory the process has handed back to the system, as a program
// that has just started does: the first touch of every page is part of opening.

class TempFile {
public:
    TempFile() {
        const char *base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/strudelax_open_XXXXXX";
        const int fd = ::mkstemp(&pattern[0]);
        if (fd >= 0) {
            ::close(fd);
            path_ = pattern;
        }
    }
    ~TempFile() {
        if (!path_.empty()) std::remove(path_.c_str());
    }
    const std::string &Path() const { return path_; }

private:
    std::string path_;
};

void Form_Load_Sdx(benchmark::State &state) {
    TempFile file;
    const std::string &path = file.Path();
    if (path.empty() || sx::WriteSdxFile(PivField(static_cast<int>(state.range(0))), path) != sx::SaveResult::Ok) {
        state.SkipWithError("cannot write the file");
        return;
    }
    struct stat st {};
    ::stat(path.c_str(), &st);
    const size_t size = static_cast<size_t>(st.st_size);
    Beside t;
    for (auto _ : state) {
        bool ok = false;
        double open = 0, base = 0;
        {
            sx::VectorDocument doc;
            ::malloc_trim(0);
            open = Seconds([&] { ok = sx::ReadSdxFile(path, doc).ok; });
            benchmark::DoNotOptimize(doc.Us.data());
        }
        size_t got = 0;
        {
            std::unique_ptr<char[]> buf;
            ::malloc_trim(0);
            base = Seconds([&] {
                buf.reset(new char[size]);
                std::FILE *f = std::fopen(path.c_str(), "rb");
                if (f) {
                    got = std::fread(buf.get(), 1, size, f);
                    std::fclose(f);
                }
            });
            benchmark::DoNotOptimize(buf.get());
        }
        if (!ok || got != size) state.SkipWithError("read failed");
        t.Add(state, open, base);
    }
    t.Report(state, "target_x", 2.0);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}
BENCHMARK(Form_Load_Sdx)->Arg(1000)->Arg(2000)->Iterations(6)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- SaveUndo plus undo ---------------------------------------------------------
// baseline: the same at 1000 x 1000; x_baseline is the plain time ratio

void SaveUndo_plus_mnuUndo(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    sx::VectorDocument big = PivField(n), small = PivField(1000);
    auto cycle = [](sx::VectorDocument &d) {
        sx::SaveUndo(d, "Vektor bearbeiten");
        d.U(1, 1) += 1;
        sx::RestoreUndo(d);
    };
    cycle(big);  // the first snapshot of a document allocates
    cycle(small);
    Beside t;
    for (auto _ : state) {
        const double b = Seconds([&] { cycle(big); });
        const double s = Seconds([&] { cycle(small); });
        benchmark::DoNotOptimize(big.Us.data());
        benchmark::DoNotOptimize(small.Us.data());
        t.Add(state, b, s);
    }
    t.Report(state, "target_x", n == 2000 ? 4.5 : 1.0);
}
BENCHMARK(SaveUndo_plus_mnuUndo)->Arg(1000)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- whole-table copy -------------------------------------------------------------
// baseline: the same at 250 x 250; x_baseline is the time per node relative to it.
// fresh_text_ms: writing as many bytes into a new text of that size, the part
// of the copy that the system's handing out of fresh memory costs.

void mnuCopyAll(benchmark::State &state) {
    const int n = static_cast<int>(state.range(0));
    const sx::VectorDocument &d = PivField(n), &small = PivField(250);
    Beside t;
    size_t bytes = 0;
    double fresh = 0;
    for (auto _ : state) {
        const double big = Seconds([&] {
            std::string text = sx::ClipboardTableText(d, ',');
            bytes = text.size();
            benchmark::DoNotOptimize(text.data());
        });
        const double base = Seconds([&] {
            std::string text = sx::ClipboardTableText(small, ',');
            benchmark::DoNotOptimize(text.data());
        });
        fresh += Seconds([&] {
            std::string text;
            text.reserve(bytes);
            sx::AdviseHugePages(&text[0], text.capacity());
            text.assign(bytes, 'x');
            benchmark::DoNotOptimize(text.data());
        });
        t.Add(state, big, base);
    }
    t.Report(state, "target_x", 1.2, double(d.NodeCount()) / double(small.NodeCount()));
    state.counters["MB"] = double(bytes) / 1e6;
    if (t.n) state.counters["fresh_text_ms"] = fresh / double(t.n) * 1e3;
}
BENCHMARK(mnuCopyAll)->Arg(250)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(mnuCopyAll)->Arg(1000)->Arg(2000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
