#include "Undo.h"

namespace sx {

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
    u.PosX = doc.PosXs;
    u.PosY = doc.PosYs;
    u.U = doc.Us;
    u.V = doc.Vs;
    u.Status = doc.Statuses;
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
    if (u.PosX.size() != doc.PosXs.size() || u.PosY.size() != doc.PosYs.size() || u.U.size() != n ||
        u.V.size() != n || u.Status.size() != n) {
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
    doc.PosXs = u.PosX;
    doc.PosYs = u.PosY;
    doc.Us = u.U;
    doc.Vs = u.V;
    doc.Statuses = u.Status;
    doc.InfoText = u.InfoText;
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
