// Writes synthetic vector fields: the sample files shipped beside the program
// and fields of any size in any supported format for tests and benchmarks.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "AtomicFile.h"
#include "DatFile.h"
#include "SampleField.h"
#include "SdxFile.h"
#include "VecWriter.h"

namespace {

void Usage() {
    std::fprintf(
        stderr,
        "Aufruf:\n"
        "  strudelax_gen --samples ORDNER\n"
        "  strudelax_gen [--nx N] [--ny M] [--seed S] [--all-valid] --format sdx|dat|vec1|vec2|vec3 --out DATEI\n"
        "N und M von 2 bis 2000 (Vorgabe 40 x 30).\n");
}

bool Write(const sx::VectorDocument &doc, const std::string &format, const std::string &path) {
    sx::SaveResult r;
    if (format == "sdx") {
        r = sx::WriteSdxFile(doc, path);
    } else if (format == "dat") {
        r = sx::WriteDatFile(doc, path);
    } else if (format == "vec1" || format == "vec2" || format == "vec3") {
        r = sx::WriteFileAtomically(path, sx::VecBytes(doc, format[3] - '0'));
    } else {
        std::fprintf(stderr, "Unbekanntes Format: %s\n", format.c_str());
        return false;
    }
    if (r != sx::SaveResult::Ok) {
        std::fprintf(stderr, "Kann %s nicht schreiben.\n", path.c_str());
        return false;
    }
    return true;
}

bool Samples(const std::string &dir) {
    sx::SampleFieldOptions small;  // 40 x 30
    sx::SampleFieldOptions large;
    large.nx = large.ny = 250;
    const sx::VectorDocument a = sx::MakeSampleField(small);
    const sx::VectorDocument b = sx::MakeSampleField(large);
    return Write(a, "sdx", dir + "/Wirbelpaar.sdx") && Write(b, "sdx", dir + "/Wirbelpaar_gross.sdx") &&
           Write(a, "dat", dir + "/Wirbelpaar.dat") && Write(a, "vec1", dir + "/Wirbelpaar.vec");
}

bool ParseSize(const char *text, int32_t &out) {
    char *end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || v < 2 || v > 2000) return false;
    out = static_cast<int32_t>(v);
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    sx::SampleFieldOptions options;
    std::string format, out, samples;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        const bool hasValue = k + 1 < argc;
        if (arg == "--samples" && hasValue) {
            samples = argv[++k];
        } else if (arg == "--nx" && hasValue) {
            if (!ParseSize(argv[++k], options.nx)) return Usage(), 2;
        } else if (arg == "--ny" && hasValue) {
            if (!ParseSize(argv[++k], options.ny)) return Usage(), 2;
        } else if (arg == "--seed" && hasValue) {
            options.seed = std::strtoull(argv[++k], nullptr, 10);
        } else if (arg == "--all-valid") {
            options.invalidShare = options.removedShare = options.outlierShare = 0;
        } else if (arg == "--format" && hasValue) {
            format = argv[++k];
        } else if (arg == "--out" && hasValue) {
            out = argv[++k];
        } else {
            Usage();
            return 2;
        }
    }
    if (!samples.empty()) return Samples(samples) ? 0 : 1;
    if (format.empty() || out.empty()) {
        Usage();
        return 2;
    }
    return Write(sx::MakeSampleField(options), format, out) ? 0 : 1;
}
