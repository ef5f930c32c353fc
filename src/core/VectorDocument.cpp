#include "VectorDocument.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sx {

const std::array<ColorSetting, ColorCount> kColorSettings = {{
    {"Background", ColBackground, Rgb(255, 255, 255)},
    {"BackMax", ColBackMax, Rgb(0, 255, 0)},
    {"BackMin", ColBackMin, Rgb(255, 0, 0)},
    {"BackNull", ColBackNull, Rgb(255, 255, 255)},
    {"CoordSystem", ColCoordSystem, Rgb(0, 0, 0)},
    {"Trajectory", ColTrajectory, Rgb(0, 150, 0)},
    {"Vector", ColVector, Rgb(0, 0, 255)},
    {"VectorCrit", ColVectorCrit, Rgb(0, 200, 0)},
    {"VectorQuest", ColVectorQuest, Rgb(255, 0, 0)},
}};

ColorTable DefaultColors() {
    ColorTable t;
    for (const auto &s : kColorSettings) t[s.index] = s.defaultValue;
    return t;
}

void AdviseHugePages(void *p, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes < kHugePageAdviceBytes) return;
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    const uintptr_t from = (reinterpret_cast<uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t to = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (to > from) ::madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);  // advice only: errors ignored
#else
    (void)p;
    (void)bytes;
#endif
}

void VectorDocument::Resize(int32_t nx, int32_t ny) {
    NX = nx;
    NY = ny;
    const size_t n = NodeCount();
    PosXs.assign(static_cast<size_t>(nx), 0.0);
    PosYs.assign(static_cast<size_t>(ny), 0.0);
    AssignZeros(Us, n);
    AssignZeros(Vs, n);
    AssignZeros(BackValues, n);
    Statuses.assign(n, 0);
}

void AssignZeros(FieldArray<double> &a, size_t n) {
    a.clear();    // nothing to carry over when the storage grows
    a.resize(n);  // not initialised: cleared at once below
    if (n) std::memset(a.data(), 0, n * sizeof(double));
}

int32_t VectorDocument::CountValid() const {
    return static_cast<int32_t>(std::count_if(Statuses.begin(), Statuses.end(), [](int32_t s) { return s > 0; }));
}

std::string VectorDocument::Caption() const { return Modified ? FileName + " (verändert)" : FileName; }

void SetLoadDefaults(VectorDocument &doc) {
    doc.VectorScale = 1.0;
    doc.BackMaxValue = 1.0;
    doc.BackNullValue = 0;
    doc.BackMinValue = -1.0;
    doc.BothDirections = true;
    doc.StepFactor = 0.01;
    doc.ExportDistance = 0.1;
    doc.View.CritPointShown = false;
    doc.CritPointX = doc.CritPointY = 0;
    doc.GalileiU = doc.GalileiV = 0;
    doc.TrafoShiftX = doc.TrafoShiftY = 0;
    doc.Trajectories = TrajectoryRing{};
    doc.RefVelocity = 0;
    doc.Undo = UndoSnapshot{};
}

}  // namespace sx
