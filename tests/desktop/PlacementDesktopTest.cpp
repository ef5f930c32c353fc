// Where document windows appear: second starts, relative and Latin-1 names
// handed over, and "Überlappend".
#include <QDir>
#include <QFile>

#include <unistd.h>
#include <cstdio>

#include "DesktopSupport.h"
#include "FieldFiles.h"

using namespace desk;

namespace {

class PlacementDesktop : public DesktopTest {
protected:
    static bool WaitForDocs(App &app, int n, DocsState *state = nullptr) {
        QStringList f;
        const bool ok = app.WaitForState(
            QStringLiteral("DOCS"),
            [n](const QStringList &l) {
                const DocsState s = ParseDocs(l);
                return s.count == n && s.active == n - 1;
            },
            kStartTimeoutMs, &f);
        if (state) *state = ParseDocs(f);
        return ok;
    }
    // Every window inside the visible area, large enough, no scroll bar.
    static void ExpectUsable(const DocsState &s) {
        const QRect area(QPoint(0, 0), s.area);
        for (int k = 0; k < s.rects.size(); ++k) {
            SCOPED_TRACE(s.titles[k].toStdString());
            EXPECT_TRUE(area.contains(s.rects[k]))
                << s.rects[k].x() << "," << s.rects[k].y() << " " << s.rects[k].width() << "x" << s.rects[k].height();
            EXPECT_GE(s.rects[k].width(), s.area.width() * 2 / 3);
            EXPECT_GE(s.rects[k].height(), s.area.height() * 2 / 3);
        }
        EXPECT_FALSE(s.hbar);
        EXPECT_FALSE(s.vbar);
    }
};

TEST_P(PlacementDesktop, SecondStartsCascadeInsideTheVisibleAreaAndWrapWithTitleBarsInSight) {
    App &app = OpenSample();
    DocsState s;
    for (int k = 1; k <= 6; ++k) {
        const QString file = desk->FilePath(QStringLiteral("feld%1.sdx").arg(k));
        ASSERT_TRUE(WriteOrdinary(file, QStringLiteral("sdx")));
        ASSERT_EQ(desk->RunSecondStart({file.toUtf8()}), 0);
        ASSERT_TRUE(WaitForDocs(app, k + 1, &s)) << app.Log().toStdString();
    }
    ExpectUsable(s);
    // one step right and down of the one before; where that leaves the area,
    // a new round at the left, one step below where the last round began
    const int step = s.rects[1].x() - s.rects[0].x();
    EXPECT_GT(step, 10);
    int roundStart = 0, wraps = 0;
    for (int k = 1; k < s.rects.size(); ++k) {
        const QPoint at = s.rects[k].topLeft();
        if (at == s.rects[k - 1].topLeft() + QPoint(step, step)) continue;
        EXPECT_EQ(at, QPoint(0, roundStart + step)) << k;
        roundStart = at.y();
        ++wraps;
    }
    EXPECT_GE(wraps, 1) << "seven windows wrap in a frame of 1100 x 800";
    // a later window hides a title bar wholly only from straight above it
    for (int k = 0; k < s.rects.size(); ++k)
        for (int j = k + 1; j < s.rects.size(); ++j)
            EXPECT_FALSE(s.rects[j].x() == s.rects[k].x() && s.rects[j].y() <= s.rects[k].y())
                << s.titles[j].toStdString() << " hides the title bar of " << s.titles[k].toStdString();
    EXPECT_TRUE(app.Stop()) << app.Log().toStdString();
}

TEST_P(PlacementDesktop, RelativeAndLatin1NamesOpenThroughTheHandOver) {
    const QByteArray folder = QFile::encodeName(desk->FilePath(QString()));
    const QByteArray latin1(
        "\xfc"
        "ber.dat");  // "über.dat" in Latin-1
    ASSERT_TRUE(WriteOrdinary(desk->FilePath(QStringLiteral("feld.sdx")), QStringLiteral("sdx")));
    ASSERT_TRUE(WriteOrdinary(desk->FilePath(QStringLiteral("tmp.dat")), QStringLiteral("dat")));
    ASSERT_EQ(::rename((folder + "tmp.dat").constData(), (folder + latin1).constData()), 0);

    // first start: the Latin-1 name from a file manager
    App &app = desk->Launch(std::vector<QByteArray>{folder + latin1});
    ASSERT_TRUE(WaitForDocs(app, 1)) << app.Log().toStdString();
    // second starts in a terminal in that folder, with names relative to it
    ASSERT_EQ(desk->RunSecondStart({QByteArray("feld.sdx")}, desk->FilePath(QString())), 0);
    DocsState s;
    ASSERT_TRUE(WaitForDocs(app, 2, &s)) << app.Log().toStdString();
    EXPECT_EQ(s.titles.value(1), QStringLiteral("feld.sdx"));
    ASSERT_EQ(desk->RunSecondStart({latin1}, desk->FilePath(QString())), 0);
    ASSERT_TRUE(WaitForDocs(app, 3, &s)) << app.Log().toStdString();
    EXPECT_FALSE(app.Log().contains(QStringLiteral("nicht gefunden")));
    EXPECT_TRUE(app.Stop()) << app.Log().toStdString();
    ::unlink((folder + latin1).constData());  // Qt cannot name it to clean up
}

INSTANTIATE_TEST_SUITE_P(Desktop, PlacementDesktop, DESKTOP_SCREENS);

// Menus are driven with real keys: a real X server only.
class CascadeDesktop : public PlacementDesktop {};

TEST_P(CascadeDesktop, UeberlappendKeepsEveryWindowUsable) {
    App &app = OpenSample();
    for (int k = 1; k <= 2; ++k) {
        const QString file = desk->FilePath(QStringLiteral("feld%1.dat").arg(k));
        ASSERT_TRUE(WriteOrdinary(file, QStringLiteral("dat")));
        ASSERT_EQ(desk->RunSecondStart({file.toUtf8()}), 0);
        ASSERT_TRUE(WaitForDocs(app, k + 1));
    }
    ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();
    // "&Fenster", its first item "&Überlappend"
    desk->Key(QStringLiteral("alt+f"));
    desk->Key(QStringLiteral("Return"));
    DocsState s;
    ASSERT_TRUE(app.WaitForState(
        QStringLiteral("DOCS"),
        [](const QStringList &f) {
            const DocsState d = ParseDocs(f);
            return d.count == 3 && d.rects[0].topLeft() != d.rects[1].topLeft() &&
                   d.rects[1].topLeft() != d.rects[2].topLeft() && d.rects[0].size() == d.rects[2].size();
        },
        kBoxTimeoutMs))
        << app.Log().toStdString();
    s = ParseDocs(app.Latest(QStringLiteral("DOCS")));
    ExpectUsable(s);
    EXPECT_TRUE(app.Stop()) << app.Log().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktop, CascadeDesktop, ::testing::Values(Screen::Xvfb), ScreenName);

}  // namespace
