#include "Undo.h"

#include <gtest/gtest.h>

#include "SameField.h"
#include "TableText.h"

namespace sx {
namespace {

VectorDocument Field10() {
    VectorDocument d;
    SetLoadDefaults(d);
    d.Resize(10, 10);
    for (int i = 1; i <= 10; ++i) d.PosX(i) = i;
    for (int j = 1; j <= 10; ++j) d.PosY(j) = -j;
    for (size_t k = 0; k < d.NodeCount(); ++k) {
        d.Us[k] = 0.01 * static_cast<double>(k);
        d.Statuses[k] = StatusValid;
    }
    d.ValidCount = d.CountValid();
    return d;
}

TEST(Undo, MenuCaptionFollowsTheSnapshot) {
    VectorDocument d = Field10();
    EXPECT_EQ(UndoMenuCaption(d).Caption, "Rückgängig");
    EXPECT_FALSE(UndoMenuCaption(d).Enabled);
    EXPECT_FALSE(RestoreUndo(d));  // nothing to undo: no-op

    SaveUndo(d, "Vektor bearbeiten");
    ApplyVectorEdit(d, 1, 1, 5, 5, StatusChanged);
    EXPECT_EQ(UndoMenuCaption(d).Caption, "Rückgängig: Vektor bearbeiten");
    EXPECT_TRUE(UndoMenuCaption(d).Enabled);
    EXPECT_TRUE(RestoreUndo(d));
    EXPECT_EQ(d.U(1, 1), 0);
    EXPECT_EQ(UndoMenuCaption(d).Caption, "Rückgängig");
    EXPECT_FALSE(RestoreUndo(d));  // no redo, no second undo
}

TEST(Undo, OnlyTheSecondOfTwoCommandsIsUndone) {
    VectorDocument d = Field10();
    SaveUndo(d, "Vektor bearbeiten");
    d.U(1, 1) = 100;
    SaveUndo(d, "Vektor einfügen");
    d.U(2, 2) = 200;
    ASSERT_TRUE(RestoreUndo(d));
    EXPECT_EQ(d.U(1, 1), 100);
    EXPECT_NE(d.U(2, 2), 200);
    EXPECT_FALSE(RestoreUndo(d));
    EXPECT_EQ(d.U(1, 1), 100);
}

TEST(Undo, ValidCountIsRecounted) {
    VectorDocument d = Field10();
    for (int k = 0; k < 7; ++k) d.Statuses[static_cast<size_t>(k * 13)] = StatusInvalid;
    d.ValidCount = 999;  // a loaded count that disagrees
    SaveUndo(d, "Vektoren entfernen");
    for (auto &s : d.Statuses) s = StatusRemoved;
    d.ValidCount = 0;
    RestoreUndo(d);
    EXPECT_EQ(d.ValidCount, 93);
}

TEST(Undo, RestoresStateButNotViewLayoutOrNullValue) {
    VectorDocument d = Field10();
    d.View.ShowTable = true;
    d.View.CritPointShown = true;
    d.View.Background = BackSwirlSquare;
    d.BackMinValue = -3;
    d.BackMaxValue = 4;
    d.VectorScale = 2;
    d.TrafoShiftX = 1.5;
    d.GalileiV = 0.25;
    d.CritPointY = 7;
    d.InfoText = "alt\r\nzwei Zeilen";
    d.Trajectories.X0[49] = 3;
    d.Trajectories.Spare[0] = 11;
    d.Trajectories.Count = 50;
    d.Trajectories.Last = 50;
    const VectorDocument before = d;

    SaveUndo(d, "Koordinatentransformation");
    d.View.ShowTable = false;
    d.View.ShowHeader = true;
    d.View.CritPointShown = false;
    d.View.Background = BackVorticity;
    d.View.AutoClearTrajectories = false;  // not part of the snapshot
    d.BackMinValue = -9;
    d.BackMaxValue = 9;
    d.BackNullValue = 0.5;  // not part of the snapshot
    d.VectorScale = 5;
    d.TrafoShiftX = 0;
    d.GalileiV = 0;
    d.CritPointY = 0;
    d.PosX(3) = 99;
    d.V(4, 4) = -8;
    d.InfoText = "neu";
    d.Trajectories = TrajectoryRing{};
    d.Trajectories.Spare[0] = 22;  // not part of the snapshot
    d.Modified = true;

    ASSERT_TRUE(RestoreUndo(d));
    EXPECT_TRUE(d.View.ShowTable);
    EXPECT_FALSE(d.View.ShowHeader);
    EXPECT_TRUE(d.View.CritPointShown);
    EXPECT_EQ(d.View.Background, BackSwirlSquare);
    EXPECT_FALSE(d.View.AutoClearTrajectories);
    EXPECT_EQ(d.BackMinValue, -3);
    EXPECT_EQ(d.BackMaxValue, 4);
    EXPECT_EQ(d.BackNullValue, 0.5);
    EXPECT_EQ(d.VectorScale, 2);
    EXPECT_EQ(d.TrafoShiftX, 1.5);
    EXPECT_EQ(d.GalileiV, 0.25);
    EXPECT_EQ(d.CritPointY, 7);
    ExpectSameField(d, before);
    EXPECT_EQ(d.InfoText, before.InfoText);
    EXPECT_EQ(d.Trajectories.X0, before.Trajectories.X0);
    EXPECT_EQ(d.Trajectories.Count, 50);
    EXPECT_EQ(d.Trajectories.Last, 50);
    EXPECT_EQ(d.Trajectories.Spare[0], 22);
    EXPECT_TRUE(d.Modified);
}

TEST(Undo, InfoTextIsUndoable) {
    VectorDocument d = Field10();
    SaveUndo(d, "Vektor bearbeiten");
    ApplyInfoText(d, "Zeile 1\r\nZeile 2");
    EXPECT_EQ(d.InfoText, "Zeile 1\r\nZeile 2");
    EXPECT_TRUE(d.Modified);
    EXPECT_EQ(UndoMenuCaption(d).Caption, "Rückgängig: Info-Text bearbeiten");
    RestoreUndo(d);
    EXPECT_EQ(d.InfoText, "");
}

}  // namespace
}  // namespace sx
