// The file readers and writers against plain stdio on the same bytes:
// VEC 1000 x 1000 (sub-format 1, 36 MB), DAT with one million data lines,
// SDX 1000 x 1000. The files live in a temporary folder made here.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "AtomicFile.h"
#include "DatFile.h"
#include "FileBytes.h"
#include "SampleField.h"
#include "SdxFile.h"
#include "VecFile.h"
#include "VecWriter.h"

namespace {

class TempFolder {
public:
    TempFolder() {
        const char *base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/strudelax_bench_XXXXXX";
        if (::mkdtemp(&pattern[0])) path_ = pattern;
    }
    ~TempFolder() {
        for (const auto &f : files_) std::remove(f.c_str());
        if (!path_.empty()) ::rmdir(path_.c_str());
    }
    std::string File(const std::string &name) {
        files_.push_back(path_ + "/" + name);
        return files_.back();
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

TempFolder &Folder() {
    static TempFolder folder;
    return folder;
}

const sx::VectorDocument &Field1000() {
    static const sx::VectorDocument doc = [] {
        sx::SampleFieldOptions o;
        o.nx = o.ny = 1000;
        o.invalidShare = o.removedShare = o.outlierShare = 0;  // every node a data line
        return sx::MakeSampleField(o);
    }();
    return doc;
}

// Each file is written once, on first use.
const std::string &BenchFile(const std::string &kind) {
    static std::map<std::string, std::string> made;
    auto it = made.find(kind);
    if (it != made.end()) return it->second;
    const std::string path = Folder().File("field." + kind);
    if (kind == "vec")
        sx::WriteFileAtomically(path, sx::VecBytes(Field1000(), 1));
    else if (kind == "dat")
        sx::WriteDatFile(Field1000(), path);
    else
        sx::WriteSdxFile(Field1000(), path);
    return made[kind] = path;
}

size_t FileSize(const std::string &path) {
    std::string bytes;
    sx::ReadWholeFile(path, bytes);
    return bytes.size();
}

// What any reader pays at least: a fresh buffer and fread of every byte.
void FreadWhole(benchmark::State &state, const std::string &path) {
    const size_t size = FileSize(path);
    for (auto _ : state) {
        std::unique_ptr<char[]> buf(new char[size]);
        std::FILE *f = std::fopen(path.c_str(), "rb");
        size_t got = std::fread(buf.get(), 1, size, f);
        std::fclose(f);
        benchmark::DoNotOptimize(buf.get());
        if (got != size) state.SkipWithError("short read");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

void BM_VecFread1000(benchmark::State &state) { FreadWhole(state, BenchFile("vec")); }
BENCHMARK(BM_VecFread1000)->Unit(benchmark::kMillisecond);

void BM_VecRead1000(benchmark::State &state) {
    const std::string &path = BenchFile("vec");
    for (auto _ : state) {
        sx::VectorDocument doc;
        if (!sx::ReadVecFile(path, doc).ok) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.Us.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileSize(path)));
}
BENCHMARK(BM_VecRead1000)->Unit(benchmark::kMillisecond);

void BM_DatRead1M(benchmark::State &state) {
    const std::string &path = BenchFile("dat");
    for (auto _ : state) {
        sx::VectorDocument doc;
        if (!sx::ReadDatFile(path, doc).ok) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.Us.data());
    }
    state.counters["lines"] = static_cast<double>(Field1000().CountValid());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileSize(path)));
}
BENCHMARK(BM_DatRead1M)->Unit(benchmark::kMillisecond);

void BM_DatWrite1M(benchmark::State &state) {
    const std::string path = Folder().File("written.dat");
    const sx::VectorDocument &doc = Field1000();
    for (auto _ : state)
        if (sx::WriteDatFile(doc, path) != sx::SaveResult::Ok) state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileSize(path)));
}
BENCHMARK(BM_DatWrite1M)->Unit(benchmark::kMillisecond);

void BM_SdxFread1000(benchmark::State &state) { FreadWhole(state, BenchFile("sdx")); }
BENCHMARK(BM_SdxFread1000)->Unit(benchmark::kMillisecond);

void BM_SdxOpen1000(benchmark::State &state) {
    const std::string &path = BenchFile("sdx");
    for (auto _ : state) {
        sx::VectorDocument doc;
        if (!sx::ReadSdxFile(path, doc).ok) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.Us.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileSize(path)));
}
BENCHMARK(BM_SdxOpen1000)->Unit(benchmark::kMillisecond);

// The same byte count with plain fwrite to a new file.
void BM_SdxFwrite1000(benchmark::State &state) {
    const std::string bytes = sx::SdxBytes(Field1000());
    const std::string path = Folder().File("plain.sdx");
    for (auto _ : state) {
        std::FILE *f = std::fopen(path.c_str(), "wb");
        const size_t put = std::fwrite(bytes.data(), 1, bytes.size(), f);
        if (std::fclose(f) != 0 || put != bytes.size()) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_SdxFwrite1000)->Unit(benchmark::kMillisecond);

void BM_SdxSave1000(benchmark::State &state) {
    const std::string path = Folder().File("saved.sdx");
    const sx::VectorDocument &doc = Field1000();
    for (auto _ : state)
        if (sx::WriteSdxFile(doc, path) != sx::SaveResult::Ok) state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileSize(path)));
}
BENCHMARK(BM_SdxSave1000)->Unit(benchmark::kMillisecond);

}  // namespace
