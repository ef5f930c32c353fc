// F1 on a real desktop: in a modal dialog it opens that dialog's help page,
// in a window the window manager shows wholly on the screen.

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include "DesktopSupport.h"

namespace desk {

namespace {

class HelpDesktop : public DesktopTest {
protected:
    // Polls until a window of this name is shown (empty rectangle on time-out).
    QRect WaitForWindow(const QString &name) {
        QDeadlineTimer deadline(kBoxTimeoutMs);
        while (!deadline.hasExpired()) {
            const QRect r = desk->WindowGeometry(name);
            if (!r.isEmpty()) return r;
            QThread::msleep(100);
        }
        return QRect();
    }
    QRect ScreenRect() {
        const QStringList wh =
            desk->Run(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")}).split(QLatin1Char(' '));
        return QRect(0, 0, wh.value(0).toInt(), wh.value(1).toInt());
    }
};

TEST_P(HelpDesktop, F1InTheFaultSearchDialogOpensItsPageOnTheScreen) {
    if (!desk->IsX()) GTEST_SKIP() << "keys need a real X server";
    App &app = desk->Launch(QStringList{QDir(SamplesFolder()).filePath(QStringLiteral("Wirbelpaar.sdx"))});
    ASSERT_TRUE(app.WaitForState(QStringLiteral("DOCS"), [](const QStringList &f) { return f.value(1) == "1"; }))
        << app.Log().toStdString();
    // Bearbeiten > Fehlerhafte Vektoren suchen
    desk->Run(QStringLiteral("xdotool"),
              {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("--delay"),
               QStringLiteral("250"), QStringLiteral("alt+b"), QStringLiteral("f")});
    ASSERT_TRUE(app.WaitFor({QStringLiteral("BOX"), QStringLiteral("Fehlerhafte Vektoren suchen")}))
        << app.Log().toStdString();
    desk->Key(QStringLiteral("F1"));
    const QRect viewer = WaitForWindow(QStringLiteral("Strudelax - Hilfe - Fehlerhafte Vektoren suchen"));
    ASSERT_FALSE(viewer.isEmpty()) << app.Log().toStdString();
    EXPECT_TRUE(ScreenRect().contains(viewer))
        << viewer.x() << "," << viewer.y() << " " << viewer.width() << "x" << viewer.height();
    // the dialog is still up behind it, and the program is alive
    EXPECT_TRUE(app.BoxOpen());
    EXPECT_TRUE(app.Stop());
}

INSTANTIATE_TEST_SUITE_P(Keys, HelpDesktop, ::testing::Values(Screen::Xvfb), ScreenName);

}  // namespace

}  // namespace desk
