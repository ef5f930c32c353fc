// F1 on a real desktop: in every box and dialog it opens the page of what
// opened it, in a window the window manager shows wholly on the screen.

#include "DesktopSupport.h"

namespace desk {

namespace {

class HelpDesktop : public DesktopTest {
protected:
    // With the box `title` up and holding the keyboard, F1 shows `page`; then
    // the viewer is closed and the box, still up, answered with `key`.
    void ExpectPageOfBox(App &app, const QString &title, const QString &page, const QString &key) {
        SCOPED_TRACE(title.toStdString());
        ASSERT_TRUE(app.WaitFor({QStringLiteral("BOX"), title})) << app.Log().toStdString();
        ASSERT_TRUE(app.BoxHasTheKeyboard(title)) << "the box has no keyboard focus";
        desk->Key(QStringLiteral("F1"));
        ASSERT_TRUE(app.WaitForState(QStringLiteral("HELP"), [&](const QStringList &f) { return f.value(1) == page; }))
            << app.Log().toStdString();
        EXPECT_TRUE(app.BoxOpen());
        // the window manager closes the viewer once it has the keyboard;
        // alt+F4 in the box would close the box, and the viewer with it
        ASSERT_TRUE(app.WaitUntil([&] {
            return app.Latest(QStringLiteral("FOCUS")).value(4) == QLatin1String("HelpViewer") &&
                   desk->FocusWindowName().startsWith(QStringLiteral("Strudelax - Hilfe"));
        })) << "the viewer has no keyboard focus (\""
            << desk->FocusWindowName().toStdString() << "\" has)";
        desk->Key(QStringLiteral("alt+F4"));
        ASSERT_TRUE(
            app.WaitForState(QStringLiteral("HELP"), [](const QStringList &f) { return f.value(1).isEmpty(); }));
        ASSERT_TRUE(app.BoxHasTheKeyboard(title)) << "the keyboard did not come back to the box";
        desk->Key(key);
        ASSERT_TRUE(app.WaitFor({QStringLiteral("NOBOX"), title})) << app.Log().toStdString();
        ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();
    }
};

TEST_P(HelpDesktop, F1InTheFaultSearchDialogOpensItsPageOnTheScreen) {
    App &app = OpenSample();
    // Bearbeiten > Fehlerhafte Vektoren suchen
    desk->Type({QStringLiteral("alt+b"), QStringLiteral("f")});
    ASSERT_TRUE(app.WaitFor({QStringLiteral("BOX"), QStringLiteral("Fehlerhafte Vektoren suchen")}))
        << app.Log().toStdString();
    ASSERT_TRUE(app.BoxHasTheKeyboard(QStringLiteral("Fehlerhafte Vektoren suchen")));
    desk->Key(QStringLiteral("F1"));
    const QString viewerTitle = QStringLiteral("Strudelax - Hilfe - Fehlerhafte Vektoren suchen");
    QRect viewer;
    ASSERT_TRUE(app.WaitUntil([&] { return !(viewer = desk->WindowGeometry(viewerTitle)).isEmpty(); }))
        << app.Log().toStdString();
    const QStringList wh =
        desk->Run(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")}).split(QLatin1Char(' '));
    EXPECT_TRUE(QRect(0, 0, wh.value(0).toInt(), wh.value(1).toInt()).contains(viewer))
        << viewer.x() << "," << viewer.y() << " " << viewer.width() << "x" << viewer.height();
    EXPECT_EQ(app.Latest(QStringLiteral("HELP")).value(1), QStringLiteral("fehlervektoren.html"));
    // the dialog is still up behind it, and the program is alive
    EXPECT_TRUE(app.BoxOpen());
    EXPECT_TRUE(app.Stop());
}

// Boxes without a page of their own: an input box, a file dialog and a message.
TEST_P(HelpDesktop, F1InAnInputBoxAFileDialogAndAMessageOpensThePageOfTheirCommand) {
    App &app = OpenSample();
    desk->Type({QStringLiteral("ctrl+s")});  // Ansicht > Vektoren skalieren...
    ExpectPageOfBox(app, QStringLiteral("Skalierung der Vektoren"), QStringLiteral("darstellung.html"),
                    QStringLiteral("Escape"));
    if (HasFatalFailure()) return;

    desk->Type({QStringLiteral("F4")});  // Datei > Speichern unter...
    ExpectPageOfBox(app, QStringLiteral("Speichern unter"), QStringLiteral("dateien.html"), QStringLiteral("Escape"));
    if (HasFatalFailure()) return;

    // Berechnungen > Mittlere Geschwindigkeit > aller gültigen Vektoren
    desk->Type({QStringLiteral("alt+r"), QStringLiteral("m"), QStringLiteral("a")});
    ExpectPageOfBox(app, QStringLiteral("Mittlere Geschwindigkeit"), QStringLiteral("interpolation.html"),
                    QStringLiteral("Return"));
    if (HasFatalFailure()) return;
    EXPECT_TRUE(app.Stop());
}

INSTANTIATE_TEST_SUITE_P(Keys, HelpDesktop, ::testing::Values(Screen::Xvfb), ScreenName);

}  // namespace

}  // namespace desk
