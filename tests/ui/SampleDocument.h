#pragma once
// A small own-format field for the document window tests: nx x ny nodes,
// x = 0.5 * i mm, y = -j mm, U = 0.5 * i, V = -j, every vector valid unless
// `status` says otherwise.

#include <functional>
#include <string>

#include "SdxFile.h"
#include "VectorDocument.h"

// Gives `d` a header that describes its grid as a DAT file does (32-pixel
// windows 16 pixels apart, 100 pixels a cm), with the positions that follow
// from it, so that the document can be saved as DAT and read back.
inline void DescribeDatGrid(sx::VectorDocument &d) {
    sx::RecordingHeader &h = d.Header;
    h.GridStepX = h.GridStepY = 16;
    h.InterrogationWidth = h.InterrogationHeight = 32;
    h.ImageWidth = (d.NX - 1) * 16 + 32;
    h.ImageHeight = (d.NY - 1) * 16 + 32;
    h.PixelsPerCm = 100;
    if (h.TimeInterval == 0) h.TimeInterval = 10;
    for (int i = 1; i <= d.NX; ++i) d.PosX(i) = (16.0 * i) / 100 * 10;
    for (int j = 1; j <= d.NY; ++j) d.PosY(j) = (h.ImageHeight - 16.0 * j) / 100 * 10;
}

inline bool WriteSampleSdx(const std::string &path, int nx, int ny,
                           const std::function<void(sx::VectorDocument &)> &adjust = nullptr) {
    sx::VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = 0.5 * i;
    for (int j = 1; j <= ny; ++j) d.PosY(j) = -j;
    for (int i = 1; i <= nx; ++i)
        for (int j = 1; j <= ny; ++j) {
            d.U(i, j) = 0.5 * i;
            d.V(i, j) = -j;
            d.Status(i, j) = sx::StatusValid;
        }
    d.Header.FlowType = "Testfeld";
    if (adjust) adjust(d);
    d.ValidCount = d.CountValid();
    return sx::WriteSdxFile(d, path) == sx::SaveResult::Ok;
}
