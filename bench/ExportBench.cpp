// The text exports and the SDX save, streamed to disk (opened, written,
// synced, renamed), each row beside its baseline measured in the same run
// (counters in BesideTiming.h), and:
//   ns_per_node   the command's time per node
//   extra_MB      peak resident memory above what the process held before
//                 the command (the document is already there)

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "AtomicFile.h"
#include "BesideTiming.h"
#include "FileBytes.h"
#include "ReferenceNumbers.h"
#include "SampleField.h"
#include "SdxFile.h"
#include "TextExports.h"

namespace {

using bench::Beside;
using bench::PivField;
using bench::Seconds;

std::string TempPath(const char *name) {
    const char *base = std::getenv("TMPDIR");
    return std::string(base && *base ? base : "/tmp") + "/strudelax_export_" + std::to_string(::getpid()) + "_" + name;
}

// Resident and peak resident memory of the process in MB; writing 5 to
// clear_refs starts a new peak.
double StatusMB(const char *key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string k = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.compare(0, k.size(), k) == 0) return std::strtod(line.c_str() + k.size(), nullptr) / 1024;
    return 0;
}
bool ResetPeak() {
    std::ofstream refs("/proc/self/clear_refs");
    refs << "5";
    return static_cast<bool>(refs.flush());
}

// The Matlab vector-field file as it was written before: every number
// through printf, the whole text in one string, then written at once.
std::string OldMatlabVectorFile(const sx::VectorDocument &doc) {
    std::string out;
    for (int j = 1; j <= doc.NY; ++j)
        for (int i = 1; i <= doc.NX; ++i) {
            out += ref::StrNumber(doc.PosX(i)) + ";" + ref::StrNumber(doc.PosY(j)) + ";";
            if (doc.IsValid(i, j))
                out += ref::StrNumber(doc.U(i, j)) + ";" + ref::StrNumber(doc.V(i, j));
            else
                out += "0;0";
            out += "\r\n";
        }
    return out;
}

// --- Matlab vector-field export ------------------------------------------------
// baseline: the same file through printf, built whole and then written

void mnuExportVectorfieldForMatlab(benchmark::State &state) {
    const sx::VectorDocument &doc = PivField(static_cast<int>(state.range(0)));
    const std::string path = TempPath("matlab.csv");
    Beside t;
    for (auto _ : state) {
        sx::SaveResult fast = sx::SaveResult::WriteFailed, old = fast;
        const double c = Seconds([&] { fast = sx::SaveExportFile(sx::kExportMatlabVectorfield, doc, '.', path); });
        const double b = Seconds([&] { old = sx::WriteFileAtomically(path, OldMatlabVectorFile(doc)); });
        if (fast != sx::SaveResult::Ok || old != sx::SaveResult::Ok) state.SkipWithError("export failed");
        t.Add(state, c, b);
    }
    t.Report(state, "target_ms", 300);
    state.counters["target_x"] = 0.2;
    std::remove(path.c_str());
}
BENCHMARK(mnuExportVectorfieldForMatlab)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- SDX save --------------------------------------------------------------------
// baseline: the whole file built in memory first, then written at once

void mnuSave_Sdx(benchmark::State &state) {
    const sx::VectorDocument &doc = PivField(static_cast<int>(state.range(0)));
    const std::string path = TempPath("save.sdx");
    Beside t;
    for (auto _ : state) {
        sx::SaveResult streamed = sx::SaveResult::WriteFailed, whole = streamed;
        const double c = Seconds([&] { streamed = sx::WriteSdxFile(doc, path); });
        const double b = Seconds([&] { whole = sx::WriteFileAtomically(path, sx::SdxBytes(doc)); });
        if (streamed != sx::SaveResult::Ok || whole != sx::SaveResult::Ok) state.SkipWithError("save failed");
        t.Add(state, c, b);
    }
    t.Report(state, "target_x", 1.0);
    state.counters["ns_per_node"] = t.cmd / double(t.n) * 1e9 / double(doc.NodeCount());
    state.counters["baseline_ns_per_node"] = t.base / double(t.n) * 1e9 / double(doc.NodeCount());
    std::remove(path.c_str());
}
BENCHMARK(mnuSave_Sdx)->Arg(1000)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- peak memory of the largest document -----------------------------------------
// one run each at 4096 x 4096; no baseline (the old way held 1.2 GB for the
// save and 2.2 GB for the export)

void PeakMemory(benchmark::State &state, const char *name, const std::function<sx::SaveResult()> &save) {
    double extra = 0, ms = 0;
    for (auto _ : state) {
        const double before = StatusMB("VmRSS");
        if (!ResetPeak()) {
            state.SkipWithError("cannot reset the peak");
            return;
        }
        sx::SaveResult r = sx::SaveResult::WriteFailed;
        const double s = Seconds([&] { r = save(); });
        state.SetIterationTime(s);
        ms = s * 1e3;
        extra = StatusMB("VmHWM") - before;
        if (r != sx::SaveResult::Ok) state.SkipWithError(name);
    }
    state.counters["ms"] = ms;
    state.counters["extra_MB"] = extra;
    state.counters["target_extra_MB"] = 64;
}

void PeakMemory_SdxSave(benchmark::State &state) {
    const sx::VectorDocument &doc = PivField(4096);
    const std::string path = TempPath("peak.sdx");
    PeakMemory(state, "save failed", [&] { return sx::WriteSdxFile(doc, path); });
    std::remove(path.c_str());
}
BENCHMARK(PeakMemory_SdxSave)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void PeakMemory_MatlabExport(benchmark::State &state) {
    const sx::VectorDocument &doc = PivField(4096);
    const std::string path = TempPath("peak.csv");
    PeakMemory(state, "export failed",
               [&] { return sx::SaveExportFile(sx::kExportMatlabVectorfield, doc, '.', path); });
    std::remove(path.c_str());
}
BENCHMARK(PeakMemory_MatlabExport)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
