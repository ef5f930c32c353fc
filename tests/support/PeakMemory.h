#pragma once
// How much memory a piece of work held at its peak: Linux resets the
// resident set's high-water mark on request, so the mark after the work
// less the resident set before it is the most the work added at once.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

namespace sx {

inline long StatusKiB(const char *key) {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key)));
    return -1;
}

// MiB added at the peak of `work`; nothing where the mark cannot be reset.
template <class Work>
std::optional<double> PeakGrowthMiB(Work work) {
    std::FILE *f = std::fopen("/proc/self/clear_refs", "w");
    if (!f) return std::nullopt;
    const bool reset = std::fputs("5", f) >= 0;
    if (std::fclose(f) != 0 || !reset) return std::nullopt;
    const long before = StatusKiB("VmRSS:");
    if (before < 0 || StatusKiB("VmHWM:") < 0) return std::nullopt;
    work();
    return static_cast<double>(StatusKiB("VmHWM:") - before) / 1024;
}

}  // namespace sx
