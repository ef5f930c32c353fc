// Boxes and dialogs on a real desktop, driven with real keys: the save
// dialog speaks German, Return at the filter warning applies nothing, long
// boxes fit the screen, and Save As finds a file in a folder named in Latin-1.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <utility>

#include "DesktopSupport.h"
#include "SampleField.h"
#include "SdxFile.h"

namespace desk {

namespace {

class DialogsDesktop : public DesktopTest {
protected:
    // The box's place once the window manager has mapped it.
    QRect MappedGeometry(App &app, const QString &title) {
        QRect r;
        app.WaitUntil([&] { return !(r = desk->WindowGeometry(title)).isEmpty(); });
        return r;
    }
    // Moves the keyboard focus with Tab to the control `name`, as a keyboard user does.
    bool TabTo(App &app, const QString &name) {
        for (int k = 0; k < 40; ++k) {
            const QString now = app.Latest(QStringLiteral("FOCUS")).value(1);
            if (now == name) return true;
            desk->Key(QStringLiteral("Tab"));
            if (!app.WaitForState(QStringLiteral("FOCUS"), [&](const QStringList &f) { return f.value(1) != now; }))
                return false;
        }
        return false;
    }
    // The text box `name` of the FIELDS line: its cursor and its text.
    static std::pair<int, QString> Field(App &app, const QString &name) {
        for (const QString &f : app.Latest(QStringLiteral("FIELDS")))
            if (f.startsWith(name + QLatin1Char('=')))
                return {f.section(QLatin1Char('='), 1).section(QLatin1Char(':'), 0, 0).toInt(),
                        f.section(QLatin1Char(':'), 1)};
        return {-1, QString()};
    }
    static QString Visible(QString text) { return text.remove(QLatin1Char('&')); }
    // The probe's fields of the last box with this title: BOX, title, text, buttons, default button.
    static QStringList BoxLine(App &app, const QString &title) {
        const QStringList lines = app.Log().split(QLatin1Char('\n'));
        const QString head = QStringLiteral("PROBE\tBOX\t") + title + QLatin1Char('\t');
        for (qsizetype k = lines.size() - 1; k >= 0; --k)
            if (lines[k].startsWith(head)) return lines[k].split(QLatin1Char('\t')).mid(1);
        return {};
    }
};

TEST_P(DialogsDesktop, SaveDialogSpeaksGerman) {
    App &app = OpenSample();
    desk->Type({QStringLiteral("F4")});  // "Speichern unter..."
    // Escape cancels; the probe has noted what the dialog showed
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Speichern unter"), QStringLiteral("Escape")));
    const QStringList box = BoxLine(app, QStringLiteral("Speichern unter"));
    const QString labels = Visible(box.value(2));
    for (const char *label : {"Suchen in:", "Dateiname:", "Dateityp:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label << " not in: " << labels.toStdString();
    const QString buttons = Visible(box.value(3));
    for (const char *button : {"Speichern", "Abbrechen"})
        EXPECT_TRUE(buttons.split(QLatin1Char('|')).contains(QString::fromUtf8(button)))
            << button << " not in: " << buttons.toStdString();
    EXPECT_EQ(Visible(box.value(4)), QStringLiteral("Speichern")) << box.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(app.Alive());
}

TEST_P(DialogsDesktop, ReturnAtTheFilterWarningAppliesNothing) {
    App &app = OpenSample();
    // Berechnungen > Filter > Gauß (3x3); the sample has invalid vectors
    desk->Type({QStringLiteral("alt+r"), QStringLiteral("f"), QStringLiteral("g")});
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Filter anwenden"), QStringLiteral("Return")));
    const QStringList box = BoxLine(app, QStringLiteral("Filter anwenden"));
    EXPECT_TRUE(box.value(2).startsWith(QStringLiteral("Warnung: Das Vektorfeld enthält ungültige Vektoren!")));
    EXPECT_EQ(Visible(box.value(4)), QStringLiteral("Nein"));

    // the next box is the one asked for now, not the matrix confirmation
    ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();
    desk->Type({QStringLiteral("ctrl+s")});
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Skalierung der Vektoren"), QStringLiteral("Escape")));
    EXPECT_FALSE(app.Log().contains(QStringLiteral("Anzuwendende Filtermatrix")));
    const QStringList docs = app.Latest(QStringLiteral("DOCS"));
    EXPECT_FALSE(docs.join(QLatin1Char('\t')).contains(QStringLiteral("verändert"))) << docs.join(' ').toStdString();

    // and "Ja" goes on to the matrix, so the keys did reach the filter
    ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();
    desk->Type({QStringLiteral("alt+r"), QStringLiteral("f"), QStringLiteral("g")});
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Filter anwenden"), QStringLiteral("alt+j")));
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Anzuwendende Filtermatrix"), QStringLiteral("Escape")));
    EXPECT_TRUE(app.Alive());
}

// The long one-line prompt of the vector scale, and the matrix of the
// row-mean filter on a field 1000 columns wide (one line of 1999 weights).
TEST_P(DialogsDesktop, LongBoxesFitTheScreen) {
    sx::SampleFieldOptions wide;
    wide.nx = 1000;
    wide.ny = 3;
    wide.invalidShare = wide.removedShare = 0;
    const QString path = desk->FilePath(QStringLiteral("breit.sdx"));
    ASSERT_EQ(sx::WriteSdxFile(sx::MakeSampleField(wide), QFile::encodeName(path).toStdString()), sx::SaveResult::Ok);
    App &app = OpenFile(path);
    const QRect screen(0, 0, 1280, 1024);

    desk->Type({QStringLiteral("ctrl+s")});
    ASSERT_TRUE(app.WaitFor({QStringLiteral("BOX"), QStringLiteral("Skalierung der Vektoren")}));
    const QRect input = MappedGeometry(app, QStringLiteral("Skalierung der Vektoren"));
    EXPECT_TRUE(screen.contains(input)) << input.width() << "x" << input.height();
    EXPECT_LE(input.width(), 800);
    ASSERT_TRUE(app.BoxHasTheKeyboard(QStringLiteral("Skalierung der Vektoren")));
    desk->Type({QStringLiteral("Escape")});
    ASSERT_TRUE(app.WaitFor({QStringLiteral("NOBOX"), QStringLiteral("Skalierung der Vektoren")}));

    // Berechnungen > Filter > Geschwindigkeitsprofil
    ASSERT_TRUE(app.FrameHasTheKeyboard()) << app.Log().toStdString();
    desk->Type({QStringLiteral("alt+r"), QStringLiteral("f"), QStringLiteral("p")});
    QStringList box;
    ASSERT_TRUE(app.WaitFor({QStringLiteral("BOX"), QStringLiteral("Anzuwendende Filtermatrix")}, kBoxTimeoutMs, &box))
        << app.Log().toStdString();
    EXPECT_TRUE(box.value(2).startsWith(QStringLiteral("(1 x 1999) - Matrix :=")));
    EXPECT_EQ(box.value(3), QStringLiteral("OK|Abbrechen"));
    EXPECT_EQ(box.value(4), QStringLiteral("OK"));
    const QRect matrix = MappedGeometry(app, QStringLiteral("Anzuwendende Filtermatrix"));
    EXPECT_TRUE(screen.contains(matrix)) << matrix.y() << "+" << matrix.height();
    ASSERT_TRUE(app.BoxHasTheKeyboard(QStringLiteral("Anzuwendende Filtermatrix")));
    desk->Type({QStringLiteral("Escape")});  // Abbrechen: no change
    ASSERT_TRUE(app.WaitFor({QStringLiteral("NOBOX"), QStringLiteral("Anzuwendende Filtermatrix")}));
    EXPECT_FALSE(app.Latest(QStringLiteral("DOCS")).join(QLatin1Char('\t')).contains(QStringLiteral("verändert")));
    EXPECT_TRUE(app.Alive());
}

// "Max", "Min", "- Max" and "- Min" put long numbers into the scale boxes of
// the colour dialog: the boxes show their start (sign and leading digits),
// also when a button puts in the number a box already holds.
TEST_P(DialogsDesktop, ColourScaleBoxesShowTheStartOfTheirNumbers) {
    App &app = OpenSample();
    const QString title = QStringLiteral("Strudelax - Farbeinstellungen");
    // the vorticity as background: its extremes are long numbers
    desk->Type({QStringLiteral("F12"), QStringLiteral("alt+a"), QStringLiteral("f")});
    ASSERT_TRUE(app.WaitFor({QStringLiteral("BOX"), title})) << app.Log().toStdString();
    ASSERT_TRUE(app.BoxHasTheKeyboard(title));
    const std::pair<const char *, const char *> buttons[] = {{"cmdMax", "txtMaxValue"},
                                                             {"cmdMin", "txtMinValue"},
                                                             {"cmdMinusMax", "txtMinValue"},
                                                             {"cmdMinusMin", "txtMaxValue"}};
    for (const auto &[button, box] : buttons) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(TabTo(app, QLatin1String(button))) << app.Log().toStdString();
        // twice: the second press puts in the number the box holds already;
        // Tab after it shows when the program has taken both presses
        desk->Type({QStringLiteral("space"), QStringLiteral("space"), QStringLiteral("Tab")});
        ASSERT_TRUE(app.WaitForState(QStringLiteral("FOCUS"),
                                     [&](const QStringList &f) { return f.value(1) != QLatin1String(button); }));
        const auto [cursor, text] = Field(app, QLatin1String(box));
        EXPECT_GT(text.size(), 10) << text.toStdString();
        EXPECT_EQ(cursor, 0) << text.toStdString();
    }
    desk->Type({QStringLiteral("Escape")});
    ASSERT_TRUE(app.WaitFor({QStringLiteral("NOBOX"), title}));
    EXPECT_TRUE(app.Alive());
}

// Started in a terminal in a folder whose own name is Latin-1, with the
// file's name alone: Save As proposes that very file from the root and, after
// the question, replaces it there; caption and question show the name's own
// characters.
TEST_P(DialogsDesktop, SaveAsFromALatin1WorkingFolderReplacesTheFileItCameFrom) {
    const QByteArray folder = QFile::encodeName(desk->FilePath(QString())) + "M\xe4ll";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    const QByteArray file = folder + "/f\xe4ld.sdx";
    ASSERT_EQ(sx::WriteSdxFile(sx::MakeSampleField({}), file.toStdString()), sx::SaveResult::Ok);
    struct stat before {};
    ASSERT_EQ(::stat(file.constData(), &before), 0);
    App &app = desk->Launch(std::vector<QByteArray>{"f\xe4ld.sdx"}, folder);
    ASSERT_TRUE(app.ReadyForKeys(1)) << app.Log().toStdString();
    const QString shown = QString::fromUtf8("f\xc3\xa4ld.sdx");
    EXPECT_EQ(ParseDocs(app.Latest(QStringLiteral("DOCS"))).titles.value(0), shown);

    desk->Type({QStringLiteral("F4")});  // "Speichern unter...", its proposal accepted
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Speichern unter"), QStringLiteral("Return")));
    // the dialog could not show that folder, so the program asks itself
    ASSERT_TRUE(app.AnswerBox(QStringLiteral("Speichern unter"), QStringLiteral("alt+j")));
    EXPECT_TRUE(
        BoxLine(app, QStringLiteral("Speichern unter")).value(2).startsWith(QStringLiteral("Die Datei ") + shown))
        << app.Log().toStdString();
    // replaced by the saved copy: a new file under the old name
    struct stat after {};
    EXPECT_TRUE(app.WaitUntil([&] { return ::stat(file.constData(), &after) == 0 && after.st_ino != before.st_ino; }))
        << app.Log().toStdString();
    EXPECT_FALSE(app.Log().contains(QStringLiteral("schreibgeschützt")));
    // nothing written beside it, nor in the folder above (which Qt cannot list in full)
    for (const QByteArray &f : {folder, QFile::encodeName(desk->FilePath(QString()))}) {
        int entries = 0;
        DIR *d = ::opendir(f.constData());
        ASSERT_TRUE(d);
        while (const dirent *e = ::readdir(d)) entries += e->d_name[0] != '.';
        ::closedir(d);
        EXPECT_EQ(entries, 1) << f.toStdString();
    }
    EXPECT_TRUE(app.Stop()) << app.Log().toStdString();
    ::unlink(file.constData());  // Qt cannot name it to clean up
    ::rmdir(folder.constData());
}

INSTANTIATE_TEST_SUITE_P(Keys, DialogsDesktop, ::testing::Values(Screen::Xvfb), ScreenName);

}  // namespace

}  // namespace desk
