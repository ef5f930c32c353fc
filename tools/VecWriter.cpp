#include "VecWriter.h"

#include <algorithm>
#include <cstring>

#include "Cp1252.h"

namespace sx {

namespace {

template <typename T>
void Put(std::string &out, size_t offset, T v) {
    std::memcpy(&out[offset], &v, sizeof v);
}

void PutText(std::string &out, size_t offset, size_t field, const std::string &utf8) {
    const std::string bytes = Utf8ToCp1252(utf8);
    std::memcpy(&out[offset], bytes.data(), std::min(bytes.size(), field));
}

}  // namespace

std::string VecBytesRaw(const VecHeader &h, const std::vector<std::vector<float>> &frames) {
    size_t total = 256;
    for (const auto &f : frames) total += f.size() * 4;
    std::string out(256, '\0');
    out.reserve(total);
    Put(out, 0, h.imageType);
    Put(out, 10, h.rows);
    Put(out, 12, h.columns);
    Put(out, 14, h.subType);
    Put(out, 20, h.grid);
    PutText(out, 34, 9, h.date);
    PutText(out, 43, 9, h.time);
    Put(out, 54, h.fx);
    Put(out, 58, h.ox);
    Put(out, 86, h.fy);
    Put(out, 90, h.oy);
    Put(out, 118, h.fi);
    PutText(out, 148, 40, h.info1);
    PutText(out, 188, 40, h.info2);
    for (const auto &f : frames)
        if (!f.empty()) out.append(reinterpret_cast<const char *>(f.data()), f.size() * 4);
    return out;
}

std::string VecBytes(const VectorDocument &doc, int subType) {
    const int32_t nx = doc.NX, ny = doc.NY;
    const size_t nodes = doc.NodeCount();
    const int frames = subType == 1 ? 9 : subType == 2 ? 2 : 10;

    VecHeader h;
    h.subType = static_cast<int16_t>(subType);
    h.columns = static_cast<int16_t>(nx);
    h.rows = static_cast<int16_t>(ny * frames);
    h.grid = static_cast<int16_t>(doc.Header.GridStepX > 0 ? doc.Header.GridStepX : 16);
    const double dx = nx > 1 ? doc.PosX(2) - doc.PosX(1) : h.grid * 0.05;
    const double dy = ny > 1 ? doc.PosY(2) - doc.PosY(1) : h.grid * 0.05;
    h.fx = static_cast<float>(dx / h.grid);
    h.fy = static_cast<float>(dy / h.grid);
    h.ox = static_cast<float>(doc.PosX(1) - dx / 2);
    h.oy = static_cast<float>(doc.PosY(1) - dy / 2);
    const double ratio = static_cast<double>(doc.Header.PixelsPerCm) * doc.Header.TimeInterval;
    h.fi = static_cast<float>(ratio > 0 ? 10000.0 / ratio : 1.0);
    const double scaleU = h.fi;
    const double scaleV = static_cast<double>(h.fy) * h.grid * h.fi / (static_cast<double>(h.fx) * h.grid);

    const std::string &dt = doc.Header.DateAndTime;
    const size_t blank = dt.find(' ');
    h.date = dt.substr(0, std::min<size_t>(blank, 8));
    if (blank != std::string::npos) h.time = dt.substr(blank + 1, 8);
    const size_t lineEnd = doc.InfoText.find("\r\n");
    h.info1 = doc.InfoText.substr(0, lineEnd);
    if (lineEnd != std::string::npos) {
        std::string rest = doc.InfoText.substr(lineEnd + 2);
        h.info2 = rest.substr(0, rest.find("\r\n"));
    }

    std::vector<std::vector<float>> f(static_cast<size_t>(frames), std::vector<float>(nodes, 0.f));
    for (size_t n = 0; n < nodes; ++n) {
        const int32_t s = doc.Statuses[n];
        const bool valid = s > 0;
        const float u = static_cast<float>(doc.Us[n] / scaleU);
        const float v = static_cast<float>(doc.Vs[n] / scaleV);
        if (subType == 2) {
            f[0][n] = valid ? u : 0.f;
            f[1][n] = valid ? v : 0.f;
            continue;
        }
        const int peak = s >= 1 && s <= 4 ? s : 1;
        f[0][n] = valid ? static_cast<float>(peak) : 0.f;
        for (int p = 1; p <= 4; ++p) {
            const bool own = p == peak;
            f[static_cast<size_t>(2 * p - 1)][n] = own ? u : -0.5f * u + 0.25f * static_cast<float>(p);
            f[static_cast<size_t>(2 * p)][n] = own ? v : 0.5f * v - 0.125f * static_cast<float>(p);
        }
        if (subType == 3) f[9][n] = 1.25f + 0.01f * static_cast<float>(n % 50);  // peak ratio
    }
    return VecBytesRaw(h, f);
}

}  // namespace sx
