#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>

#include "GapInterpolation.h"
#include "SampleDocument.h"
#include "TableText.h"
#include "UiTestSupport.h"
#include "platform/Clipboard.h"
#include "platform/FlexGrid.h"

using namespace sx;

namespace {

// 4 x 3 nodes (U = 0.5 i, V = -j); (3, 1) invalid, (2, 1) removed, (4, 1) questionable.
class FilterUi : public UiTest {
protected:
    frmVectorTable *OpenField(bool withInvalid = true) {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("feld.sdx");
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), 4, 3, [withInvalid](VectorDocument &d) {
            d.Status(2, 1) = StatusRemoved;
            if (withInvalid) d.Status(3, 1) = StatusInvalid;
            d.Status(4, 1) = StatusQuestionable;
        }));
        frmVectorTable *w = Open(path);
        if (w) w->resize(600, 400);
        return w;
    }
};

TEST_F(FilterUi, GaussFilterAsksTwiceThenSmoothsAndRefreshes) {
    auto *w = OpenField();
    ASSERT_TRUE(w);
    QAction *item = w->Action("mnuSmoothGauss3x3");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("&Gauß (3x3)"));
    user.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok);
    item->trigger();
    ASSERT_EQ(user.asked.size(), 2u);
    EXPECT_EQ(user.asked[0].message.title, "Filter anwenden");
    EXPECT_EQ(user.asked[0].message.buttons, MsgButtons::YesNo);
    EXPECT_EQ(user.asked[1].message.text.substr(0, 19), "(3 x 3) - Matrix :=");
    EXPECT_EQ(w->doc.Status(3, 1), StatusChanged);  // filled from its valid neighbours
    EXPECT_EQ(w->doc.Status(4, 1), StatusChanged);
    EXPECT_EQ(w->doc.Status(2, 1), StatusRemoved);
    EXPECT_EQ(w->doc.ValidCount, 11);
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral(" (verändert)")));
    EXPECT_EQ(w->doc.Undo.Caption, "Filter, Gauß (3x3)");
}

TEST_F(FilterUi, RefusedFilterChangesNothingButLeavesItsUndoStep) {
    auto *w = OpenField();
    ASSERT_TRUE(w);
    const FieldArray<double> u = w->doc.Us;
    user.Answer(MsgAnswer::No);
    w->mnuSmoothSquare5x5_Click();
    user.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Cancel);
    w->mnuFilterVelProfile_Click();
    EXPECT_EQ(user.asked.back().message.text.substr(0, 19), "(1 x 7) - Matrix :=");
    EXPECT_EQ(w->doc.Us, u);
    EXPECT_EQ(w->doc.Status(3, 1), StatusInvalid);
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_EQ(w->doc.Undo.Caption, "Filter, Geschwindigkeitsprofil");
}

// Records what the pointer showed whenever a message box came up.
class CursorWatchingUser : public ScriptedUser {
public:
    MsgAnswer ShowMessage(const UserMessage &m) override {
        atMessages.push_back(OverrideShape());
        return ScriptedUser::ShowMessage(m);
    }
    static int OverrideShape() { return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1; }
    std::vector<int> atMessages;
};

TEST_F(FilterUi, TheHourglassCoversTheSnapshotButNotTheQuestions) {
    auto *w = OpenField();
    ASSERT_TRUE(w);
    CursorWatchingUser watcher;
    SetUser(&watcher);
    std::vector<int> atSnapshot;
    QObject::connect(w, &frmVectorTable::UndoSaved, [&] { atSnapshot.push_back(CursorWatchingUser::OverrideShape()); });
    // the Gaussian filter asks twice after its snapshot; a refusal gives the cursor back too
    watcher.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok).Answer(MsgAnswer::No);
    w->mnuSmoothGauss3x3_Click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    w->mnuSmoothGauss5x5_Click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // a message from deep inside a command (interpolation on a field without gaps to fill
    // from) waits without the hourglass of the command or of the redraw under it
    for (int32_t &st : w->doc.Statuses) st = StatusInvalid;
    watcher.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    w->mnuInterpolation_Click();
    SetUser(&user);
    for (const QString &f : watcher.failures) ADD_FAILURE() << f.toStdString();
    EXPECT_EQ(watcher.Pending(), 0u);
    EXPECT_EQ(atSnapshot, std::vector<int>(3, int(Qt::WaitCursor)));
    EXPECT_EQ(watcher.atMessages, std::vector<int>(5, -1));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FilterUi, InterpolationFillsGapsAndMarksModifiedWithoutCaption) {
    auto *w = OpenField();
    ASSERT_TRUE(w);
    w->Action("mnuInterpolation")->trigger();
    EXPECT_TRUE(user.asked.empty());
    EXPECT_EQ(w->doc.Status(3, 1), StatusInterpolated);
    EXPECT_EQ(w->doc.ValidCount, 11);
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->doc.Undo.Caption, "Interpolation");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FilterUi, MeanVelocityOfAllAndOfTheSelection) {
    auto *w = OpenField();
    ASSERT_TRUE(w);
    Clipboard::SetText(QStringLiteral("alt"));
    user.Answer(MsgAnswer::Ok);
    w->Action("mnuMiddleVelocityAllValid")->trigger();
    EXPECT_EQ(user.asked.back().message.title, "Mittlere Geschwindigkeit");
    const MeanVelocity all = MeanOfValidVectors(w->doc);
    EXPECT_EQ(all.count, 10);
    EXPECT_EQ(Clipboard::GetText().toStdString(), ClipboardVectorText(all.u, all.v));
    EXPECT_FALSE(w->doc.Modified);

    // without the table's focus the selection command does nothing
    Clipboard::SetText(QStringLiteral("alt"));
    w->mnuMiddleVelocitySelected_Click();
    EXPECT_EQ(Clipboard::GetText(), QStringLiteral("alt"));

    w->mnuShowTable_Click();
    w->grdTable->setFocus();
    ASSERT_TRUE(w->TableHasFocus());
    // from bottom right to top left: columns 2..3, rows 1..2 hold (2,2) and (3,2)
    w->grdTable->SetSelection(2, 3, 1, 2);
    user.Answer(MsgAnswer::Ok);
    w->mnuMiddleVelocitySelected_Click();
    EXPECT_EQ(Clipboard::GetText().toStdString(), ClipboardVectorText(1.25, -2));
}

TEST_F(FilterUi, MeanWithoutValidVectorsKeepsTheClipboard) {
    SaveSetting("StartUp", "ShowInfo", "No");
    const QString path = TempPath("leer.sdx");
    ASSERT_TRUE(WriteSampleSdx(path.toStdString(), 2, 2, [](VectorDocument &d) {
        for (int32_t &s : d.Statuses) s = StatusInvalid;
    }));
    user.Answer(MsgAnswer::Ok);  // "Darstellung nicht möglich!" when the window first lays out
    auto *w = Open(path);
    ASSERT_TRUE(w);
    Clipboard::SetText(QStringLiteral("alt"));
    user.Answer(MsgAnswer::Ok);
    w->mnuMiddleVelocityAllValid_Click();
    EXPECT_EQ(Clipboard::GetText(), QStringLiteral("alt"));
}

}  // namespace
