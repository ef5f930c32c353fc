#include "SampleField.h"

#include <algorithm>
#include <cmath>

#include "SplitMix64.h"

namespace sx {

namespace {

constexpr int32_t kGridStep = 16, kWindow = 32, kPixelsPerCm = 200, kTimeInterval = 25;
constexpr double kPi = 3.141592653589793;

}  // namespace

VectorDocument MakeSampleField(const SampleFieldOptions &o) {
    VectorDocument doc;
    SetLoadDefaults(doc);
    doc.Resize(o.nx, o.ny);

    RecordingHeader &h = doc.Header;
    h.DateAndTime = "17.03.99 14:22:05";
    h.Recording1 = "wirbel_0417a.tif";
    h.Recording2 = "wirbel_0417b.tif";
    h.FlowType = "Wirbelpaar in Parallelströmung";
    h.PhaseType = "stationär";
    h.RecordingType = "Doppelbelichtung";
    h.Algorithm = "Kreuzkorrelation FFT";
    h.ImageWidth = (o.nx - 1) * kGridStep + kWindow;
    h.ImageHeight = (o.ny - 1) * kGridStep + kWindow;
    h.InterrogationWidth = h.InterrogationHeight = kWindow;
    h.GridStepX = h.GridStepY = kGridStep;
    h.FirstColumnPixel = kGridStep;
    h.FirstRowPixel = h.ImageHeight - kGridStep;
    h.PixelsPerCm = kPixelsPerCm;
    h.TimeInterval = kTimeInterval;
    doc.InfoText = "Zwei gegensinnige Lamb-Oseen-Wirbel\r\nin gleichförmiger Strömung\r\n";

    // positions as an EdPIV file gives them: row 1 at the largest pixel y
    for (int32_t i = 1; i <= o.nx; ++i)
        doc.PosX(i) = static_cast<double>(h.FirstColumnPixel + (i - 1) * kGridStep) / kPixelsPerCm * 10;
    for (int32_t j = 1; j <= o.ny; ++j)
        doc.PosY(j) = static_cast<double>(h.FirstRowPixel - (j - 1) * kGridStep) / kPixelsPerCm * 10;

    const double xMin = doc.PosX(1), xMax = doc.PosX(o.nx);
    const double yMin = doc.PosY(o.ny), yMax = doc.PosY(1);
    const double lx = xMax - xMin, ly = yMax - yMin;
    const double core = 0.08 * std::min(lx, ly) + 1e-9;
    // peak swirl of a Lamb-Oseen vortex is 0.638 * circulation / (2 pi core)
    const double circulation = 1.5 * 2 * kPi * core / 0.638;
    struct Vortex {
        double x, y, gamma;
    };
    const Vortex vortices[] = {{xMin + 0.42 * lx, yMin + 0.62 * ly, circulation},
                               {xMin + 0.42 * lx, yMin + 0.38 * ly, -circulation}};
    const double uniform = 2.0;

    SplitMix64 rnd(o.seed);
    for (int32_t j = 1; j <= o.ny; ++j) {
        for (int32_t i = 1; i <= o.nx; ++i) {
            const double x = doc.PosX(i), y = doc.PosY(j);
            double u = uniform, v = 0;
            for (const Vortex &w : vortices) {
                const double rx = x - w.x, ry = y - w.y;
                const double r2 = rx * rx + ry * ry;
                if (r2 < 1e-12) continue;
                const double k = w.gamma / (2 * kPi * r2) * (1 - std::exp(-r2 / (core * core)));
                u -= k * ry;
                v += k * rx;
            }
            u += o.noise * rnd.Normal();
            v += o.noise * rnd.Normal();
            int32_t status = StatusValid;
            const double pick = rnd.Uniform();
            if (pick < o.removedShare) {
                status = StatusRemoved;
                u = v = 0;
            } else if (pick < o.removedShare + o.invalidShare) {
                status = StatusInvalid;
                u = 4 * (rnd.Uniform() - 0.5);
                v = 4 * (rnd.Uniform() - 0.5);
            } else if (pick < o.removedShare + o.invalidShare + o.outlierShare) {
                const double angle = 2 * kPi * rnd.Uniform();
                const double size = 3 + 3 * rnd.Uniform();
                u = size * std::cos(angle);
                v = size * std::sin(angle);
            }
            doc.U(i, j) = u;
            doc.V(i, j) = v;
            doc.Status(i, j) = status;
        }
    }
    doc.ValidCount = doc.CountValid();
    return doc;
}

}  // namespace sx
