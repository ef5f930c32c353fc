#pragma once
// A small own-format field for the document window tests: nx x ny nodes,
// x = 0.5 * i mm, y = -j mm, U = 0.5 * i, V = -j, every vector valid unless
// `status` says otherwise.

#include <functional>
#include <string>

#include "SdxFile.h"
#include "VectorDocument.h"

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
