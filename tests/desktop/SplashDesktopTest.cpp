// The splash under a window manager: painted while it is up, ended by a key
// pressed anywhere or a click on it.
#include <functional>

#include "DesktopSupport.h"

using namespace desk;

namespace {

class SplashDesktop : public DesktopTest {
protected:
    // The program without a file, its splash held up until the test ends it
    // (however slow the machine, it cannot go away while the test looks).
    App &LaunchHeld() {
        desk->SetEnv(QStringLiteral("STRUDELAX_TEST_SPLASH_MS"), QStringLiteral("600000"));
        return desk->Launch(QStringList{});
    }
    static bool WaitForSplash(App &app, const QString &up, const QString &how) {
        return app.WaitForState(
            QStringLiteral("SPLASH"), [&](const QStringList &f) { return f.value(1) == up && f.value(2) == how; },
            kStartTimeoutMs);
    }
};

TEST_P(SplashDesktop, ShowsItsPictureAndTextsWhileItIsUp) {
    App &app = LaunchHeld();
    ASSERT_TRUE(WaitForSplash(app, QStringLiteral("1"), QStringLiteral("grab"))) << app.Log().toStdString();
    // the window system may show it a moment later than the program: look
    // again until something is on the screen
    QImage shot;
    bool seen = false;
    ASSERT_TRUE(app.WaitUntil([&] {
        shot = desk->Screenshot();
        for (int y = 0; y < shot.height() && !seen; y += 8)
            for (int x = 0; x < shot.width() && !seen; x += 8) seen = qGray(shot.pixel(x, y)) > 40;
        return seen;
    })) << "the splash was up, but nothing of it was painted";
    if (qEnvironmentVariableIsSet("KEEP_SHOT")) shot.save(qEnvironmentVariable("KEEP_SHOT"));
    // nothing but the splash is on the screen yet: it is what is not black
    QRect splash;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            if (qGray(shot.pixel(x, y)) > 40) splash |= QRect(x, y, 1, 1);
    ASSERT_GT(splash.width(), 400) << "the splash is not painted";
    ASSERT_GT(splash.height(), 300) << "the splash is not painted";
    // its upper sixth holds "Willkommen zu" and "Strudelax": dark text on a light ground
    auto count = [&](const QRect &r, const std::function<bool(const QColor &)> &is) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += is(shot.pixelColor(x, y)) ? 1 : 0;
        return n;
    };
    const auto light = [](const QColor &c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; };
    const auto dark = [](const QColor &c) { return c.red() < 70 && c.green() < 70 && c.blue() < 70; };
    const auto arrow = [](const QColor &c) { return c.blue() > 100 && c.red() < 100 && c.green() < 100; };
    const QRect texts = splash.adjusted(20, 20, -20, 0)
                            .intersected(QRect(splash.left(), splash.top(), splash.width(), splash.height() / 6));
    EXPECT_GT(count(texts, dark), 300) << "no title text";
    EXPECT_GT(count(texts, light), texts.width() * texts.height() / 2);
    // below it the picture: arrows on white
    const QRect picture = splash.adjusted(30, splash.height() / 4, -30, -splash.height() / 6);
    EXPECT_GT(count(picture, arrow), 1000) << "no vector arrows of the picture";
    EXPECT_GT(count(picture, light), picture.width() * picture.height() / 3);
    // a click on it ends it
    desk->Run(QStringLiteral("xdotool"),
              {QStringLiteral("mousemove"), QString::number(splash.center().x()), QString::number(splash.center().y()),
               QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(WaitForSplash(app, QStringLiteral("0"), QStringLiteral("click"))) << app.Log().toStdString();
    EXPECT_TRUE(app.Stop());
}

// A window manager gives a splash no focus: the key reaches it only because
// it holds the keyboard. Sent as a real key press (XTEST), not to its window.
TEST_P(SplashDesktop, AKeyPressedAnywhereEndsItAndTheFrameGetsTheKeysAfterIt) {
    App &app = LaunchHeld();
    ASSERT_TRUE(WaitForSplash(app, QStringLiteral("1"), QStringLiteral("grab"))) << app.Log().toStdString();
    desk->Key(QStringLiteral("x"));
    ASSERT_TRUE(WaitForSplash(app, QStringLiteral("0"), QStringLiteral("key"))) << app.Log().toStdString();
    // the keyboard was given back: F1 in the frame opens the help
    ASSERT_TRUE(app.ReadyForKeys(0)) << app.Log().toStdString();
    desk->Key(QStringLiteral("F1"));
    EXPECT_TRUE(app.WaitForState(QStringLiteral("HELP"), [](const QStringList &f) {
        return f.value(1) == "inhalt.html";
    })) << app.Log().toStdString();
    EXPECT_TRUE(app.Stop());
}

INSTANTIATE_TEST_SUITE_P(Desktop, SplashDesktop, ::testing::Values(Screen::Xvfb), ScreenName);

}  // namespace
