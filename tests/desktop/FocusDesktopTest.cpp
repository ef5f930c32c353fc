// After a message box the keyboard is back in the document: its shortcuts work.
#include "DesktopSupport.h"

using namespace desk;

namespace {

class FocusDesktop : public DesktopTest {};

TEST_P(FocusDesktop, ShortcutsWorkAfterTheBoxOfAPasteIntoAHiddenTable) {
    App &app = OpenSample();
    const DocsState s = ParseDocs(app.Latest(QStringLiteral("DOCS")));
    ASSERT_EQ(s.count, 1);

    desk->Key(QStringLiteral("ctrl+t"));  // the table, left half of the window
    // a cell of the table, below the window's title bar and the table's header row
    const QPoint cell = s.origin + s.rects[0].topLeft() + QPoint(s.rects[0].width() / 6, 120);
    const QString x = QString::number(cell.x()), y = QString::number(cell.y());
    ASSERT_TRUE(app.WaitForState(QStringLiteral("FOCUS"), [&](const QStringList &f) {
        if (f.value(1) == "grdTable") return true;
        desk->Run(QStringLiteral("xdotool"),
                  {QStringLiteral("mousemove"), x, y, QStringLiteral("click"), QStringLiteral("1")});
        return false;
    })) << app.Log().toStdString();

    desk->Key(QStringLiteral("ctrl+t"));  // the table goes, with the focus in it
    desk->Key(QStringLiteral("ctrl+v"));  // only the table takes a paste: a box
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Strudelax")));
    ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();

    // a shortcut of the document still works: F4 is "Speichern unter..."
    desk->Key(QStringLiteral("F4"));
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Speichern unter"), QStringLiteral("Escape")));
    ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();
    EXPECT_TRUE(app.Stop());
}

TEST_P(FocusDesktop, SecondStartLeavesTheKeyboardWithTheNewDocument) {
    App &app = OpenSample();
    ASSERT_EQ(desk->RunSecondStart({(SamplesFolder() + QStringLiteral("/Wirbelpaar.dat")).toUtf8()}), 0);
    ASSERT_TRUE(app.WaitForState(QStringLiteral("FOCUS"), [](const QStringList &f) {
        return f.value(3) == "Wirbelpaar.dat" && f.value(1) != "txtTemp";
    })) << app.Log().toStdString();
    ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();
    desk->Key(QStringLiteral("F4"));
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Speichern unter"), QStringLiteral("Escape")));
    EXPECT_TRUE(app.Stop());
}

INSTANTIATE_TEST_SUITE_P(Desktop, FocusDesktop, ::testing::Values(Screen::Xvfb), ScreenName);

}  // namespace
