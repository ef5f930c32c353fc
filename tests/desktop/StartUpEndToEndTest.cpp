// The program started with a file on its command line, as a file manager
// does: every box answered, the program must come up and stay up.
#include <QFile>

#include <cstdlib>

#include "DesktopSupport.h"
#include "FieldFiles.h"

using namespace desk;

namespace {

const QString kProgramTitle = QStringLiteral("Strudelax");
const QString kNullQuestion = QStringLiteral("Datei enthält Null-Vektoren");

class StartUpEndToEnd : public DesktopTest {
protected:
    // Starts with `file`, answers `boxes` in order and waits until the frame
    // is up with `docs` document windows, the splash gone and the keyboard
    // in the frame (in the document when there is one).
    void StartWith(const QString &file, const QStringList &boxes, int docs) {
        App &app = desk->Launch(QStringList{file});
        for (const QString &title : boxes) ASSERT_TRUE(app.AnswerBox(title));
        ASSERT_TRUE(app.ReadyForKeys(docs)) << app.Log().toStdString();
        EXPECT_FALSE(app.BoxOpen()) << app.Log().toStdString();
        EXPECT_TRUE(app.Stop()) << "the program ended by itself:\n" << app.Log().toStdString();
    }
};

TEST_P(StartUpEndToEnd, FieldWithoutValidVectorAsksOnceAndComesUp) {
    const QString file = desk->FilePath("ungueltig.sdx");
    ASSERT_TRUE(WriteAllInvalidSdx(file));
    StartWith(file, {kProgramTitle}, 1);
}

TEST_P(StartUpEndToEnd, DatFileWithoutDataLines) {
    const QString file = desk->FilePath("leer.dat");
    ASSERT_TRUE(WriteHeaderOnlyDat(file));
    StartWith(file, {kProgramTitle}, 1);
}

TEST_P(StartUpEndToEnd, SingleColumnField) {
    const QString file = desk->FilePath("spalte.sdx");
    ASSERT_TRUE(WriteOneColumnSdx(file));
    StartWith(file, {kProgramTitle}, 1);
}

TEST_P(StartUpEndToEnd, SingleRowVecField) {
    const QString file = desk->FilePath("zeile.vec");
    ASSERT_TRUE(WriteOneRowVec(file));
    StartWith(file, {kProgramTitle}, 1);
}

TEST_P(StartUpEndToEnd, NullVectorsReadAsInvalid) {
    const QString file = desk->FilePath("null.vec");
    ASSERT_TRUE(WriteNullVec(file));
    // Yes: every vector invalid, so nothing can be drawn
    StartWith(file, {kNullQuestion, kProgramTitle}, 1);
}

TEST_P(StartUpEndToEnd, OrdinaryFileOfEachFormat) {
    for (const char *name : {"Wirbelpaar.sdx", "Wirbelpaar.dat", "Wirbelpaar.vec"}) {
        SCOPED_TRACE(name);
        StartWith(SamplesFolder() + QLatin1Char('/') + QLatin1String(name), {}, 1);
        if (HasFatalFailure()) return;
    }
}

TEST_P(StartUpEndToEnd, MissingFileIsReportedAndTheFrameComesUpEmpty) {
    StartWith(desk->FilePath("fehlt.sdx"), {QStringLiteral("Strudelax - Datei nicht gefunden")}, 0);
}

TEST_P(StartUpEndToEnd, FilesThatCannotBeReadAreReportedAndTheFrameComesUpEmpty) {
    struct Case {
        const char *name;
        QByteArray bytes;
        QStringList boxes;
    };
    const Case cases[] = {
        {"kaputt.sdx", "kein Feld", {"Fehler beim Öffnen", "Fehler"}},
        {"kaputt.vec", QByteArray(300, '\x7f'), {"Fehler beim Einlesen", "Fehler"}},
        {"feld.txt", "x", {"Ungültiges Dateiformat"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile f(desk->FilePath(QString::fromLatin1(c.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        StartWith(f.fileName(), c.boxes, 0);
        if (HasFatalFailure()) return;
    }
}

// A new user starts the program from the menu, without a file.
TEST_P(StartUpEndToEnd, FirstStartShowsTheWelcomeOnlyAfterTheSplashCentredOnTheFrame) {
    desk->WriteSettings(QString());  // a new user
    App &app = desk->Launch(QStringList{});
    ASSERT_TRUE(app.WaitFor({QStringLiteral("SPLASH"), QStringLiteral("1")}, kStartTimeoutMs))
        << app.Log().toStdString();
    ASSERT_TRUE(app.WaitFor({QStringLiteral("SPLASH"), QStringLiteral("0")}, kStartTimeoutMs))
        << app.Log().toStdString();
    const QString welcome = QStringLiteral("Strudelax - Willkommen!");
    if (desk->IsX()) {
        // over the middle of the frame, not over its title and menu bar
        ASSERT_TRUE(app.WaitFor({QStringLiteral("BOX"), welcome}));
        QRect box, frame;
        ASSERT_TRUE(app.WaitUntil([&] {
            box = desk->WindowGeometry(welcome);
            frame = desk->WindowGeometry(kProgramTitle);
            return !box.isEmpty() && !frame.isEmpty();
        }));
        EXPECT_LE(std::abs(box.center().x() - frame.center().x()), 40) << box.x() << " in " << frame.x();
        EXPECT_LE(std::abs(box.center().y() - frame.center().y()), 40) << box.y() << " in " << frame.y();
        ASSERT_TRUE(app.BoxHasTheKeyboard(welcome));
        desk->Key(QStringLiteral("Return"));
        ASSERT_TRUE(app.WaitFor({QStringLiteral("NOBOX"), welcome}));
    } else {
        ASSERT_TRUE(app.AnswerBox(welcome));
    }
    EXPECT_EQ(app.Log().count(QStringLiteral("PROBE\tBOX\t") + welcome), 1);
    EXPECT_TRUE(app.Stop()) << app.Log().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktop, StartUpEndToEnd, DESKTOP_SCREENS);

}  // namespace
