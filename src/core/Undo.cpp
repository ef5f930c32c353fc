#include "Undo.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sx {

namespace {

// Copies `from` into `to`, keeping the storage `to` already has. A large
// field is written with streaming stores: the snapshot is not read again
// before the next undo, so it need not pass through the caches, and the
// copy then takes the same time per byte for every size of field.
template <typename T>
void CopyInto(FieldArray<T> &to, const FieldArray<T> &from) {
    const size_t n = from.size();
    to.clear();    // nothing to carry over should the storage have to grow
    to.resize(n);  // no zeroing: every element is written below
    const size_t bytes = n * sizeof(T);
    char *dst = reinterpret_cast<char *>(to.data());
    const char *src = reinterpret_cast<const char *>(from.data());
#if defined(__SSE2__)
    constexpr size_t kLarge = size_t(1) << 20;
    if (bytes >= kLarge) {
        size_t head = (16 - reinterpret_cast<uintptr_t>(dst) % 16) % 16;
        std::memcpy(dst, src, head);
        size_t k = head;
        for (; k + 64 <= bytes; k += 64) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + k));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + k + 16));
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + k + 32));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + k + 48));
            _mm_stream_si128(reinterpret_cast<__m128i *>(dst + k), a);
            _mm_stream_si128(reinterpret_cast<__m128i *>(dst + k + 16), b);
            _mm_stream_si128(reinterpret_cast<__m128i *>(dst + k + 32), c);
            _mm_stream_si128(reinterpret_cast<__m128i *>(dst + k + 48), d);
        }
        std::memcpy(dst + k, src + k, bytes - k);
        _mm_sfence();
        return;
    }
#endif
    if (bytes) std::memcpy(dst, src, bytes);
}

}  // namespace

void SaveUndo(VectorDocument &doc, const std::string &caption) {
    UndoSnapshot &u = doc.Undo;
    const ViewState &v = doc.View;
    u.CritPointShown = v.CritPointShown;
    u.VectorScale = doc.VectorScale;
    u.BackMinValue = doc.BackMinValue;
    u.BackMaxValue = doc.BackMaxValue;
    u.ShowHeader = v.ShowHeader;
    u.ShowTable = v.ShowTable;
    u.ShowVectorfield = v.ShowVectorfield;
    u.ShowCoordSystem = v.ShowCoordSystem;
    u.AspectRatio = v.AspectRatioCorrection;
    u.BackgroundMode = v.Background;
    u.TrafoShiftX = doc.TrafoShiftX;
    u.TrafoShiftY = doc.TrafoShiftY;
    u.CritPointX = doc.CritPointX;
    u.CritPointY = doc.CritPointY;
    u.GalileiU = doc.GalileiU;
    u.GalileiV = doc.GalileiV;
    CopyInto(u.PosX, doc.PosXs);
    CopyInto(u.PosY, doc.PosYs);
    CopyInto(u.U, doc.Us);
    CopyInto(u.V, doc.Vs);
    CopyInto(u.Status, doc.Statuses);
    u.InfoText = doc.InfoText;
    u.TrajX0 = doc.Trajectories.X0;
    u.TrajY0 = doc.Trajectories.Y0;
    u.TrajStep = doc.Trajectories.Step;
    u.TrajCount = doc.Trajectories.Count;
    u.TrajLast = doc.Trajectories.Last;
    u.Caption = caption;
}

bool RestoreUndo(VectorDocument &doc) {
    UndoSnapshot &u = doc.Undo;
    if (u.Caption.empty()) return false;
    const size_t n = doc.NodeCount();
    if (u.PosX.size() != doc.PosXs.size() || u.PosY.size() != doc.PosYs.size() || u.U.size() != n || u.V.size() != n ||
        u.Status.size() != n) {
        // a snapshot of another grid cannot belong to this document
        u.Caption.clear();
        return false;
    }
    ViewState &v = doc.View;
    v.CritPointShown = u.CritPointShown;
    doc.VectorScale = u.VectorScale;
    doc.BackMinValue = u.BackMinValue;
    doc.BackMaxValue = u.BackMaxValue;
    v.ShowHeader = u.ShowHeader;
    v.ShowTable = u.ShowTable;
    v.ShowVectorfield = u.ShowVectorfield;
    v.ShowCoordSystem = u.ShowCoordSystem;
    v.AspectRatioCorrection = u.AspectRatio;
    switch (u.BackgroundMode) {
        case BackSwirlSquare:
        case BackVorticity:
        case BackFromBuffer: v.Background = u.BackgroundMode; break;
        default: v.Background = BackNone; break;
    }
    doc.TrafoShiftX = u.TrafoShiftX;
    doc.TrafoShiftY = u.TrafoShiftY;
    doc.CritPointX = u.CritPointX;
    doc.CritPointY = u.CritPointY;
    doc.GalileiU = u.GalileiU;
    doc.GalileiV = u.GalileiV;
    // The snapshot is used up by the undo, so its arrays are handed over
    // instead of copied; the document's old ones stay with it as the storage
    // the next SaveUndo copies into, so no snapshot allocates again.
    doc.PosXs.swap(u.PosX);
    doc.PosYs.swap(u.PosY);
    doc.Us.swap(u.U);
    doc.Vs.swap(u.V);
    doc.Statuses.swap(u.Status);
    doc.InfoText.swap(u.InfoText);
    doc.Trajectories.X0 = u.TrajX0;
    doc.Trajectories.Y0 = u.TrajY0;
    doc.Trajectories.Step = u.TrajStep;
    doc.Trajectories.Count = u.TrajCount;
    doc.Trajectories.Last = u.TrajLast;
    doc.ValidCount = doc.CountValid();
    u.Caption.clear();
    return true;
}

UndoMenuState UndoMenuCaption(const VectorDocument &doc) {
    UndoMenuState s;
    if (!doc.Undo.Caption.empty()) {
        s.Caption = "Rückgängig: " + doc.Undo.Caption;
        s.Enabled = true;
    } else {
        s.Caption = "Rückgängig";
    }
    return s;
}

void ApplyInfoText(VectorDocument &doc, const std::string &text) {
    SaveUndo(doc, "Info-Text bearbeiten");
    doc.InfoText = text;
    doc.Modified = true;
}

}  // namespace sx
